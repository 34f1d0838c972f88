#include "toolkit/win32/hint_view.h"

#include <commctrl.h>

#include "toolkit/control.h"
#include "toolkit/win32/control_view.h"
#include "toolkit/win32/form_view.h"
#include "toolkit/win32/visual_styles.h"
#include "toolkit/win32/wide_text.h"

namespace varnox {

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr UINT kWatchInterval = 100;  // ms between checks that the mouse is still there
constexpr int kBelowCursor = 20;      // the hint shows under the cursor, not over it
constexpr LPARAM kMaxTipWidth = 600;  // wide enough for the longest line; "\r\n" breaks lines

TOOLINFOW ToolInfo(HWND form) {
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;  // the size every comctl32 version takes
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = form;
  tool.uId = kToolId;
  return tool;
}

UINT Elapse(int milliseconds) { return static_cast<UINT>(milliseconds > 0 ? milliseconds : 1); }

}  // namespace

HintView::HintView(FormView& form) : form_(form) {}

// Made when the first hint shows: most openings show none.
bool HintView::MakeTooltip() {
  if (tooltip_) return true;
  VisualStyleContext::Scope styled(form_.Styles());
  tooltip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form_.Window(), nullptr, form_.Resources(), nullptr);
  if (!tooltip_) return false;
  TOOLINFOW tool = ToolInfo(form_.Window());
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  return true;
}

HintView::~HintView() {
  for (UINT_PTR id : {kShowTimer, kHideTimer, kWatchTimer}) Stop(id);
  if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

void HintView::Stop(UINT_PTR id) {
  if (form_.Window()) KillTimer(form_.Window(), id);
}

const Control* HintView::ControlAt(HWND window, POINT screen) const {
  // Disabled controls get no mouse messages, but they show hints: look
  // through to the deepest visible window under the point.
  HWND current = window;
  for (;;) {
    POINT client = screen;
    ScreenToClient(current, &client);
    HWND child = ChildWindowFromPointEx(current, client, CWP_SKIPINVISIBLE);
    if (!child || child == current) break;
    current = child;
  }
  for (; current && current != form_.Window(); current = GetParent(current)) {
    if (ControlView* view = ControlView::FromWindow(current)) return &view->Ctl();
  }
  return current ? &form_.Model() : nullptr;
}

std::optional<ShownHint> HintView::HintUnderCursor() const {
  POINT cursor;
  if (!GetCursorPos(&cursor)) return std::nullopt;
  HWND window = WindowFromPoint(cursor);
  if (!window || (window != form_.Window() && !IsChild(form_.Window(), window))) return std::nullopt;
  const Control* control = ControlAt(window, cursor);
  return control ? ResolveHint(*control) : std::nullopt;
}

void HintView::MouseMoved(HWND window, POINT client) {
  POINT screen = client;
  ClientToScreen(window, &screen);
  const Control* control = ControlAt(window, screen);
  Follow(control ? ResolveHint(*control) : std::nullopt);
}

void HintView::Follow(const std::optional<ShownHint>& hint) {
  const Control* owner = hint ? hint->owner : nullptr;
  if (owner == owner_) return;
  const bool fromAnotherHint = visible_;
  Hide();
  Stop(kShowTimer);
  owner_ = owner;
  if (!owner_) {
    Stop(kWatchTimer);
    return;
  }
  text_ = Utf8ToWide(hint->text);
  const HintSettings& settings = ApplicationHints();
  SetTimer(form_.Window(), kShowTimer, Elapse(fromAnotherHint ? settings.ShortPause() : settings.Pause()), nullptr);
  SetTimer(form_.Window(), kWatchTimer, kWatchInterval, nullptr);
}

void HintView::Show() {
  // The hint text may have changed while we waited (a language switch).
  const std::optional<ShownHint> hint = HintUnderCursor();
  if (!hint || hint->owner != owner_) {
    Follow(hint);
    return;
  }
  if (!MakeTooltip()) return;
  text_ = Utf8ToWide(hint->text);
  TOOLINFOW tool = ToolInfo(form_.Window());
  tool.lpszText = text_.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  POINT cursor;
  GetCursorPos(&cursor);
  SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(cursor.x, cursor.y + kBelowCursor));
  SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  visible_ = true;
  SetTimer(form_.Window(), kHideTimer, Elapse(ApplicationHints().HidePause()), nullptr);
}

void HintView::Hide() {
  Stop(kHideTimer);
  if (!visible_) return;
  TOOLINFOW tool = ToolInfo(form_.Window());
  SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
  visible_ = false;
}

void HintView::Cancel() {
  Hide();
  Stop(kShowTimer);
}

void HintView::Watch() {
  // Leaving the form sends no message to it, and neither does resting on a
  // disabled control; a slow poll notices both.
  Follow(HintUnderCursor());
}

bool HintView::Timer(UINT_PTR id) {
  switch (id) {
    case kShowTimer:
      Stop(kShowTimer);
      Show();
      return true;
    case kHideTimer:
      // Stays gone until the mouse reaches another control's hint.
      Hide();
      return true;
    case kWatchTimer:
      Watch();
      return true;
    default:
      return false;
  }
}

}  // namespace varnox
