// The Internet and Security pages end to end: the user's picks, typing,
// clicks and arrow clicks on the real window, what the native controls
// hold meanwhile, then OK and the real registry.

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver/ui_driver.h"
#include "page_scenario.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kDhcpCard[] = "SYSTEM\\CurrentControlSet\\Services\\E100B1\\Parameters\\Tcpip";
constexpr char kStaticCard[] = "SYSTEM\\CurrentControlSet\\Services\\NE20001\\Parameters\\Tcpip";
constexpr char kTcpip[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr char kSession[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// The items and the selection of a drop-down list, as a reader gets them.
std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    items.push_back(item);
  }
  return items;
}

// The user picks item `index` from the list.
void Pick(const UiDriver& ui, const std::string& name, int index) {
  HWND combo = ui.Find(name);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

struct Spin {
  int position;
  int min;
  int max;
  bool operator==(const Spin&) const = default;
};

Spin NativeSpin(const UiDriver& ui, const std::string& name) {
  HWND spin = ui.Find(name);
  Spin result{static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, 0)), 0, 0};
  SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&result.min), reinterpret_cast<LPARAM>(&result.max));
  return result;
}

class InternetSecurityEndToEnd : public PageScenario {};

TEST_F(InternetSecurityEndToEnd, TheInternetTabShowsOnNt4AloneAndSecurityEverywhere) {
  Run([](UiDriver& ui) {
    const auto tabs = ui.TabCaptions("PageControl");
    const bool internet = std::find(tabs.begin(), tabs.end(), L"Internet") != tabs.end();
    EXPECT_EQ(internet, Version() == "nt40");
    EXPECT_NE(std::find(tabs.begin(), tabs.end(), L"Security"), tabs.end());
    ui.Click("CancelBtn");
  });
}

TEST_F(InternetSecurityEndToEnd, EachAdapterKeepsItsMtuUntilOkWritesThemAll) {
  if (Version() != "nt40") GTEST_SKIP() << "the Internet page exists on NT 4.0 only";
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Internet");
    EXPECT_EQ(ui.Text("lblTCPBindings"), L"TCP/IP profile : (2 binding found in registry)");
    HWND profiles = ui.Find("cbTCPProfile");
    EXPECT_EQ(ComboItems(profiles), (std::vector<std::wstring>{L"E100B1", L"NE20001"}));
    EXPECT_EQ(SendMessageW(profiles, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ui.Text("lblIPAddress"), L"IP address 192.168.1.20 (from DHCP)");
    EXPECT_EQ(ui.Text("lblMTU"), L"Create this value in registry");
    EXPECT_FALSE(ui.Enabled("edMTU"));

    Pick(ui, "cbTCPProfile", 1);
    EXPECT_EQ(ui.Text("lblIPAddress"), L"IP address 10.0.0.5");
    EXPECT_EQ(ui.Text("edMTU"), L"1500");
    ui.Type("edMTU", L"1400");
    Pick(ui, "cbTCPProfile", 0);
    ui.Click("sbCreateMTU");
    EXPECT_EQ(ui.Text("edMTU"), L"576");
    EXPECT_EQ(ui.Text("lblMTU"), L"Delete this value from registry");
    EXPECT_TRUE(ui.Enabled("ApplyBtn"));
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kDhcpCard, "MTU"), 576u);
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kStaticCard, "MTU"), 1400u);
}

// Only the edit goes with the absent value: the arrows still report their
// clicks, which mark the group, though OK has no value to write.
TEST_F(InternetSecurityEndToEnd, ArrowsOnAnAbsentTtlEnableOkAndWriteNothing) {
  if (Version() != "nt40") GTEST_SKIP() << "the Internet page exists on NT 4.0 only";
  ASSERT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kTcpip, "DefaultTTL").has_value());
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Internet");
    EXPECT_TRUE(ui.Enabled("udTTL"));
    EXPECT_FALSE(ui.Enabled("edTTL"));
    EXPECT_FALSE(ui.Enabled("ApplyBtn"));
    ui.ArrowClick("udTTL", true);
    EXPECT_TRUE(ui.Enabled("ApplyBtn"));
    ui.Click("ApplyBtn");
  });
  EXPECT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kTcpip, "DefaultTTL").has_value());
}

