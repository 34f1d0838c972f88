#pragma once
// The Explorer page: the current user's shell restriction policies, window
// animation, error beep, smooth scrolling, Explorer's process mode, the
// version text on the desktop, the PS/2 mouse port settings of Windows NT
// 4.0, the wheel's scroll lines and the menu show delay.

namespace varnox {

class TConfForm;
class TTabSheet;

// Lays out the page's controls on `sheet`, binds their handlers and adds
// its load sections and four save groups to the form's frame.
void BuildExplorerPage(TConfForm& form, TTabSheet& sheet);

}  // namespace varnox
