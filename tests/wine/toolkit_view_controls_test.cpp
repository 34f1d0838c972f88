// Each kind of control shown through the real Win32 view: the user's actions
// on the real windows reach the model as one call, and the model's changes
// show on the windows.

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <vector>

#include "toolkit_view_support.h"

namespace varnox::test {
namespace {

TEST(ToolkitViewControls, EveryControlIsANamedRealWindowAndTheNamesGoWithTheWindows) {
  ShownForm shown;
  TForm& form = shown.form;
  auto& pages = form.Add<TPageControl>("pcPages");
  pages.SetBounds(0, 0, 400, 250);
  auto& sheet = form.Add<TTabSheet>("tsFirst", pages);
  auto& group = form.Add<TGroupBox>("gbGroup", sheet);
  group.SetBounds(5, 5, 200, 150);
  form.Add<TCheckBox>("cbBox", group).SetBounds(5, 15, 100, 17);
  form.Add<TRadioButton>("rbChoice", group).SetBounds(5, 35, 100, 17);
  form.Add<TEdit>("edText", group).SetBounds(5, 55, 80, 21);
  form.Add<TUpDown>("udSpin", group).SetBounds(85, 55, 15, 21);
  form.Add<TLabel>("lblCaption", sheet).SetBounds(210, 5, 80, 13);
  form.Add<TTrackBar>("tbSlider", sheet).SetBounds(210, 25, 30, 100);
  form.Add<TComboBox>("cbList", sheet).SetBounds(250, 25, 100, 21);
  form.Add<TListView>("lvRows", sheet).SetBounds(210, 130, 150, 80);
  form.Add<TRadioGroup>("rgPick", sheet).SetBounds(5, 160, 150, 60);
  form.Add<TPanel>("HintPanel").SetBounds(0, 255, 400, 45);
  form.Add<TBitBtn>("ApplyBtn").SetBounds(300, 260, 75, 25);
  form.Add<TSpeedButton>("sbCreate").SetBounds(270, 260, 22, 22);
  form.Add<TTimer>("RunTimer");
  shown.Show();

  const std::map<std::string, std::string> classes = {
      {"TestForm", "TForm"},    {"pcPages", "SysTabControl32"},
      {"tsFirst", "TTabSheet"}, {"gbGroup", "Button"},
      {"cbBox", "Button"},      {"rbChoice", "Button"},
      {"edText", "Edit"},       {"udSpin", "msctls_updown32"},
      {"lblCaption", "Static"}, {"tbSlider", "msctls_trackbar32"},
      {"cbList", "ComboBox"},   {"lvRows", "SysListView32"},
      {"rgPick", "Button"},     {"HintPanel", "Static"},
      {"ApplyBtn", "Button"},   {"sbCreate", "Button"},
  };
  std::vector<ATOM> atoms;
  for (const auto& [name, className] : classes) {
    HWND window = shown[name];
    ASSERT_NE(window, nullptr);
    EXPECT_STRCASEEQ(ClassOf(window).c_str(), className.c_str()) << name;
    atoms.push_back(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "Name"))));
  }

  shown.view.reset();
  char name[64];
  for (ATOM atom : atoms) EXPECT_EQ(GlobalGetAtomNameA(atom, name, sizeof name), 0u) << "atom " << atom << " left";
}

