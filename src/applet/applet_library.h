#pragma once
// The library's own module handle, for its resources.

#include <windows.h>

#include "window/texts/load_locale.h"

namespace varnox {

HINSTANCE LibraryModule();

}  // namespace varnox
