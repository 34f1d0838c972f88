// The configuration window end to end: the real library in Wine's registry,
// opened through CPL_DBLCLK and driven by name as a user would.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "cpl_library.h"
#include "driver/ui_driver.h"

namespace varnox::test {
namespace {

std::string EmulatedVersion() {
  const char* version = std::getenv("VARNOX_WINVER");
  return version ? version : "";
}

bool IsNtFamily() { return EmulatedVersion() != "win98"; }

TEST(ConfigurationWindow, OpensWithItsCaptionTabsAndOkState) {
  CplLibrary cpl;
  ASSERT_TRUE(cpl.Loaded());
  OSVERSIONINFOA version = {sizeof version};
  GetVersionExA(&version);
  const bool ran = RunApplet(cpl, [&](UiDriver& ui) {
    EXPECT_TRUE(ui.CreationMessages().empty()) << "the fixture's registry loads without an error box";
    wchar_t caption[256] = {};
    GetWindowTextW(ui.Form(), caption, 256);
    EXPECT_EQ(std::wstring(caption), L"Varnox- freeware tool for tuning Windows NT/2000/XP/2003");

    std::vector<std::wstring> expected = {L"Information", L"Logon",       L"Memory management", L"Network",
                                          L"Internet",    L"Security",    L"IDE/ATAPI",         L"Explorer",
                                          L"Other",       L"System tools"};
    if (IsNtFamily()) {
      if (version.dwMajorVersion > 5) expected.erase(expected.begin() + 6);  // IDE/ATAPI
      if (version.dwMajorVersion > 4) expected.erase(expected.begin() + 4);  // Internet
    }
    EXPECT_EQ(ui.TabCaptions("PageControl"), expected);

    if (IsNtFamily()) {
      EXPECT_FALSE(ui.Enabled("ApplyBtn")) << "a fresh window has nothing to save";
      EXPECT_TRUE(ui.Enabled("PageControl"));
      // The names and versions of the emulated system.
      const std::map<std::string, std::pair<std::wstring, std::wstring>> expectedTexts = {
          {"nt40", {L"Microsoft Windows NT 4.0 ", L"Version 4.0 ( Build "}},
          {"win2k", {L"Microsoft Windows 2000 ", L"Version 5.0 ( Build "}},
          {"winxp", {L"Windows XP ", L"Version 5.1 ( Build "}},
          {"win2003", {L"Microsoft Windows Server 2003", L"Version 5.2 ( Build "}},
          {"vista", {L"Microsoft Windows ", L"Version 6.0 ( Build "}},
          {"win7", {L"Microsoft Windows ", L"Version 6.1 ( Build "}},
      };
      // From 8.1 on, whole lines: the true version whatever GetVersionEx tells
      // this host (6.2), Wine's edition code unknown to the table, so the
      // fixture's "EditionID", and the fixture's update revision and release.
      BOOL wow64 = FALSE;
      IsWow64Process(GetCurrentProcess(), &wow64);
      const std::wstring wordSize = sizeof(void*) == 8 || wow64 ? L", 64 bit" : L", 32 bit";
      const std::map<std::string, std::pair<std::wstring, std::wstring>> exactTexts = {
          {"win81", {L"Microsoft Windows 8.1 Professional" + wordSize, L"Version 6.3 ( Build 9600 )"}},
          {"win10", {L"Microsoft Windows 10 Professional" + wordSize, L"Version 10.0 ( Build 18362.2965, 22H2 )"}},
          {"win11", {L"Microsoft Windows 11 Professional" + wordSize, L"Version 10.0 ( Build 22631.4602, 23H2 )"}},
      };
      if (const auto exact = exactTexts.find(EmulatedVersion()); exact != exactTexts.end()) {
        EXPECT_EQ(ui.Text("SysLabel"), exact->second.first);
        EXPECT_EQ(ui.Text("SysVerLabel"), exact->second.second);
      } else {
        const auto& [name, versionText] = expectedTexts.at(EmulatedVersion());
        EXPECT_EQ(ui.Text("SysLabel").rfind(name, 0), 0u) << "product name of " << EmulatedVersion();
        EXPECT_EQ(ui.Text("SysVerLabel").rfind(versionText, 0), 0u);
      }
    } else {
      EXPECT_TRUE(ui.Enabled("ApplyBtn"));
      EXPECT_FALSE(ui.Enabled("PageControl"));
      EXPECT_EQ(ui.Text("ProductVerLabel"), L" Warning !");
      EXPECT_EQ(ui.Text("FileVerLabel"), L" This program designed specially for Windows NT.");
      EXPECT_EQ(ui.Text("AuthorLabel"), L" Do not use under Windows 95/98 or Windows ME.");
    }
    // The memory figures are the kilobyte texts of the emulated system.
    const std::wstring total = ui.Text("TotalMemoryLabel");
    ASSERT_GE(total.size(), 4u);
    EXPECT_EQ(total.substr(total.size() - 3), L" Kb");
    EXPECT_GT(std::stoll(total), 0);
    // The timer fills the up time and the file cache within a tick or two.
    Sleep(800);
    const std::wstring upTime = ui.Text("LoadSystemTimeLabel");
    EXPECT_NE(upTime.find(L" days, "), std::wstring::npos) << "up time reads as days and a time of day";
    EXPECT_EQ(upTime.substr(upTime.size() - 2), L"  ");
    EXPECT_NE(ui.Text("FileCacheLabel"), L"detecting ...");
    if (!IsNtFamily()) {
      EXPECT_EQ(ui.Text("FileCacheLabel"), L"File cache information not available");
    }
    if (IsNtFamily()) {
      // The host here is the test program, not rundll32.exe.
      const std::wstring fileVersion = ui.Text("FileVerLabel");
      EXPECT_EQ(fileVersion.substr(fileVersion.size() - 16), L" ( Application )");
    }
    ui.Click("CancelBtn");
  });
  EXPECT_TRUE(ran);
}

// What the window sends its controls before it first shows, by name.
struct EarlyChanges {
  bool shown = false;
  std::vector<std::string> texts;    // WM_SETTEXT
  std::vector<std::string> enables;  // WM_ENABLE
};
EarlyChanges* early = nullptr;

LRESULT CALLBACK WatchEarlyChanges(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && early && !early->shown) {
    const bool child = (GetWindowLongW(sent->hwnd, GWL_STYLE) & WS_CHILD) != 0;
    if (!child && sent->message == WM_SHOWWINDOW && sent->wParam) early->shown = true;
    if (child && sent->message == WM_SETTEXT) early->texts.push_back(NameOf(sent->hwnd));
    if (child && sent->message == WM_ENABLE) early->enables.push_back(NameOf(sent->hwnd));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The creation steps and the load run before the controls are made: each
// control is made with the text and the state they left it in, never made
// and then changed before the window shows.
TEST(ConfigurationWindow, MakesEachControlAsTheLoadLeftItWithNoChangeBeforeShowing) {
  CplLibrary cpl;
  ASSERT_TRUE(cpl.Loaded());
  EarlyChanges changes;
  early = &changes;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &WatchEarlyChanges, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  std::wstring version;
  const bool ran = RunApplet(cpl, [&](UiDriver& ui) {
    version = ui.Text("SysVerLabel");
    ui.Click("CancelBtn");
  });
  UnhookWindowsHookEx(hook);
  early = nullptr;
  EXPECT_TRUE(ran);
  EXPECT_TRUE(changes.shown);
  EXPECT_FALSE(version.empty()) << "the creation steps' texts are there all the same";
  auto joined = [](const std::vector<std::string>& names) {
    std::string all;
    for (const std::string& name : names) all += name + " ";
    return all;
  };
  EXPECT_TRUE(changes.texts.empty()) << "texts set after making: " << joined(changes.texts);
  EXPECT_TRUE(changes.enables.empty()) << "enabled or disabled after making: " << joined(changes.enables);
}

TEST(ConfigurationWindow, OptionsPanelSlidesOpenAndBackToTheFirstHeight) {
  CplLibrary cpl;
  ASSERT_TRUE(cpl.Loaded());
  const bool ran = RunApplet(cpl, [](UiDriver& ui) {
    RECT first;
    GetWindowRect(ui.Form(), &first);
    EXPECT_EQ(ui.Text("OptionsBtn"), L"Options >");
    ui.Click("OptionsBtn");
    RECT open;
    GetWindowRect(ui.Form(), &open);
    EXPECT_EQ((open.bottom - open.top) - (first.bottom - first.top), 80 + 8);
    EXPECT_EQ(ui.Text("OptionsBtn"), L"Options <");
    ui.Click("OptionsBtn");
    RECT closed;
    GetWindowRect(ui.Form(), &closed);
    EXPECT_EQ(closed.bottom - closed.top, first.bottom - first.top);
    EXPECT_EQ(ui.Text("OptionsBtn"), L"Options >");
    ui.Click("CancelBtn");
  });
  EXPECT_TRUE(ran);
}

TEST(ConfigurationWindow, LanguageSwitchChangesThePanelTextsAndBack) {
  CplLibrary cpl;
  ASSERT_TRUE(cpl.Loaded());
  const bool ran = RunApplet(cpl, [](UiDriver& ui) {
    EXPECT_EQ(ui.CheckState("cbSwitchLanguage"), BST_UNCHECKED) << "an English locale starts in English";
    EXPECT_EQ(ui.Text("lblHintsLang"), L"Hints in russian language");
    // The hinted settings are on the pages, which only the NT family opens.
    const bool pagesOpen = IsNtFamily();
    if (pagesOpen) ui.SelectTab("PageControl", L"Memory management");
    const std::wstring englishHint = pagesOpen ? ui.HoverHint("rbIOLockDefault") : L"";
    if (pagesOpen) {
      EXPECT_EQ(englishHint, L"The system locked the 512K for I/O operations.");
    }
    ui.Click("cbSwitchLanguage");
    EXPECT_EQ(ui.CheckState("cbSwitchLanguage"), BST_CHECKED);
    EXPECT_EQ(ui.Text("lblHintsLang"), Wide("Подсказки на русском языке"));
    EXPECT_EQ(ui.Text("lblVisible2"), Wide("секунд на экране"));
    if (pagesOpen) {
      const std::wstring russianHint = ui.HoverHint("rbIOLockDefault");
      EXPECT_FALSE(russianHint.empty());
      EXPECT_NE(russianHint, englishHint);
    }
    ui.Click("lblHintsLang");
    EXPECT_EQ(ui.CheckState("cbSwitchLanguage"), BST_UNCHECKED);
    EXPECT_EQ(ui.Text("lblVisible2"), L"seconds on display");
    if (pagesOpen) {
      EXPECT_EQ(ui.HoverHint("rbIOLockDefault"), englishHint);
    }
    ui.Click("CancelBtn");
  });
  EXPECT_TRUE(ran);
}

// A 32-bit top-down bitmap of `width` x `height`, selected into a memory DC.
struct Canvas {
  Canvas(int width, int height) : width(width), height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  DWORD At(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; }
  int width, height;
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  DWORD* bits = nullptr;
};

BOOL CALLBACK AddShownChild(HWND window, LPARAM children) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(children)->push_back(window);
  return TRUE;
}

// The region of `tabs` its shown child windows (the page and its controls)
// cover, in its client coordinates.
HRGN ShownChildrenRegion(HWND tabs) {
  std::vector<HWND> children;
  EnumChildWindows(tabs, &AddShownChild, reinterpret_cast<LPARAM>(&children));
  const bool pageShown =
      std::any_of(children.begin(), children.end(), [](HWND child) { return ClassOf(child) == L"TTabSheet"; });
  EXPECT_TRUE(pageShown) << "a page shows";
  HRGN covered = CreateRectRgn(0, 0, 0, 0);
  for (HWND child : children) {
    RECT bounds;
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&bounds), 2);
    HRGN part = CreateRectRgnIndirect(&bounds);
    CombineRgn(covered, covered, part, RGN_OR);
    DeleteObject(part);
  }
  return covered;
}