TEST(ToolkitViewControls, CheckBoxesTakeTheirNextStateFromTheModel) {
  ShownForm shown;
  auto& three = shown.form.Add<TCheckBox>("cbThree");
  three.SetBounds(10, 10, 120, 17);
  three.SetAllowGrayed(true);
  auto& two = shown.form.Add<TCheckBox>("cbTwo");
  two.SetBounds(10, 30, 120, 17);
  two.SetState(cbGrayed);  // absent value: grey, set by the program
  int threeClicks = 0;
  int twoClicks = 0;
  three.OnClick = [&](Component&) { ++threeClicks; };
  two.OnClick = [&](Component&) { ++twoClicks; };
  shown.Show();
  HWND threeBox = shown["cbThree"];
  HWND twoBox = shown["cbTwo"];
  EXPECT_EQ(SendMessageW(twoBox, BM_GETCHECK, 0, 0), BST_INDETERMINATE);

  const std::vector<std::pair<TCheckBoxState, LRESULT>> cycle = {
      {cbGrayed, BST_INDETERMINATE}, {cbChecked, BST_CHECKED}, {cbUnchecked, BST_UNCHECKED}};
  for (const auto& [state, shownCheck] : cycle) {
    SendMessageW(threeBox, BM_CLICK, 0, 0);
    EXPECT_EQ(three.State(), state);
    EXPECT_EQ(SendMessageW(threeBox, BM_GETCHECK, 0, 0), shownCheck);
  }
  EXPECT_EQ(threeClicks, 3) << "one handler call per click";

  // A two-state box leaves grey for checked and never returns to it.
  for (TCheckBoxState state : {cbChecked, cbUnchecked, cbChecked}) {
    SendMessageW(twoBox, BM_CLICK, 0, 0);
    EXPECT_EQ(two.State(), state);
  }
  EXPECT_EQ(twoClicks, 3);

  // A program change shows on the window at once; disabling stops the user.
  three.SetState(cbGrayed);
  EXPECT_EQ(SendMessageW(threeBox, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  three.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(threeBox));
}

TEST(ToolkitViewControls, RadioButtonsAndRadioGroupsShowTheModelsSingleChoice) {
  ShownForm shown;
  auto& first = shown.form.Add<TRadioButton>("rbFirst");
  first.SetBounds(10, 10, 100, 17);
  auto& second = shown.form.Add<TRadioButton>("rbSecond");
  second.SetBounds(10, 30, 100, 17);
  first.SetChecked(true);
  int firstClicks = 0;
  int secondClicks = 0;
  first.OnClick = [&](Component&) { ++firstClicks; };
  second.OnClick = [&](Component&) { ++secondClicks; };
  auto& group = shown.form.Add<TRadioGroup>("rgLevel");
  group.SetBounds(150, 10, 200, 90);
  group.SetItems({"Disabled", "Enabled", "Force enabled"});
  int groupClicks = 0;
  group.OnClick = [&](Component&) { ++groupClicks; };
  shown.Show();

  SendMessageW(shown["rbSecond"], BM_CLICK, 0, 0);
  EXPECT_TRUE(second.Checked());
  EXPECT_FALSE(first.Checked());
  EXPECT_EQ(SendMessageW(shown["rbFirst"], BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageW(shown["rbSecond"], BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(secondClicks, 1);
  EXPECT_EQ(firstClicks, 0) << "the sibling is unchecked silently";

  // The group's buttons are windows of the group.
  std::vector<HWND> buttons;
  for (HWND child = GetWindow(shown["rgLevel"], GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    buttons.push_back(child);
  }
  ASSERT_EQ(buttons.size(), 3u);
  SendMessageW(buttons[2], BM_CLICK, 0, 0);
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_EQ(groupClicks, 1);
  group.SetItemIndex(0);
  EXPECT_EQ(SendMessageW(buttons[0], BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(buttons[2], BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST(ToolkitViewControls, TypingReachesTheModelOnceAndTheModelsRefusalShows) {
  ShownForm shown;
  auto& edit = shown.form.Add<TEdit>("edName");
  edit.SetBounds(10, 10, 150, 21);
  edit.SetMaxLength(5);
  std::vector<std::string> changes;
  edit.OnChange = [&](Component&) { changes.push_back(edit.Text()); };
  shown.Show();
  HWND window = shown["edName"];

  SetWindowTextW(window, L"abc");
  SendMessageW(window, EM_SETSEL, 3, 3);
  SendMessageW(window, WM_CHAR, 'd', 0);
  SendMessageW(window, WM_CHAR, 0x0436, 0);  // a Cyrillic letter
  SendMessageW(window, WM_CHAR, 'x', 0);     // beyond the limit of five
  EXPECT_EQ(edit.Text(), "abcdж");
  EXPECT_EQ(changes, (std::vector<std::string>{"abc", "abcd", "abcdж"}));

  // The program's text shows, and fires the handler once, not again as an
  // echo; the program may go past the typing limit.
  edit.SetText("longer text");
  EXPECT_EQ(TextOf(window), L"longer text");
  EXPECT_EQ(edit.Text(), "longer text");
  edit.SetText("xyz");
  EXPECT_EQ(changes, (std::vector<std::string>{"abc", "abcd", "abcdж", "longer text", "xyz"}));

  // A read-only edit keeps its text whatever reaches the window.
  edit.SetReadOnly(true);
  SetWindowTextW(window, L"typed");
  EXPECT_EQ(edit.Text(), "xyz");
  EXPECT_EQ(TextOf(window), L"xyz");
  EXPECT_EQ(changes.size(), 5u);

  edit.SetPasswordChar('*');
  EXPECT_EQ(SendMessageW(window, EM_GETPASSWORDCHAR, 0, 0), '*');
}

TEST(ToolkitViewControls, AnArrowClickMovesTheSpinnerThroughTheModelAndAProgramMoveDoesNotAsk) {
  ShownForm shown;
  auto& edit = shown.form.Add<TEdit>("edCount");
  edit.SetBounds(10, 10, 60, 22);
  auto& spin = shown.form.Add<TUpDown>("udCount");
  spin.SetBounds(70, 10, 17, 22);
  spin.SetRange(0, 10);
  spin.SetAssociate(&edit);
  spin.SetPosition(5);
  int changing = 0;
  spin.OnChanging = [&](Component&, bool&) { ++changing; };
  shown.Show();
  HWND arrows = shown["udCount"];
  HWND text = shown["edCount"];
  RECT area;
  GetClientRect(arrows, &area);

  ClickAt(arrows, area.right / 2, area.bottom / 4);
  EXPECT_EQ(spin.Position(), 6);
  EXPECT_EQ(TextOf(text), L"6");
  ClickAt(arrows, area.right / 2, area.bottom * 3 / 4);
  ClickAt(arrows, area.right / 2, area.bottom * 3 / 4);
  EXPECT_EQ(spin.Position(), 4);
  EXPECT_EQ(changing, 3) << "one changing call per arrow click";

  spin.SetPosition(10);
  EXPECT_EQ(TextOf(text), L"10");
  EXPECT_EQ(changing, 3) << "a program move never asks";
  ClickAt(arrows, area.right / 2, area.bottom / 4);
  EXPECT_EQ(spin.Position(), 10) << "the end stops it";

  // The arrow keys in the edit are arrow clicks; typing a number moves it.
  SendMessageW(text, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(spin.Position(), 9);
  EXPECT_EQ(changing, 5);
  SetWindowTextW(text, L"3");
  EXPECT_EQ(spin.Position(), 3);
}

struct NativeSpin {
  int position;
  int min;
  int max;
  bool operator==(const NativeSpin&) const = default;
};

// What an assistive tool reads from the native up-down. (Its error flag
// tells whether a buddy's text parsed; this up-down has no buddy.)
NativeSpin ReadNative(HWND arrows) {
  const int position = static_cast<int>(SendMessageW(arrows, UDM_GETPOS32, 0, 0));
  int min = 0;
  int max = 0;
  SendMessageW(arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
  return {position, min, max};
}

std::ostream& operator<<(std::ostream& out, const NativeSpin& spin) {
  return out << spin.position << " in " << spin.min << ".." << spin.max;
}

TEST(ToolkitViewControls, TheNativeSpinnerHoldsTheModelsRangeAndPositionAndStillReportsClicksAtTheEnds) {
  ShownForm shown;
  auto& edit = shown.form.Add<TEdit>("edHops");
  edit.SetBounds(10, 10, 60, 22);
  auto& spin = shown.form.Add<TUpDown>("udHops");
  spin.SetBounds(70, 10, 17, 22);
  spin.SetRange(1, 255);
  spin.SetAssociate(&edit);
  spin.SetPosition(128);
  auto& reversed = shown.form.Add<TUpDown>("udReversed");
  reversed.SetBounds(100, 10, 17, 22);
  reversed.SetRange(10, -5);
  reversed.SetPosition(-5);
  std::vector<UpDownButton> asked;
  spin.OnChangingEx = [&](Component&, bool&, int, UpDownButton button) { asked.push_back(button); };
  int reversedAsked = 0;
  reversed.OnChanging = [&](Component&, bool&) { ++reversedAsked; };
  shown.Show();
  HWND arrows = shown["udHops"];
  RECT area;
  GetClientRect(arrows, &area);
  const auto up = [&](HWND window) { ClickAt(window, area.right / 2, area.bottom / 4); };
  const auto down = [&](HWND window) { ClickAt(window, area.right / 2, area.bottom * 3 / 4); };

  EXPECT_EQ(ReadNative(arrows), (NativeSpin{128, 1, 255})) << "as shown";
  EXPECT_EQ(ReadNative(shown["udReversed"]), (NativeSpin{-5, 10, -5})) << "a reversed range, negative numbers";

  up(arrows);
  EXPECT_EQ(ReadNative(arrows), (NativeSpin{129, 1, 255})) << "an arrow click";
  SetWindowTextW(shown["edHops"], L"64");
  EXPECT_EQ(ReadNative(arrows), (NativeSpin{64, 1, 255})) << "a typed number";
  spin.SetRange(1, 100);
  spin.SetPosition(100);
  EXPECT_EQ(ReadNative(arrows), (NativeSpin{100, 1, 100})) << "a program change";

  // At the top the up arrow still asks, and nothing moves.
  asked.clear();
  up(arrows);
  EXPECT_EQ(asked, std::vector<UpDownButton>{UpDownButton::Up}) << "the click at the end reached the handler";
  EXPECT_EQ(spin.Position(), 100);
  EXPECT_EQ(ReadNative(arrows).position, 100);
  spin.SetPosition(1);
  asked.clear();
  down(arrows);
  EXPECT_EQ(asked, std::vector<UpDownButton>{UpDownButton::Down}) << "and at the bottom";
  EXPECT_EQ(ReadNative(arrows).position, 1);

  // A refused move leaves the native position where the model is.
  spin.OnChangingEx = [](Component&, bool& allow, int, UpDownButton) { allow = false; };
  up(arrows);
  EXPECT_EQ(spin.Position(), 1);
  EXPECT_EQ(ReadNative(arrows).position, 1);

  // In a reversed range the upper arrow heads for Max, which is below Min.
  up(shown["udReversed"]);
  EXPECT_EQ(reversedAsked, 1);
  EXPECT_EQ(reversed.Position(), -5) << "already at Max";
  down(shown["udReversed"]);
  EXPECT_EQ(reversed.Position(), -4);
  EXPECT_EQ(ReadNative(shown["udReversed"]), (NativeSpin{-4, 10, -5}));
}

void UserSelectsTab(HWND tabs, int index) {
  SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  NMHDR header = {tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

// While it lives, notes for each window made whether its parent showed.
class CreationWatch {
 public:
  CreationWatch() {
    watch_ = this;
    hook_ = SetWindowsHookExW(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId());
  }
  ~CreationWatch() {
    UnhookWindowsHookEx(hook_);
    watch_ = nullptr;
  }
  int MadeIn(const std::string& parent) const { return madeIn_.count(parent) ? madeIn_.at(parent).first : 0; }
  int MadeWhileShown(const std::string& parent) const { return madeIn_.count(parent) ? madeIn_.at(parent).second : 0; }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && watch_) {
      HWND parent = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent;
      auto& [made, shown] = watch_->madeIn_[NameOf(parent)];
      ++made;
      if (IsWindowVisible(parent)) ++shown;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline CreationWatch* watch_ = nullptr;
  HHOOK hook_;
  std::map<std::string, std::pair<int, int>> madeIn_;
};

TEST(ToolkitViewControls, TabSwitchesGoThroughTheModelAndShowOnlyTheActiveSheet) {
  ShownForm shown;
  auto& pages = shown.form.Add<TPageControl>("pcPages");
  pages.SetBounds(0, 0, 400, 250);
  pages.SetHotTrack(true);
  auto& first = shown.form.Add<TTabSheet>("tsFirst", pages);
  first.SetCaption("First");
  auto& second = shown.form.Add<TTabSheet>("tsSecond", pages);
  second.SetCaption("Second");
  auto& third = shown.form.Add<TTabSheet>("tsThird", pages);
  third.SetCaption("Third");
  auto& onSecond = shown.form.Add<TCheckBox>("cbOnSecond", second);
  onSecond.SetBounds(10, 10, 100, 17);
  int changes = 0;
  pages.OnChange = [&](Component&) {
    ++changes;
    // The page's handler finds the page's windows made.
    EXPECT_NE(FindByName(shown.Window(), pages.ActivePage()->Name()), nullptr);
  };
  shown.Show();
  HWND tabs = shown["pcPages"];
  const auto tabText = [&](int index) {
    wchar_t text[64] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return std::wstring(text);
  };
  EXPECT_TRUE(GetWindowLongPtrW(tabs, GWL_STYLE) & TCS_HOTTRACK);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_TRUE(IsWindowVisible(shown["tsFirst"]));
  EXPECT_EQ(FindByName(shown.Window(), "tsSecond"), nullptr) << "a page not shown yet has no windows";
  EXPECT_EQ(FindByName(shown.Window(), "cbOnSecond"), nullptr);

  // Changed while it has no window, it shows as it is when its page first shows.
  onSecond.SetState(cbGrayed);
  onSecond.SetCaption("Changed before");
  onSecond.SetEnabled(false);
  second.SetCaption("Second page");
  EXPECT_EQ(tabText(1), L"Second page") << "a page without windows still names its tab";
  {
    CreationWatch watch;
    UserSelectsTab(tabs, 1);
    EXPECT_EQ(watch.MadeIn("tsSecond"), 1);
    EXPECT_EQ(watch.MadeWhileShown("tsSecond"), 0) << "a page's controls are made while it is hidden";
  }
  EXPECT_EQ(pages.ActivePage(), &second);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(IsWindowVisible(shown["tsFirst"]));
  HWND box = shown["cbOnSecond"];
  EXPECT_TRUE(IsWindowVisible(box));
  EXPECT_EQ(GetParent(box), shown["tsSecond"]);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(TextOf(box), L"Changed before");
  EXPECT_FALSE(IsWindowEnabled(box));
  onSecond.SetState(cbChecked);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "and follows the model from then on";

  third.SetEnabled(false);
  UserSelectsTab(tabs, 2);
  EXPECT_EQ(pages.ActivePage(), &second) << "a disabled page is refused";
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1) << "and its tab gives way";
  EXPECT_EQ(changes, 1);

  pages.SetActivePage(&first);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(changes, 1) << "a program switch fires nothing";
  second.SetTabVisible(false);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  third.SetEnabled(true);
  UserSelectsTab(tabs, 1);
  EXPECT_EQ(pages.ActivePage(), &third) << "tab 1 is now the third page";
  EXPECT_EQ(changes, 2);

  EXPECT_EQ(tabText(0), L"First");
  EXPECT_EQ(shown["cbOnSecond"], box) << "a page is made once";
  EXPECT_FALSE(IsWindowVisible(box));
  third.SetCaption("Renamed");
  EXPECT_EQ(tabText(1), L"Renamed") << "a caption changed after the window was made reaches its tab";

  // A tab shown again takes its page's place among the others.
  second.SetTabVisible(true);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(tabText(0), L"First");
  EXPECT_EQ(tabText(1), L"Second page");
  EXPECT_EQ(tabText(2), L"Renamed");
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2) << "the third page still shows, on its tab";
  first.SetTabVisible(false);
  third.SetTabVisible(false);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(tabText(0), L"Second page");
  EXPECT_EQ(pages.ActivePage(), &second);
}

TEST(ToolkitViewControls, ListsAndTheSliderMirrorTheModelAndReportTheUser) {
  ShownForm shown;
  auto& combo = shown.form.Add<TComboBox>("cbTCPProfile");
  combo.SetBounds(10, 10, 150, 21);
  combo.SetItems({"Adapter one", "Адаптер два"});
  int comboChanges = 0;
  combo.OnChange = [&](Component&) { ++comboChanges; };
  auto& slider = shown.form.Add<TTrackBar>("tbMenuSpeed");
  slider.SetBounds(200, 10, 30, 150);
  slider.SetOrientation(TrackBarOrientation::Vertical);
  slider.SetRange(0, 10);
  int slides = 0;
  slider.OnChange = [&](Component&) { ++slides; };
  auto& list = shown.form.Add<TListView>("lvDrives");
  list.SetBounds(10, 170, 300, 100);
  list.SetColumns({{"Device", 100}, {"Driver", 80}});
  shown.Show();
  HWND comboWindow = shown["cbTCPProfile"];

  EXPECT_EQ(SendMessageW(comboWindow, CB_GETCOUNT, 0, 0), 2);
  combo.SetItemIndex(1);
  EXPECT_EQ(SendMessageW(comboWindow, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(comboChanges, 0);
  SendMessageW(comboWindow, CB_SETCURSEL, 0, 0);
  SendMessageW(GetParent(comboWindow), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboWindow), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(comboWindow));
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_EQ(comboChanges, 1);

  HWND sliderWindow = shown["tbMenuSpeed"];
  EXPECT_TRUE(GetWindowLongPtrW(sliderWindow, GWL_STYLE) & TBS_VERT);
  slider.SetPosition(4);
  EXPECT_EQ(SendMessageW(sliderWindow, TBM_GETPOS, 0, 0), 4);
  SendMessageW(sliderWindow, WM_KEYDOWN, VK_DOWN, 0);  // the user moves it one step
  EXPECT_EQ(slider.Position(), 5);
  EXPECT_EQ(slides, 2);

  HWND listWindow = shown["lvDrives"];
  list.AddItem({"Primary master", {"atapi"}, -1});
  list.AddItem({"Первичный ведомый", {"atapi"}, -1});
  EXPECT_EQ(SendMessageW(listWindow, LVM_GETITEMCOUNT, 0, 0), 2);
  wchar_t text[64] = {};
  LVITEMW item = {};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(listWindow, LVM_GETITEMTEXTW, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, L"Первичный ведомый");
  list.SetSelected(1);
  EXPECT_EQ(SendMessageW(listWindow, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
}

TEST(ToolkitViewControls, RussianTextsReadCorrectlyWhateverTheAnsiCodePage) {
  // The run sets an English locale: the ANSI calls would lose these texts.
  EXPECT_NE(GetACP(), 1251u);
  ShownForm shown;
  shown.form.SetCaption("Настройка Windows");
  auto& label = shown.form.Add<TLabel>("lblHintsLang");
  label.SetBounds(10, 10, 200, 13);
  label.SetCaption("Подсказки на русском языке");
  auto& edit = shown.form.Add<TEdit>("edOwner");
  edit.SetBounds(10, 40, 200, 21);
  shown.Show();

  EXPECT_EQ(TextOf(shown.Window()), L"Настройка Windows");
  EXPECT_EQ(TextOf(shown["lblHintsLang"]), L"Подсказки на русском языке");
  label.SetCaption("Отображать");
  EXPECT_EQ(TextOf(shown["lblHintsLang"]), L"Отображать");
  SetWindowTextW(shown["edOwner"], L"Владелец");
  EXPECT_EQ(edit.Text(), "Владелец");
}

TEST(ToolkitViewControls, WindowsAreMadeAsTheModelStandsAndStackedInLayoutOrder) {
  ShownForm shown;
  TForm& form = shown.form;
  form.Add<TBevel>("bvFrame").SetBounds(0, 0, 300, 100);
  form.Add<TLabel>("lblShadow").SetBounds(12, 11, 100, 13);
  auto& label = form.Add<TLabel>("lblOver");
  label.SetBounds(10, 10, 5, 13);
  label.SetCaption("A caption wider than five pixels");
  auto& off = form.Add<TCheckBox>("cbOff");
  off.SetBounds(10, 40, 100, 17);
  off.SetEnabled(false);
  auto& hidden = form.Add<TEdit>("edHidden");
  hidden.SetBounds(10, 60, 100, 21);
  hidden.SetVisible(false);
  shown.Show();

  // From the top: each later control over the earlier ones, the bevel beneath all.
  std::vector<std::string> stack;
  for (HWND child = GetWindow(shown.Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    stack.push_back(NameOf(child));
  }
  EXPECT_EQ(stack, (std::vector<std::string>{"edHidden", "cbOff", "lblOver", "lblShadow", "bvFrame"}));
  EXPECT_FALSE(IsWindowEnabled(shown["cbOff"]));
  EXPECT_FALSE(GetWindowLongPtrW(shown["edHidden"], GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(TextOf(shown["lblOver"]), L"A caption wider than five pixels");

  // An auto-sized label is made at its caption's size and follows a new caption.
  const auto windowWidth = [&] {
    RECT bounds;
    GetWindowRect(shown["lblOver"], &bounds);
    return static_cast<int>(bounds.right - bounds.left);
  };
  // The model holds design units; the window is where the scale puts them.
  const int first = label.Width();
  EXPECT_GT(first, 5);
  EXPECT_EQ(windowWidth(), shown.view->PlaceOf(label).width);
  label.SetCaption("A caption wider than five pixels, and then some");
  EXPECT_GT(label.Width(), first);
  EXPECT_EQ(windowWidth(), shown.view->PlaceOf(label).width);
}

}  // namespace
}  // namespace varnox::test
