#pragma once
// The Internet page exists only on Windows NT 4.0: the load hides it on
// later systems, in its place of the load order. What the page shows on the
// systems that keep it is added with the page itself.

namespace varnox {

class TConfForm;
class TTabSheet;

void BuildInternetPageGate(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
