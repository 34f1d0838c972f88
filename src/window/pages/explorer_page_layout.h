#pragma once
// The Explorer page's layout, apart from its behaviour.

namespace varnox {

class TConfForm;
class TTabSheet;

// The menu delay's track bar ends here; it clamps what the registry holds.
inline constexpr int kMenuShowDelayMax = 65534;

// The controls alone, in their design states: no handlers, no sections.
void LayOutExplorerPage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
