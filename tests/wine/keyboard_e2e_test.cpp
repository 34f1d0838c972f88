// The window driven by the keyboard alone: real key presses (SendInput) into
// the real window, the focus read as assistive tools read it, then OK and
// the real registry. And every field's name: the static text just above it
// among its sibling windows.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "page_scenario.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kPrefetch[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";
// The options panel's controls, which Tab must pass over while it is closed.
const std::vector<std::string> kPanelControls = {"cbSwitchLanguage", "btnSaveChanges", "btnBackup", "btnOpenSettings"};

enum Modifiers : unsigned { kNone = 0, kCtrl = 1, kShift = 2 };

void AddKey(std::vector<INPUT>& inputs, WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  inputs.push_back(input);
}

// Waits until the window's thread has handled what came before.
void Settle(const UiDriver& ui) {
  Sleep(60);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(ui.Form(), WM_NULL, 0, 0, SMTO_NORMAL, 3000, &ignored);
  Sleep(20);
}

// A real key press, with Ctrl and Shift held as asked.
void Press(const UiDriver& ui, WORD key, unsigned modifiers = kNone) {
  std::vector<INPUT> inputs;
  if (modifiers & kCtrl) AddKey(inputs, VK_CONTROL, false);
  if (modifiers & kShift) AddKey(inputs, VK_SHIFT, false);
  AddKey(inputs, key, false);
  AddKey(inputs, key, true);
  if (modifiers & kShift) AddKey(inputs, VK_SHIFT, true);
  if (modifiers & kCtrl) AddKey(inputs, VK_CONTROL, true);
  ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
  Settle(ui);
}

