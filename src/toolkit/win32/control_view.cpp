#include "toolkit/win32/control_view.h"

#include <commctrl.h>

#include <map>

#include "toolkit/popup_menu.h"
#include "toolkit/win32/dialog_keys.h"
#include "toolkit/win32/form_view.h"
#include "toolkit/win32/hint_view.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/window_name.h"

namespace varnox {

namespace {

// The view of each window we subclass, and in the view the window's own
// procedure: both are looked up on every message, which window properties
// would turn into a trip to the window server each time.
std::map<HWND, ControlView*> adoptedWindows;

HCURSOR HandCursor() {
  // IDC_HAND came with Windows 2000; NT 4.0 gets the arrow.
  HCURSOR hand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
  return hand ? hand : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
}

HWND ControlFromLParam(LPARAM lParam) { return reinterpret_cast<HWND>(lParam); }

}  // namespace

unsigned ShiftStateOf(WPARAM keys) {
  unsigned shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

ControlView::ControlView(FormView& form, Control& control) : ComponentView(form, control) {}

ControlView* ControlView::FromWindow(HWND window) {
  const auto found = adoptedWindows.find(window);
  return found == adoptedWindows.end() ? nullptr : found->second;
}

HWND ControlView::ParentWindow() const { return form_.ChildParentOf(Ctl().Parent()); }

void ControlView::Create() {
  const WindowRecipe recipe = Recipe();
  const Control& control = Ctl();
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | recipe.style;
  if (control.TabStop()) style |= WS_TABSTOP;
  if (VisibleAtCreation()) style |= WS_VISIBLE;
  if (!control.Enabled()) style |= WS_DISABLED;
  const std::wstring text = Utf8ToWide(control.Text());
  const LayoutBounds place = form_.PlaceOf(control);
  window_ = CreateWindowExW(recipe.exStyle, recipe.className, text.c_str(), style, place.left, place.top, place.width,
                            place.height, ParentWindow(), nullptr, form_.Resources(), nullptr);
  if (!window_) return;
  Adopt(window_);
  NameNewWindow(window_, control.Name());
  creating_ = true;
  ApplyAll();
  creating_ = false;
}

void ControlView::Adopt(HWND window) {
  adoptedWindows[window] = this;
  const auto original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlView::SubclassProcedure)));
  adopted_.emplace_back(window, original);
}

void ControlView::PropertyChanged(Component& /*component*/, Property property) {
  if (!window_ || form_.Destroying()) return;
  FormView::ApplyScope guard(form_);
  Apply(property);
}

void ControlView::Resync(Property property) {
  if (!window_) return;
  FormView::ApplyScope guard(form_);
  Apply(property);
}

void ControlView::ApplyAll() {
  Apply(Property::Text);
  Apply(Property::Font);
  Apply(Property::Enabled);
  Apply(Property::Visible);
  Apply(Property::Style);
}

void ControlView::Apply(Property property) {
  const Control& control = Ctl();
  switch (property) {
    case Property::Text:
      if (!creating_) ApplyText();
      break;
    case Property::Enabled:
      if (!creating_) EnableWindow(window_, control.Enabled());
      break;
    case Property::Visible:
      if (!creating_) ShowWindow(window_, control.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Property::Bounds: {
      const LayoutBounds place = form_.PlaceOf(control);
      SetWindowPos(window_, nullptr, place.left, place.top, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case Property::Font:
      ApplyFont();
      break;
    case Property::Color:
      InvalidateRect(window_, nullptr, TRUE);
      break;
    case Property::TabStop:
      SetStyleBit(WS_TABSTOP, control.TabStop());
      break;
    default:
      break;  // hints and the cursor are read when needed
  }
}

void ControlView::ApplyText() {
  // An edit the user is typing in already shows the text; writing it back
  // would move the caret to the start.
  const std::wstring text = Utf8ToWide(Ctl().Text());
  if (WindowTextW(window_) != text) SetWindowTextW(window_, text.c_str());
}

void ControlView::SetStyleBit(DWORD bit, bool on) {
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  const LONG_PTR wanted = on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit));
  if (wanted != style) SetWindowLongPtrW(window_, GWL_STYLE, wanted);
}

HFONT ControlView::Font() const { return form_.FontFor(Ctl()); }

// A window still being made is hidden and paints in full when shown.
void ControlView::ApplyFont() {
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), creating_ ? FALSE : TRUE);
}

