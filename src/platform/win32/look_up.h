#pragma once
// Functions that Windows NT 4.0 may lack, looked up at run time so that the
// library still loads there.

#include <windows.h>

namespace varnox {

// A function of a module the library already imports from (kernel32,
// advapi32, shell32, ntdll), looked up on every call: the module is always
// loaded, and the lookup is cheap. nullptr when the system lacks it.
template <typename Function>
Function LookUp(const char* module, const char* name) {
  const HMODULE handle = GetModuleHandleA(module);
  if (!handle) return nullptr;
  // Through void(*)() so that the compiler accepts the change of signature.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(handle, name)));
}

}  // namespace varnox
