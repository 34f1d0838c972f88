#pragma once
// The Logon page: automatic logon, shutdown and ending hung applications.

namespace varnox {

class TConfForm;
class TTabSheet;

// Lays out the page's controls on `sheet`, binds their handlers and adds
// its three load sections and three save groups to the form's frame.
void BuildLogonPage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
