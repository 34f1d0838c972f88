#pragma once
// Points an import of a loaded module at another function, so that a test
// answers a call the library makes (a dialog, the shell) and sees it made.

#include <windows.h>

namespace varnox::test {

// False when `module` does not import `function` from `dll` by name.
bool PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);

}  // namespace varnox::test
