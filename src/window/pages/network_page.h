#pragma once
// The Network page: the file server's hidden administrative shares, disk
// space alert, browser visibility and comment, and the workstation's cache
// timeout.

namespace varnox {

class TConfForm;
class TTabSheet;

// Lays out the page's controls on `sheet`, binds their handlers and adds
// its two load sections and four save groups to the form's frame.
void BuildNetworkPage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
