#pragma once
// The configuration window as the applet opens it: the TConfForm model on
// the real registry and system, shown through the Win32 view.

#include <windows.h>

#include <memory>
#include <string>

#include "applet/applet.h"

namespace varnox {

// Builds the model and its window under `parent` (hidden) and runs the
// creation handler; its errors are shown in a message box and the window
// still opens. With a user's SID, the per-user settings are those of that
// user's hive instead of the process's own.
std::unique_ptr<ModalWindow> CreateConfFormWindow(HWND parent, const std::string& userSid = {});

}  // namespace varnox
