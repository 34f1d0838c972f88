// The Logon, Memory management and Network pages end to end: the user's
// clicks, typing and arrow clicks on the real window, then OK or Cancel,
// then the real registry.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "driver/ui_driver.h"
#include "page_scenario.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kLogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
constexpr char kMemory[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr char kServer[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
constexpr char kWorkstation[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanWorkstation\\Parameters";
constexpr char kWow[] = "SYSTEM\\CurrentControlSet\\Control\\WOW";
constexpr char kDesktop[] = "Control Panel\\Desktop";

class PagesEndToEnd : public PageScenario {};

using Snapshot = std::vector<std::map<std::string, RegistryData>>;

Snapshot TouchedKeys() {
  return {ValuesOf(HKEY_LOCAL_MACHINE, kLogon),  ValuesOf(HKEY_LOCAL_MACHINE, kMemory),
          ValuesOf(HKEY_LOCAL_MACHINE, kServer), ValuesOf(HKEY_LOCAL_MACHINE, kWorkstation),
          ValuesOf(HKEY_LOCAL_MACHINE, kWow),    ValuesOf(HKEY_CURRENT_USER, kDesktop)};
}

TEST_F(PagesEndToEnd, FreshWindowHasNothingToSaveAndCancelChangesNothing) {
  const Snapshot before = TouchedKeys();
  ASSERT_FALSE(before[0].empty()) << "the version's registry file was imported";
  Run([](UiDriver& ui) {
    EXPECT_FALSE(ui.Enabled("ApplyBtn"));
    // Looking at every page is no change either.
    for (const wchar_t* page : {L"Logon", L"Memory management", L"Network"}) {
      ui.SelectTab("PageControl", page);
      EXPECT_FALSE(ui.Enabled("ApplyBtn")) << "showing a page marked something";
    }
    ui.Click("CancelBtn");
  });
  EXPECT_EQ(TouchedKeys(), before);
}

TEST_F(PagesEndToEnd, AutologonOnStoresThePasswordAndOffDeletesIt) {
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Logon");
    ui.Click("cbEnableAutoLogon");
    EXPECT_EQ(ui.CheckState("cbEnableAutoLogon"), BST_CHECKED);
    EXPECT_EQ(ui.CheckState("cbDontDisplayLastUserName"), BST_UNCHECKED);
    ui.Type("PasswordEdit", L"s3cret");
    EXPECT_TRUE(ui.Enabled("ApplyBtn"));
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kLogon, "AutoAdminLogon"), "1");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kLogon, "DefaultPassword"), "s3cret");

  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Logon");
    EXPECT_EQ(ui.CheckState("cbEnableAutoLogon"), BST_CHECKED);
    EXPECT_EQ(ui.Text("PasswordEdit"), L"s3cret");
    ui.Click("cbEnableAutoLogon");
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kLogon, "AutoAdminLogon"), "0");
  EXPECT_FALSE(ReadString(HKEY_LOCAL_MACHINE, kLogon, "DefaultPassword").has_value());
}

TEST_F(PagesEndToEnd, Windows2000CounterStartsAtTenAndCountsArrowClicks) {
  if (Version() != "win2k") GTEST_SKIP() << "the counter is kept by Windows 2000 only";
  ASSERT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kLogon, "AutoLogonCount").has_value());
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Logon");
    EXPECT_TRUE(ui.Enabled("cbAutoLogonCount"));
    EXPECT_EQ(ui.CheckState("cbAutoLogonCount"), BST_INDETERMINATE);
    EXPECT_FALSE(ui.Enabled("edAutoLogonCount"));
    ui.Click("cbAutoLogonCount");  // grey → checked
    ui.Click("cbAutoLogonCount");  // checked → unchecked: counting
    EXPECT_TRUE(ui.Enabled("edAutoLogonCount"));
    EXPECT_EQ(ui.Text("edAutoLogonCount"), L"10");
    ui.ArrowClick("udAutoLogonCount", true);
    EXPECT_EQ(ui.Text("edAutoLogonCount"), L"11");
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kLogon, "AutoLogonCount"), 11u);
}

TEST_F(PagesEndToEnd, Nt4NeverWritesDisableCad) {
  if (Version() != "nt40") GTEST_SKIP() << "an NT 4.0 scenario";
  ASSERT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kLogon, "DisableCAD").has_value());
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Logon");
    EXPECT_FALSE(ui.Enabled("cbDisableCAD"));
    EXPECT_TRUE(ui.Enabled("cbPowerDownAfterShutDown"));
    ui.Click("cbEnableAutoLogon");
    ui.Click("cbPowerDownAfterShutDown");
    ui.Click("ApplyBtn");
  });
  EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kLogon, "DisableCAD").has_value());
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kLogon, "AutoAdminLogon"), "1");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kLogon, "PowerdownAfterShutdown"), "1");
}

