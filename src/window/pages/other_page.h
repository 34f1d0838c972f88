#pragma once
// The Other page: CD autorun, the font mapper's character-set overrides,
// NTFS last-access updates, the registered owner and organisation, and the
// paths Windows installs from.

namespace varnox {

class TConfForm;
class TTabSheet;

// Lays out the page's controls on `sheet`, binds their handlers and adds
// its load sections and four save groups to the form's frame.
void BuildOtherPage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
