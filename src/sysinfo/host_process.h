#pragma once
// Which program hosts the applet.

#include "platform/system_api.h"

namespace varnox {

// True when the host process is the rundll32.exe of the system directory.
bool IsRunDll32Host(SystemApi& system);

}  // namespace varnox
