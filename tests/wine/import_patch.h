#pragma once
// Points a loaded module's import of one function at a stand-in, so a test
// sees (or refuses) exactly what the library asks of Windows.

#include <windows.h>

namespace varnox::test {

// Points the module's import of `function` from `dll` at `replacement`;
// false when the module does not import it by name.
bool PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);

// Makes the module meet the registry as an account without administrator
// rights does: its opens and creates under HKEY_LOCAL_MACHINE that ask for
// more than reading are refused with ERROR_ACCESS_DENIED.
bool RefuseLocalMachineChanges(HMODULE module);

}  // namespace varnox::test