TEST_F(InternetSecurityEndToEnd, TtlButtonCreatesAtOnceAndTheSpinnerHoldsItsNumber) {
  if (Version() != "nt40") GTEST_SKIP() << "the Internet page exists on NT 4.0 only";
  ASSERT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kTcpip, "DefaultTTL").has_value());
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Internet");
    EXPECT_EQ(NativeSpin(ui, "udTTL"), (Spin{128, 1, 255}));
    EXPECT_FALSE(ui.Enabled("edTTL"));
    ui.Click("sbCreateTTL");
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kTcpip, "DefaultTTL"), 128u);
    EXPECT_EQ(ui.Text("lblTTL"), L"Delete this value from registry");
    ui.ArrowClick("udTTL", true);
    EXPECT_EQ(ui.Text("edTTL"), L"129");
    EXPECT_EQ(NativeSpin(ui, "udTTL"), (Spin{129, 1, 255}));
    ui.Type("edTTL", L"255");
    ui.ArrowClick("udTTL", true);  // at the top: marks, stays
    EXPECT_EQ(NativeSpin(ui, "udTTL").position, 255);
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kTcpip, "DefaultTTL"), 255u);
}

TEST_F(InternetSecurityEndToEnd, AccountDatabaseStatusAndTheProtectionGroup) {
  const auto protection = ReadDword(HKEY_LOCAL_MACHINE, kSession, "ProtectionMode");
  ASSERT_FALSE(ReadDword(HKEY_LOCAL_MACHINE, kSession, "AdditionalBaseNamedObjectsProtectionMode").has_value());
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Security");
    // Setup encrypts the database from 2000 on; NT 4.0 needs the key tool.
    EXPECT_EQ(ui.Text("lblSyskey"),
              Version() == "nt40" ? L"accounts database not crypted." : L"accounts database crypted.");
    ui.Click("cbAddProtectionMode");
    EXPECT_EQ(ui.CheckState("cbAddProtectionMode"), BST_CHECKED);
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kSession, "AdditionalBaseNamedObjectsProtectionMode"), 1u);
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kSession, "ProtectionMode"), protection) << "written as it was shown";
}

TEST_F(InternetSecurityEndToEnd, Windows2000WritesTheFileCheckersModeAndQuota) {
  if (Version() != "win2k") GTEST_SKIP() << "the mode is written on Windows 2000 only";
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Security");
    EXPECT_EQ(ui.CheckState("rbSFC1"), BST_CHECKED);
    EXPECT_EQ(ui.CheckState("cbSFCQuota"), BST_CHECKED);
    ui.Click("rbSFC4");
    EXPECT_EQ(ui.CheckState("rbSFC1"), BST_UNCHECKED);
    ui.Click("cbSFCQuota");
    EXPECT_EQ(ui.Text("edSFCQuota"), L"300");
    ui.Type("edSFCQuota", L"500");
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kWinlogon, "SfcDisable"), 0xFFFFFF9Du);
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kWinlogon, "SFCQuota"), 500u);
}

TEST_F(InternetSecurityEndToEnd, FileCheckerCachePathIsAnExpandableStringWhereTheCheckerLives) {
  const bool live = Version() == "win2k" || Version() == "winxp";
  Run([live](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Security");
    EXPECT_EQ(ui.Enabled("cbDllCachePath"), live);
    if (Version() == "winxp") {
      EXPECT_EQ(ui.CheckState("rbSFC1"), BST_CHECKED) << "the stored mode shows";
      EXPECT_FALSE(ui.Enabled("rbSFC1")) << "but cannot be chosen";
    }
    if (!live || ui.CheckState("cbDllCachePath") == BST_CHECKED) {
      ui.Click("CancelBtn");
      return;
    }
    ui.Click("cbDllCachePath");
    EXPECT_TRUE(ui.Enabled("edDllCachePath"));
    ui.Click("ApplyBtn");
  });
  if (Version() != "winxp") return;
  const auto values = ValuesOf(HKEY_LOCAL_MACHINE, kWinlogon);
  const auto cache = values.find("SFCDllCacheDir");
  ASSERT_NE(cache, values.end());
  EXPECT_EQ(cache->second.type, static_cast<DWORD>(REG_EXPAND_SZ));
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kWinlogon, "SFCDllCacheDir"), std::string(system) + "\\DllCache");
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kWinlogon, "SfcDisable"), 0u) << "the mode stays as Setup left it";
}

}  // namespace
}  // namespace varnox::test
