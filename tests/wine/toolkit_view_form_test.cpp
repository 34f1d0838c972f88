// The form as a whole: the modal loop with its default and cancel buttons,
// errors of handlers, hints, timers and sizes set by the model.

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <stdexcept>

#include "toolkit_view_support.h"

namespace varnox::test {
namespace {

struct DialogButtons {
  explicit DialogButtons(TForm& form)
      : ok(form.Add<TButton>("ApplyBtn")), cancel(form.Add<TButton>("CancelBtn")), edit(form.Add<TEdit>("edName")) {
    ok.SetBounds(10, 250, 75, 25);
    ok.SetDefault(true);
    ok.SetModalResult(mrOk);
    ok.OnClick = [this](Component&) { ++okClicks; };
    cancel.SetBounds(90, 250, 75, 25);
    cancel.SetCancel(true);
    cancel.SetModalResult(mrCancel);
    edit.SetBounds(10, 10, 100, 21);
  }
  TButton& ok;
  TButton& cancel;
  TEdit& edit;
  int okClicks = 0;
};

HWND MakeOwner() {
  return CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

TEST(ToolkitViewForm, EnterAndEscapeEndTheModalLoopWithTheButtonsResults) {
  HWND owner = MakeOwner();
  for (auto [key, expected] : {std::pair{VK_RETURN, mrOk}, std::pair{VK_ESCAPE, mrCancel}}) {
    TForm form("TestForm");
    form.SetClientWidth(300);
    form.SetClientHeight(280);
    form.SetPosition(FormPosition::ScreenCenter);
    DialogButtons buttons(form);
    FormView view(form, owner, GetModuleHandleW(nullptr));
    view.MakeControls();
    bool ownerWasDisabled = false;
    HWND edit = FindByName(view.Window(), "edName");
    RunWhenShown(view.Window(), [&, key = key] {
      ownerWasDisabled = !IsWindowEnabled(owner);
      PostMessageW(edit, WM_KEYDOWN, key, 0);
    });
    EXPECT_EQ(view.ShowModal(), expected);
    EXPECT_TRUE(ownerWasDisabled) << "the owner takes no input while the form is up";
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindowVisible(view.Window()));
    EXPECT_EQ(buttons.okClicks, key == VK_RETURN ? 1 : 0);
    EXPECT_EQ(GetWindow(view.Window(), GW_OWNER), owner);
  }
  DestroyWindow(owner);
}

TEST(ToolkitViewForm, AHandlerErrorIsShownAndTheWindowGoesOn) {
  ShownForm shown;
  auto& failing = shown.form.Add<TButton>("btnFail");
  failing.SetBounds(10, 10, 75, 25);
  failing.OnClick = [](Component&) { throw std::runtime_error("Не удалось: disk full"); };
  auto& box = shown.form.Add<TCheckBox>("cbAfter");
  box.SetBounds(10, 40, 100, 17);
  shown.Show();

  MessageBoxCatcher catcher;
  SendMessageW(shown["btnFail"], BM_CLICK, 0, 0);  // returns once the box is dismissed
  EXPECT_EQ(catcher.Count(), 1);
  EXPECT_EQ(catcher.LastText(), L"Не удалось: disk full");
  EXPECT_TRUE(IsWindowVisible(shown.Window()));
  SendMessageW(shown["cbAfter"], BM_CLICK, 0, 0);
  EXPECT_TRUE(box.Checked()) << "the window still works";
}

// Where a window stands inside its parent, in pixels.
RECT PlaceOf(HWND window) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

TEST(ToolkitViewForm, ATallerFontGrowsTheLayoutAndAnotherFontLaysItOutAgain) {
  ShownForm shown;
  shown.form.SetFontName("MS Sans Serif");
  shown.form.SetFontHeight(-22);  // twice the design font's height
  auto& group = shown.form.Add<TGroupBox>("gbGroup");
  group.SetBounds(10, 20, 200, 80);
  group.SetCaption(" Group ");
  auto& box = shown.form.Add<TCheckBox>("cbInside", group);
  box.SetBounds(8, 30, 150, 17);
  box.SetCaption("Inside");
  shown.Show();

  const LayoutScale large = shown.view->Scale();
  EXPECT_GT(large.Y(100), 150) << "a font twice as tall lays out about twice as tall";
  EXPECT_GT(large.X(100), 150) << "and, being wider too, wider";
  RECT place = PlaceOf(shown["cbInside"]);
  EXPECT_EQ(place.left, large.X(8));
  EXPECT_EQ(place.top, large.Y(30));
  EXPECT_EQ(place.right, large.X(8 + 150));
  RECT client;
  GetClientRect(shown.Window(), &client);
  EXPECT_EQ(client.right, large.X(400));
  EXPECT_EQ(client.bottom, large.Y(300));

  // The design font's size: measured again, everything placed again.
  shown.form.SetFontHeight(-11);
  const LayoutScale design = shown.view->Scale();
  EXPECT_LT(design.Y(300), large.Y(300));
  place = PlaceOf(shown["gbGroup"]);
  EXPECT_EQ(place.left, design.X(10));
  EXPECT_EQ(place.bottom, design.Y(20 + 80));
  place = PlaceOf(shown["cbInside"]);
  EXPECT_EQ(place.top, design.Y(30));
  GetClientRect(shown.Window(), &client);
  EXPECT_EQ(client.right, design.X(400));
  EXPECT_EQ(group.Left(), 10) << "the model keeps its design coordinates";
}

TEST(ToolkitViewForm, ModelSizesAndTimersActOnTheRealWindowAtOnce) {
  ShownForm shown;
  auto& timer = shown.form.Add<TTimer>("RunTimer");
  timer.SetInterval(20);
  int ticks = 0;
  timer.OnTimer = [&](Component&) { ++ticks; };
  shown.Show();
  // The client size is the model's, grown with the font the form got.
  const LayoutScale& scale = shown.view->Scale();
  RECT client;
  GetClientRect(shown.Window(), &client);
  EXPECT_EQ(client.right, scale.X(400));
  EXPECT_EQ(client.bottom, scale.Y(300));

  // The options panel slides the form one design pixel at a time.
  shown.form.SetHeight(shown.form.Height() + 1);
  GetClientRect(shown.Window(), &client);
  EXPECT_EQ(client.bottom, scale.Y(301));
  // Another border keeps the client size.
  shown.form.SetBorderStyle(BorderStyle::ToolWindow);
  shown.form.SetBorderIcons(0);
  GetClientRect(shown.Window(), &client);
  EXPECT_EQ(client.right, scale.X(400));
  EXPECT_EQ(client.bottom, scale.Y(301));
  EXPECT_TRUE(GetWindowLongPtrW(shown.Window(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(GetWindowLongPtrW(shown.Window(), GWL_STYLE) & WS_SYSMENU);

  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 5000));
  timer.SetEnabled(false);
  PumpFor(50);
  const int stopped = ticks;
  PumpFor(200);
  EXPECT_EQ(ticks, stopped);
}

TEST(ToolkitViewForm, MouseMovesAndRightClicksReachTheModel) {
  ShownForm shown;
  auto& link = shown.form.Add<TLabel>("lblURL");
  link.SetBounds(10, 10, 100, 13);
  link.SetCaption("varnox page");
  link.SetCursor(TCursor::HandPoint);
  std::vector<std::pair<int, int>> moves;
  link.OnMouseMove = [&](Component&, TShiftState, int x, int y) { moves.emplace_back(x, y); };
  int formMoves = 0;
  shown.form.OnMouseMove = [&](Component&, TShiftState, int, int) { ++formMoves; };
  auto& menu = shown.form.Add<TPopupMenu>("pmSelectURL");
  auto& item = shown.form.Add<TMenuItem>("miOpen", menu);
  item.SetCaption("Open");
  int popups = 0;
  menu.OnPopup = [&](Component&) { ++popups; };
  link.SetPopupMenu(&menu);
  shown.Show();
  HWND label = shown["lblURL"];

  SendMessageW(label, WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0], std::make_pair(5, 6));
  SendMessageW(shown.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
  EXPECT_EQ(formMoves, 1);

  // The menu pops up at the click and is closed again without a choice.
  RunWhenShown(shown.Window(), [] {
    using EndMenuFn = BOOL(WINAPI*)();
    const auto endMenu = reinterpret_cast<EndMenuFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "EndMenu")));
    if (endMenu) endMenu();
  });
  POINT at = {20, 15};
  ClientToScreen(label, &at);
  SendMessageW(label, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(label), MAKELPARAM(at.x, at.y));
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(menu.PopupX(), at.x);
  EXPECT_EQ(menu.PopupY(), at.y);
}

