#include "toolkit/win32/dialog_keys.h"

namespace varnox {

namespace {

bool DroppedDown(HWND window) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  return lstrcmpiW(className, L"ComboBox") == 0 && SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

}  // namespace

std::optional<DialogKey> FormKeyOf(const MSG& message) {
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (GetKeyState(VK_MENU) < 0) return std::nullopt;
  switch (message.wParam) {
    case VK_TAB:
      if (control) return shift ? DialogKey::PriorPage : DialogKey::NextPage;
      return shift ? DialogKey::ShiftTab : DialogKey::Tab;
    case VK_NEXT:
    case VK_PRIOR:
      if (!control) return std::nullopt;
      return message.wParam == VK_NEXT ? DialogKey::NextPage : DialogKey::PriorPage;
    case VK_RETURN:
    case VK_ESCAPE:
      if (DroppedDown(message.hwnd)) return std::nullopt;
      return message.wParam == VK_RETURN ? DialogKey::Enter : DialogKey::Escape;
    default:
      return std::nullopt;
  }
}

std::optional<DialogKey> ArrowKeyOf(WPARAM key) {
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return std::nullopt;
  switch (key) {
    case VK_UP:
      return DialogKey::Up;
    case VK_DOWN:
      return DialogKey::Down;
    case VK_LEFT:
      return DialogKey::Left;
    case VK_RIGHT:
      return DialogKey::Right;
    default:
      return std::nullopt;
  }
}

}  // namespace varnox
