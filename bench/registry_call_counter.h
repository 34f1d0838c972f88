#pragma once
// Counts the registry calls a loaded library makes, by pointing its import
// table entries for the advapi32 registry functions at counting wrappers.

#include <windows.h>

#include <map>
#include <string>

namespace varnox::bench {

// Patches `module`'s imports; returns how many entries it redirected.
int CountRegistryCalls(HMODULE module);
// Calls made since the last reset, by function name.
const std::map<std::string, long>& RegistryCalls();
long TotalRegistryCalls();
void ResetRegistryCalls();

}  // namespace varnox::bench
