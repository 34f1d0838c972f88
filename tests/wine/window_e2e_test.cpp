// The configuration window end to end: the real library in Wine's registry,
// opened through CPL_DBLCLK and driven by name as a user would.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>

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
      const auto& [name, versionText] = expectedTexts.at(EmulatedVersion());
      EXPECT_EQ(ui.Text("SysLabel").rfind(name, 0), 0u) << "product name of " << EmulatedVersion();
      EXPECT_EQ(ui.Text("SysVerLabel").rfind(versionText, 0), 0u);
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
    EXPECT_EQ((open.bottom - open.top) - (first.bottom - first.top), 45 + 8);
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

}  // namespace
}  // namespace varnox::test
