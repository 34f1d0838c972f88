#pragma once
// The two pages that exist only on older systems: the load hides the
// Internet page above Windows NT 4.0 and the IDE/ATAPI page above Windows
// 2003/XP, in their places of the load order. What the pages show on the
// systems that keep them is added with the pages themselves.

namespace varnox {

class TConfForm;
class TTabSheet;

void BuildInternetPageGate(TConfForm& form, TTabSheet& sheet);
void BuildIdePageGate(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