HWND FocusWindow(const UiDriver& ui) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(ui.Form(), nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// The name of the control holding the focus (a part of a control, such as
// a radio group's button, counts as its control); empty when the focus is
// on no named control, "ConfForm" when on the window itself.
std::string FocusName(const UiDriver& ui) {
  for (HWND at = FocusWindow(ui); at != nullptr; at = GetParent(at)) {
    const std::string name = NameOf(at);
    if (!name.empty()) return name;
    if (at == ui.Form()) break;
  }
  return {};
}

void ExpectFocusInWindow(const UiDriver& ui) {
  HWND focus = FocusWindow(ui);
  EXPECT_TRUE(focus != nullptr && focus != ui.Form() && IsChild(ui.Form(), focus))
      << "the focus is on " << FocusName(ui);
  EXPECT_TRUE(IsWindowVisible(focus) && IsWindowEnabled(focus)) << FocusName(ui);
}

std::wstring ActiveTab(const UiDriver& ui) {
  const auto index = static_cast<int>(SendMessageW(ui.Find("PageControl"), TCM_GETCURSEL, 0, 0));
  const std::vector<std::wstring> captions = ui.TabCaptions("PageControl");
  return index >= 0 && index < static_cast<int>(captions.size()) ? captions[static_cast<std::size_t>(index)] : L"";
}

// The names Tab visits from the tab strip until it is back there.
std::vector<std::string> TabCycle(const UiDriver& ui) {
  std::vector<std::string> names;
  if (FocusName(ui) != "PageControl") ADD_FAILURE() << "the cycle starts away from the tab strip";
  do {
    names.push_back(FocusName(ui));
    Press(ui, VK_TAB);
  } while (FocusName(ui) != "PageControl" && names.size() < 60);
  return names;
}

void TabTo(const UiDriver& ui, const std::string& name) {
  for (int i = 0; i < 60 && FocusName(ui) != name; ++i) Press(ui, VK_TAB);
  ASSERT_EQ(FocusName(ui), name);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

// Every window inside `parent`, at any depth.
std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The controls of the shown page a user can reach: visible, enabled tab
// stops, the chosen one of each option group.
std::vector<std::string> ReachableOnPage(const UiDriver& ui, const std::string& sheet) {
  std::vector<std::string> names;
  for (HWND window : Descendants(ui.Find(sheet))) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const std::string name = NameOf(window);
    if (name.empty() || !(style & WS_TABSTOP) || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
    const bool radio = (style & 0xF) == BS_RADIOBUTTON && ClassOf(window) == L"Button";
    if (radio && SendMessageW(window, BM_GETCHECK, 0, 0) != BST_CHECKED) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The options panel's controls a user can reach once it is open: enabled
// tab stops in the strip below the buttons, which a closed panel hides.
std::vector<std::string> PanelControls(const UiDriver& ui) {
  const LONG below = ui.WindowRect("OptionsBtn").bottom;
  std::vector<std::string> names;
  for (HWND window : Descendants(ui.Form())) {
    RECT rect;
    GetWindowRect(window, &rect);
    const std::string name = NameOf(window);
    if (!name.empty() && rect.top >= below && (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP) &&
        IsWindowEnabled(window))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The cycle holds the tab strip, then the page's controls, then the buttons
// in their order, and nothing of a closed options panel.
void ExpectCycle(const UiDriver& ui, const std::vector<std::string>& cycle, const std::string& sheet) {
  ASSERT_FALSE(cycle.empty());
  EXPECT_EQ(cycle.front(), "PageControl");
  std::vector<std::string> buttons;
  std::vector<std::string> onPage;
  for (std::size_t i = 1; i < cycle.size(); ++i) {
    const std::string& name = cycle[i];
    if (name == "ApplyBtn" || name == "CancelBtn" || name == "btnRunAsAdmin" || name == "OptionsBtn") {
      buttons.push_back(name);
    } else {
      EXPECT_TRUE(buttons.empty()) << name << " after the buttons";
      onPage.push_back(name);
    }
  }
  std::vector<std::string> expectedButtons;
  for (const char* name : {"ApplyBtn", "CancelBtn", "btnRunAsAdmin", "OptionsBtn"}) {
    if (ui.Visible(name) && ui.Enabled(name)) expectedButtons.push_back(name);
  }
  EXPECT_EQ(buttons, expectedButtons);
  std::sort(onPage.begin(), onPage.end());
  EXPECT_EQ(onPage, ReachableOnPage(ui, sheet));
  const std::vector<std::string> panel = PanelControls(ui);
  EXPECT_TRUE(Contains(panel, "cbSwitchLanguage"));
  for (const std::string& name : panel) EXPECT_FALSE(Contains(cycle, name)) << name;
}

// A field without a caption of its own must have a visible static with
// text just above it among its siblings, which names it.
void ExpectFieldsNamed(const UiDriver& ui, const std::string& sheet) {
  for (HWND window : Descendants(ui.Find(sheet))) {
    const std::wstring kind = ClassOf(window);
    const bool field = kind == L"Edit" || kind == L"ComboBox" || kind == TRACKBAR_CLASSW || kind == WC_LISTVIEWW;
    if (!field || !IsWindowVisible(window) || NameOf(window).empty()) continue;
    HWND label = GetWindow(window, GW_HWNDPREV);
    wchar_t text[128] = {};
    if (label) GetWindowTextW(label, text, 128);
    EXPECT_TRUE(label && ClassOf(label) == L"Static" && IsWindowVisible(label) && text[0] != 0)
        << NameOf(window) << " follows " << (label ? NameOf(label) : std::string("nothing"));
  }
}

class KeyboardEndToEnd : public PageScenario {};

TEST_F(KeyboardEndToEnd, TabCyclesPageKeysSpaceAndASpinBoxFromTheKeyboard) {
  const std::optional<std::string> hungBefore = ReadString(HKEY_CURRENT_USER, kDesktop, "HungAppTimeout");
  int expectedHung = 0;
  Run([&](UiDriver& ui) {
    SetForegroundWindow(ui.Form());
    Settle(ui);
    EXPECT_EQ(FocusName(ui), "PageControl") << "the Information page takes no input";
    ExpectCycle(ui, TabCycle(ui), "tsInformation");

    const std::wstring information = ActiveTab(ui);
    Press(ui, VK_TAB, kCtrl);
    EXPECT_EQ(ActiveTab(ui), L"Logon");
    EXPECT_EQ(FocusName(ui), "PageControl") << "the tab strip keeps the focus";
    Press(ui, VK_TAB, kCtrl | kShift);
    EXPECT_EQ(ActiveTab(ui), information);
    Press(ui, VK_PRIOR, kCtrl);
    EXPECT_EQ(ActiveTab(ui), L"System tools") << "round to the last page";
    Press(ui, VK_NEXT, kCtrl);
    EXPECT_EQ(ActiveTab(ui), information);
    Press(ui, VK_NEXT, kCtrl);
    ASSERT_EQ(ActiveTab(ui), L"Logon");
    ExpectFocusInWindow(ui);

    ExpectCycle(ui, TabCycle(ui), "tsLogon");

    // Space steps a three-state box as a click does (Windows NT 4.0 keeps
    // the first one off).
    const std::string box = ui.Enabled("cbDisableCAD") ? "cbDisableCAD" : "cbDisableQuickReboot";
    TabTo(ui, box);
    const int next[] = {BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED};  // after unchecked, checked, grey
    int state = ui.CheckState(box);
    for (int press = 0; press < 3; ++press) {
      Press(ui, VK_SPACE);
      state = next[state == BST_UNCHECKED ? 0 : state == BST_CHECKED ? 1 : 2];
      EXPECT_EQ(ui.CheckState(box), state) << box << ", press " << press;
    }
    EXPECT_TRUE(ui.Enabled("ApplyBtn"));
    // Away from the page, a page key takes the focus to the new page's
    // first input and back.
    Press(ui, VK_NEXT, kCtrl);
    EXPECT_NE(ActiveTab(ui), L"Logon");
    ExpectFocusInWindow(ui);
    EXPECT_NE(FocusName(ui), "PageControl");
    Press(ui, VK_PRIOR, kCtrl);
    ASSERT_EQ(ActiveTab(ui), L"Logon");
    EXPECT_TRUE(IsChild(ui.Find("tsLogon"), FocusWindow(ui))) << "on the page: " << FocusName(ui);

    // The options panel opens from the keyboard; its controls join the cycle.
    TabTo(ui, "OptionsBtn");
    Press(ui, VK_RETURN);
    for (int wait = 0; wait < 50 && ui.Text("OptionsBtn") != L"Options <"; ++wait) Settle(ui);
    ASSERT_EQ(ui.Text("OptionsBtn"), L"Options <");
    TabTo(ui, "PageControl");
    const std::vector<std::string> open = TabCycle(ui);
    ASSERT_FALSE(open.empty());
    const auto options = std::find(open.begin(), open.end(), "OptionsBtn");
    ASSERT_NE(options, open.end());
    std::vector<std::string> afterButtons(options + 1, open.end());
    ASSERT_FALSE(afterButtons.empty());
    EXPECT_EQ(afterButtons.front(), "cbSwitchLanguage");
    std::sort(afterButtons.begin(), afterButtons.end());
    EXPECT_EQ(afterButtons, PanelControls(ui)) << "after the buttons";

    // Up and Down in a spin box's field step its number; Enter is OK.
    TabTo(ui, "edHungApplication");
    const int start = std::stoi(ui.Text("edHungApplication"));
    Press(ui, VK_UP);
    EXPECT_EQ(ui.Text("edHungApplication"), std::to_wstring(start + 1));
    Press(ui, VK_DOWN);
    Press(ui, VK_DOWN);
    expectedHung = start - 1;
    EXPECT_EQ(ui.Text("edHungApplication"), std::to_wstring(expectedHung));
    EXPECT_EQ(ui.UpDownPosition("udHungApplication"), expectedHung);
    Press(ui, VK_RETURN);
  });
  EXPECT_NE(ReadString(HKEY_CURRENT_USER, kDesktop, "HungAppTimeout"), hungBefore);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "HungAppTimeout"), std::to_string(expectedHung));
}

TEST_F(KeyboardEndToEnd, EveryFieldIsNamedAndTheArrowsChooseAPrefetchOption) {
  const bool prefetch = Version() != "nt40";
  const std::optional<DWORD> stored = ReadDword(HKEY_LOCAL_MACHINE, kPrefetch, "EnablePrefetcher");
  constexpr DWORD kChoices[] = {0, 1, 2, 3, 5};
  DWORD expected = 0;
  Run([&](UiDriver& ui) {
    SetForegroundWindow(ui.Form());
    Settle(ui);
    const std::vector<std::wstring> tabs = ui.TabCaptions("PageControl");
    const std::vector<std::string> sheets = {"tsInformation", "tsLogon", "tsMemory",  "tsNetWork", "tsInternet",
                                             "tsSecurity",    "tsIDE",   "tsDeskTop", "tsOther",   "tsOtherTools"};
    // Every shown page in turn, by Ctrl+Page Down.
    for (std::size_t page = 0; page < tabs.size(); ++page) {
      EXPECT_EQ(ActiveTab(ui), tabs[page]);
      for (const std::string& sheet : sheets) {
        if (ui.Exists(sheet) && ui.Visible(sheet)) {
          SCOPED_TRACE(sheet);
          ExpectFieldsNamed(ui, sheet);
        }
      }
      if (page + 1 < tabs.size()) Press(ui, VK_NEXT, kCtrl);
      ExpectFocusInWindow(ui);
    }
    ASSERT_EQ(ActiveTab(ui), L"System tools");
    if (!prefetch) {
      EXPECT_FALSE(ui.Enabled("rbPrefetch1"));
      return;
    }
    // The chosen option stands for its group; Down chooses the next one.
    Press(ui, VK_TAB);
    const std::string chosen = FocusName(ui);
    ASSERT_EQ(chosen.rfind("rbPrefetch", 0), 0u) << chosen;
    const int index = chosen.back() - '1';
    EXPECT_EQ(ui.CheckState(chosen), BST_CHECKED);
    const int next = (index + 1) % 5;
    const std::string nextName = "rbPrefetch" + std::to_string(next + 1);
    Press(ui, VK_DOWN);
    EXPECT_EQ(FocusName(ui), nextName);
    EXPECT_EQ(ui.CheckState(nextName), BST_CHECKED);
    EXPECT_EQ(ui.CheckState(chosen), BST_UNCHECKED);
    EXPECT_TRUE(ui.Enabled("ApplyBtn"));
    expected = kChoices[next];
    Press(ui, VK_RETURN);
  });
  if (prefetch) {
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kPrefetch, "EnablePrefetcher"), expected);
    EXPECT_NE(ReadDword(HKEY_LOCAL_MACHINE, kPrefetch, "EnablePrefetcher"), stored);
  }
}

}  // namespace
}  // namespace varnox::test
