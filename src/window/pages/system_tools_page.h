#pragma once
// The System tools page: the prefetcher and SuperFetch modes, the boot-file
// defragmentation switch with its last results, and links that start a few
// Windows tools.

namespace varnox {

class TConfForm;
class TTabSheet;

// Lays out the page's controls on `sheet`, binds their handlers and the
// links, and adds its load sections and three save groups to the frame.
void BuildSystemToolsPage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
