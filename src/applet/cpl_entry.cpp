// The library's entry points: start-up registers the one applet, CPlApplet
// answers the Control Panel.

#include <windows.h>

#include <exception>
#include <memory>

#include "applet/applet.h"
#include "applet/applet_library.h"
#include "applet/conf_form_window.h"
#include "window/form/conf_form.h"

namespace varnox {

namespace {

HINSTANCE g_module = nullptr;
// Created at process attach, before the applet is registered; never made twice.
std::unique_ptr<AppletHost> g_host;

void StartLibrary(HINSTANCE module) {
  g_module = module;
  RecordLibraryLoadLocale(GetThreadLocale());
  g_host = std::make_unique<AppletHost>();
  auto applet = std::make_unique<TApplet>([](WindowHandle parent, const std::string& userSid) {
    return CreateConfFormWindow(reinterpret_cast<HWND>(parent), userSid);
  });
  applet->Name = kAppletName;
  applet->Info = "Configures Windows NT/2000/XP/2003";
  applet->Icon = reinterpret_cast<std::uintptr_t>(LoadIconA(module, "MAINICON"));
  g_host->Register(std::move(applet));
}

}  // namespace

HINSTANCE LibraryModule() { return g_module; }

}  // namespace varnox

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(module);
    varnox::StartLibrary(module);
  }
  // At detach the list is left alone: CPL_EXIT alone frees the applets.
  return TRUE;
}

extern "C" __declspec(dllexport) LONG APIENTRY CPlApplet(HWND window, UINT message, LPARAM param1, LPARAM param2) {
  if (!varnox::g_host) return 0;
  try {
    return varnox::g_host->Dispatch(reinterpret_cast<varnox::WindowHandle>(window), message, param1, param2);
  } catch (const std::exception& error) {
    // Nothing may unwind into the Control Panel; the window reports its own
    // errors, so what arrives here failed before it could exist.
    MessageBoxA(window, error.what(), "Varnox", MB_OK | MB_ICONERROR);
    return 1;
  }
}
