#pragma once
// Points entries of a loaded module's import table at other functions, so
// that a benchmark sees the calls the module makes.

#include <windows.h>

namespace varnox::bench {

// Replaces the import `function` of `dll` in `module` by `replacement`;
// returns the function it pointed at before, or nullptr when the module does
// not import it by name.
void* PatchImport(HMODULE module, const char* dll, const char* function, void* replacement);

}  // namespace varnox::bench
