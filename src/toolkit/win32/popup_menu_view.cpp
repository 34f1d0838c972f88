#include "toolkit/win32/popup_menu_view.h"

#include <windows.h>

#include "toolkit/win32/form_view.h"
#include "toolkit/win32/wide_text.h"

namespace varnox {

void PopupMenuView::PropertyChanged(Component& /*component*/, Property property) {
  // Items, captions and states are read when the menu is built, each time.
  if (property == Property::PopupRequested && !form_.Destroying()) Popup();
}

void PopupMenuView::Popup() {
  HWND window = form_.Window();
  if (!window) return;
  const std::vector<TMenuItem*> items = menu_.Items();
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TMenuItem& item = *items[i];
    const std::wstring caption = Utf8ToWide(item.Caption());
    UINT flags = MF_STRING;
    if (caption == L"-") flags = MF_SEPARATOR;
    if (!item.Enabled()) flags |= MF_GRAYED;
    if (item.Checked()) flags |= MF_CHECKED;
    AppendMenuW(menu, flags, i + 1, caption.c_str());
  }
  // The menu closes properly only when its owner is the foreground window.
  SetForegroundWindow(window);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON,
                                                       menu_.PopupX(), menu_.PopupY(), 0, window, nullptr));
  PostMessageW(window, WM_NULL, 0, 0);
  DestroyMenu(menu);
  // Errors of the item's handler go to whoever asked for the menu: that is
  // model code, itself run from a window message through RunHandler.
  // The items are read again: handlers may have run while the menu was open.
  const std::vector<TMenuItem*> now = menu_.Items();
  if (chosen >= 1 && chosen <= now.size()) now[chosen - 1]->UserClick();
}

}  // namespace varnox
