#pragma once
// The IDE/ATAPI page exists only on older systems: the load hides it above
// Windows 2003/XP, in its place of the load order. What the page shows on
// the systems that keep it is added with the page itself.

namespace varnox {

class TConfForm;
class TTabSheet;

void BuildIdePageGate(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