HBRUSH ControlView::CtlColor(HDC dc, UINT message) {
  const Control& control = Ctl();
  const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  const COLORREF background = ResolveColor(control.Color(), GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
  SetTextColor(dc, ResolveColor(control.FontColor(), GetSysColor(COLOR_WINDOWTEXT)));
  SetBkColor(dc, background);
  return form_.Gdi().Brush(background);
}

void ControlView::User(const std::function<void()>& action) { form_.RunUser(action); }

LRESULT ControlView::Original(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const auto& [adopted, original] : adopted_) {
    if (adopted == window && original) return CallWindowProcW(original, window, message, wParam, lParam);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool ControlView::HandleMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool ControlView::RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (ControlView* view = FromWindow(ControlFromLParam(lParam))) {
        view->Command(ControlFromLParam(lParam), HIWORD(wParam));
        result = 0;
        return true;
      }
      return false;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      ControlView* view = header ? FromWindow(header->hwndFrom) : nullptr;
      return view && view->Notify(*header, result);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (ControlView* view = FromWindow(ControlFromLParam(lParam))) {
        view->Scroll(LOWORD(wParam));
        result = 0;
        return true;
      }
      return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (ControlView* view = FromWindow(ControlFromLParam(lParam))) {
        if (HBRUSH brush = view->CtlColor(reinterpret_cast<HDC>(wParam), message)) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    default:
      return false;
  }
}

LRESULT CALLBACK ControlView::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlView* view = FromWindow(window);
  if (!view) return DefWindowProcW(window, message, wParam, lParam);
  return view->Procedure(window, message, wParam, lParam);
}

LRESULT ControlView::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (message == WM_NCDESTROY) {
    // The window goes; its name atom and our bookkeeping go with it.
    WNDPROC original = nullptr;
    for (auto it = adopted_.begin(); it != adopted_.end(); ++it) {
      if (it->first != window) continue;
      original = it->second;
      adopted_.erase(it);
      break;
    }
    RemoveWindowName(window);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    adoptedWindows.erase(window);
    if (window == window_) window_ = nullptr;
    return original ? CallWindowProcW(original, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
  }
  if (form_.Destroying()) return Original(window, message, wParam, lParam);
  if (RouteChildMessage(message, wParam, lParam, result)) return result;
  if (HandleMessage(window, message, wParam, lParam, result)) return result;
  Control& control = Ctl();
  switch (message) {
    case WM_MOUSEMOVE: {
      form_.MouseMoved(window, lParam);
      POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (window != window_) MapWindowPoints(window, window_, &point, 1);
      const unsigned shift = ShiftStateOf(wParam);
      User([&] { control.UserMouseMove(shift, point.x, point.y); });
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      form_.MouseClicked();
      break;
    case WM_CONTEXTMENU:
      if (control.PopupMenu()) {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (point.x == -1 && point.y == -1) GetCursorPos(&point);  // from the keyboard
        User([&] { control.UserContextMenu(point.x, point.y); });
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT &&
          control.Cursor() == TCursor::HandPoint) {
        SetCursor(HandCursor());
        return TRUE;
      }
      break;
    case WM_SETFOCUS:
      if (!form_.Applying()) form_.FocusArrived(control);
      break;
    case WM_KEYDOWN:
      if (const std::optional<DialogKey> arrow = ArrowKeyOf(wParam)) {
        bool taken = false;
        User([&] { taken = form_.Model().UserArrowKey(control, *arrow); });
        if (taken) return 0;
      }
      break;
    default:
      break;
  }
  return Original(window, message, wParam, lParam);
}

}  // namespace varnox
