#include "toolkit/win32/window_name.h"

namespace varnox {

void NameNewWindow(HWND window, const std::string& name) {
  const ATOM atom = GlobalAddAtomA(name.c_str());
  if (atom != 0) SetPropA(window, kNameProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(atom)));
}

void RemoveWindowName(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropA(window, kNameProperty)));
  if (atom != 0) GlobalDeleteAtom(atom);
}

std::string WindowName(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, kNameProperty)));
  if (atom == 0) return {};
  char buffer[256] = {};
  const UINT length = GlobalGetAtomNameA(atom, buffer, sizeof buffer);
  return std::string(buffer, length);
}

}  // namespace varnox
