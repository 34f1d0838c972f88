#pragma once
// The configuration window as the applet opens it.

#include <windows.h>

#include <memory>

#include "applet/applet.h"

namespace varnox {

std::unique_ptr<ModalWindow> CreateConfFormWindow(HWND parent);

}  // namespace varnox