TEST_F(PagesEndToEnd, OptimisationChoiceCarriesTheLargeCacheBox) {
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Memory management");
    ui.Click("rbServer3");  // file sharing: the large cache goes with it
    EXPECT_EQ(ui.CheckState("cbLargeCache"), BST_CHECKED);
    ui.Click("rbServer2");  // balance: and away again
    EXPECT_EQ(ui.CheckState("cbLargeCache"), BST_UNCHECKED);
    ui.Click("cbLargeCache");  // ticking the box picks file sharing
    EXPECT_EQ(ui.CheckState("rbServer3"), BST_CHECKED);
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kServer, "Size"), 3u);
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kMemory, "LargeSystemCache"), 1u);
}

TEST_F(PagesEndToEnd, IoLockLimitShowsRoundedKilobytesAndWritesBytesBack) {
  if (Version() != "nt40" && Version() != "win2k") GTEST_SKIP() << "the limit is kept by NT 4.0 and 2000 only";
  ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, kMemory, "IoPageLockLimit", 2560));  // 2.5 KB: the even neighbour
  std::wstring shown;
  Run([&shown](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Memory management");
    EXPECT_EQ(ui.CheckState("rbIOLockOther"), BST_CHECKED);
    EXPECT_EQ(ui.Text("edIOLockOther"), L"2");
    ui.Type("edIOLockOther", L"4096");
    EXPECT_FALSE(ui.Enabled("ApplyBtn")) << "typing alone marks nothing";
    ui.ArrowClick("udIOLockOther", true);
    shown = ui.Text("edIOLockOther");
    ui.Click("ApplyBtn");
  });
  ASSERT_FALSE(shown.empty());
  EXPECT_GT(std::stoul(shown), 4096u) << "the arrow moved up from what was typed";
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kMemory, "IoPageLockLimit"), std::stoul(shown) * 1024);
}

TEST_F(PagesEndToEnd, ShareBoxCycledBackToGreyDeletesItsValue) {
  ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, kServer, "AutoShareServer", 1));
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Network");
    EXPECT_EQ(ui.CheckState("cbAutoShareServer"), BST_CHECKED);
    ui.Click("cbAutoShareServer");  // checked → unchecked
    ui.Click("cbAutoShareServer");  // unchecked → grey
    EXPECT_EQ(ui.CheckState("cbAutoShareServer"), BST_INDETERMINATE);
    ui.Click("ApplyBtn");
  });
  EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kServer, "AutoShareServer").has_value());
  EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kServer, "AutoShareWks").has_value()) << "grey and missing stays missing";
}

TEST_F(PagesEndToEnd, CreateValueClickStaysAfterCancelAndTypingMarksNothing) {
  ASSERT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kServer, "DiskSpaceThreshold").has_value());
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Network");
    EXPECT_EQ(ui.Text("lblDiskAlert"), L"Create this value in registry");
    EXPECT_FALSE(ui.Enabled("edDiskAlert"));
    ui.Click("sbCreateDiskAlert");
    EXPECT_EQ(ui.Text("lblDiskAlert"), L"Delete this value from registry");
    EXPECT_TRUE(ui.Enabled("edDiskAlert"));
    EXPECT_EQ(ui.Text("edDiskAlert"), L"10");
    ui.Type("edDiskAlert", L"15");
    EXPECT_FALSE(ui.Enabled("ApplyBtn"));
    ui.Click("CancelBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kServer, "DiskSpaceThreshold"), 10u);

  // Now the value is there: an arrow click marks it, and a delete click is
  // as final as the create was.
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Network");
    EXPECT_EQ(ui.Text("lblDiskAlert"), L"Delete this value from registry");
    ui.ArrowClick("udDiskAlert", true);
    EXPECT_EQ(ui.Text("edDiskAlert"), L"11");
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kServer, "DiskSpaceThreshold"), 11u);
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Network");
    ui.Click("sbCreateDiskAlert");
    EXPECT_EQ(ui.Text("lblDiskAlert"), L"Create this value in registry");
    ui.Click("CancelBtn");
  });
  EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kServer, "DiskSpaceThreshold").has_value());
}

TEST_F(PagesEndToEnd, EndTaskTimeoutsAreWrittenAsDecimalText) {
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Logon");
    ui.ArrowClick("udHungApplication", false);
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "HungAppTimeout"), "4999");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "WaitToKillAppTimeout"), "20000");
}

}  // namespace
}  // namespace varnox::test