constexpr COLORREF kSpoil = RGB(255, 0, 255);
constexpr DWORD kSpoilPixel = 0xFF00FF;  // kSpoil as a 32-bit pixel reads

struct FramePaints {
  FramePaints(int width, int height) : shown(width, height), whole(width, height) {}
  Canvas shown;  // as the control's own paint leaves the screen
  Canvas whole;  // as the control drawing itself whole at once leaves it
};

// Spoils the tab control's pixels on the screen and lets it paint as it
// does for the user, then spoils them again and has it draw itself whole
// into the window. Runs on the window's thread: from any other, the window
// thread may take the paint from its queue itself and be midway through it
// when RedrawWindow returns, so a capture would catch the bands not yet drawn.
void PaintTheFrameBothWays(HWND tabs, FramePaints& paints) {
  const RECT client = {0, 0, paints.shown.width, paints.shown.height};
  HDC screen = GetDC(tabs);
  HBRUSH spoil = CreateSolidBrush(kSpoil);
  FillRect(screen, &client, spoil);
  RedrawWindow(tabs, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  BitBlt(paints.shown.dc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  FillRect(screen, &client, spoil);
  SendMessageW(tabs, WM_ERASEBKGND, reinterpret_cast<WPARAM>(screen), 0);
  SendMessageW(tabs, WM_PAINT, reinterpret_cast<WPARAM>(screen), 0);
  BitBlt(paints.whole.dc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  DeleteObject(spoil);
  ReleaseDC(tabs, screen);
}

struct FrameComparison {
  int differ = 0;          // pixels the control's own paint left unlike the whole paint
  int spoiledInWhole = 0;  // pixels even the whole paint left spoiled
};

// Compares what shows around the shown page (and the tab's own scroll
// arrows) after the control's own paint with what it draws in one go.
FrameComparison CompareTheFramePaints(const UiDriver& ui, HWND tabs) {
  RECT client;
  GetClientRect(tabs, &client);
  HRGN covered = ShownChildrenRegion(tabs);
  FramePaints paints(client.right, client.bottom);
  ui.OnWindowThread([&] { PaintTheFrameBothWays(tabs, paints); });
  FrameComparison comparison;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if (PtInRegion(covered, x, y)) continue;
      if (paints.shown.At(x, y) != paints.whole.At(x, y)) ++comparison.differ;
      if (paints.whole.At(x, y) == kSpoilPixel) ++comparison.spoiledInWhole;
    }
  }
  DeleteObject(covered);
  return comparison;
}

void ExpectTheWholeFramePainted(const UiDriver& ui, HWND tabs, const char* page) {
  const FrameComparison comparison = CompareTheFramePaints(ui, tabs);
  EXPECT_EQ(comparison.differ, 0) << page;
  // Both paints skipping the same pixels would compare equal.
  EXPECT_EQ(comparison.spoiledInWhole, 0) << page;
}

TEST(ConfigurationWindow, TheTabControlPaintsItsWholeFrameAroundThePageOnEveryPage) {
  CplLibrary cpl;
  ASSERT_TRUE(cpl.Loaded());
  const bool ran = RunApplet(cpl, [](UiDriver& ui) {
    HWND tabs = ui.Find("PageControl");
    ASSERT_NE(tabs, nullptr);
    ExpectTheWholeFramePainted(ui, tabs, "the first page");
    if (IsNtFamily()) {
      ui.SelectTab("PageControl", L"Explorer");
      ExpectTheWholeFramePainted(ui, tabs, "a page made on its first visit");
    }
    ui.Click("CancelBtn");
  });
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace varnox::test
