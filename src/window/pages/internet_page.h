#pragma once
// The Internet page of Windows NT 4.0: the MTU of each TCP/IP adapter and
// the default time to live. Above NT 4.0 the load hides it.

namespace varnox {

class TConfForm;
class TTabSheet;

// Lays out the page's controls on `sheet`, binds their handlers and adds
// its load section and two save groups to the form's frame.
void BuildInternetPage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
