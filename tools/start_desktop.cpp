// Starts Wine's desktop process and waits until it is ready for windows.
//
// A program's first window asks Wine for the desktop; Wine starts the
// desktop process then and waits ten seconds for it. On a busy machine the
// desktop can take longer, and the program is then left without a display
// driver: none of its windows can be made, for as long as it runs. The test
// rig runs this first, with no such limit, so the programs after it find the
// desktop there. Nothing here may make a window, or ask for the desktop
// window: that would make Wine start a desktop of its own and wait only ten
// seconds again.
//
//   start_desktop
//
// Exit code 0 once the desktop is ready; 1 when it could not be started or
// was not ready within two minutes.

#include <windows.h>

#include <cstdio>

namespace {

// A 32-bit program in a 64-bit prefix starts the desktop Wine itself would
// start there, the 64-bit one, not its 32-bit twin.
void SeeTheNativeSystemFolder() {
  using Disable = BOOL(WINAPI*)(PVOID*);
  const auto disable = reinterpret_cast<Disable>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "Wow64DisableWow64FsRedirection")));
  PVOID previous = nullptr;
  if (disable) disable(&previous);
}

}  // namespace

int main() {
  SeeTheNativeSystemFolder();
  wchar_t command[] = L"C:\\windows\\system32\\explorer.exe /desktop";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION desktop = {};
  if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                      &desktop)) {
    std::fprintf(stderr, "start_desktop: explorer.exe did not start (error %lu)\n", GetLastError());
    return 1;
  }
  // The desktop process waits for input once its desktop window is made.
  const DWORD waited = WaitForInputIdle(desktop.hProcess, 120000);
  CloseHandle(desktop.hThread);
  CloseHandle(desktop.hProcess);
  if (waited != 0) {
    std::fprintf(stderr, "start_desktop: the desktop was not ready within two minutes\n");
    return 1;
  }
  return 0;
}