struct TooltipSearch {
  HWND form;
  HWND tooltip = nullptr;
};

BOOL CALLBACK MatchTooltip(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TooltipSearch*>(data);
  if (ClassOf(window) != TOOLTIPS_CLASSA || GetWindow(window, GW_OWNER) != search->form) return TRUE;
  search->tooltip = window;
  return FALSE;
}

HWND TooltipOf(HWND form) {
  TooltipSearch search{form};
  EnumThreadWindows(GetCurrentThreadId(), &MatchTooltip, reinterpret_cast<LPARAM>(&search));
  return search.tooltip;
}

// Rests the mouse on the middle of `window`, as a user would.
void HoverOver(HWND window) {
  RECT area;
  GetClientRect(window, &area);
  POINT middle = {area.right / 2, area.bottom / 2};
  POINT screen = middle;
  ClientToScreen(window, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
}

class HintTimes {
 public:
  HintTimes() { ApplicationHints().SetPause(50); }
  ~HintTimes() { ApplicationHints().Reset(); }
};

TEST(ToolkitViewForm, HintsFollowTheModelsRuleAndTheLibrarysDisplayTime) {
  HintTimes fast;
  ShownForm shown;
  auto& group = shown.form.Add<TGroupBox>("gbIOLock");
  group.SetBounds(10, 10, 250, 120);
  group.SetHint("Limit of bytes locked for I/O\r\nsecond line");
  group.SetShowHint(true);
  auto& inside = shown.form.Add<TEdit>("edIOLockOther", group);  // no hint of its own
  inside.SetBounds(10, 20, 80, 21);
  auto& own = shown.form.Add<TCheckBox>("cbLargeCache", group);
  own.SetBounds(10, 60, 200, 17);
  own.SetHint("Use large memory cache model");
  shown.Show();
  SetForegroundWindow(shown.Window());
  EXPECT_EQ(TooltipOf(shown.Window()), nullptr) << "the hint window is made when a hint first shows";
  HWND tooltip = nullptr;
  auto shownText = [&] {
    wchar_t text[256] = {};
    SendMessageW(tooltip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return std::wstring(text);
  };

  HoverOver(shown["cbLargeCache"]);
  ASSERT_TRUE(PumpUntil(
      [&] {
        tooltip = TooltipOf(shown.Window());
        return tooltip && IsWindowVisible(tooltip);
      },
      3000));
  EXPECT_EQ(shownText(), L"Use large memory cache model");

  HoverOver(shown["edIOLockOther"]);
  ASSERT_TRUE(
      PumpUntil([&] { return IsWindowVisible(tooltip) && shownText() != L"Use large memory cache model"; }, 3000));
  EXPECT_EQ(shownText(), L"Limit of bytes locked for I/O\r\nsecond line") << "the group's hint";

  // The display time is read for each new hint: 0 lets it go at once.
  ApplicationHints().SetHidePause(0);
  HoverOver(shown["cbLargeCache"]);
  bool seen = false;
  EXPECT_TRUE(PumpUntil(
      [&] {
        if (IsWindowVisible(tooltip) && shownText() == L"Use large memory cache model") seen = true;
        return seen && !IsWindowVisible(tooltip);
      },
      3000));
  EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace varnox::test
