// The Explorer, Other and System tools pages end to end on each emulated
// version: the user's clicks on the real window, OK, then the real
// registry. The tool links are caught on their way into the shell: the
// library's import of ShellExecuteA is pointed at a recorder, so the test
// sees exactly what would start and nothing starts.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "import_patch.h"
#include "page_scenario.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kMousePort[] = "SYSTEM\\CurrentControlSet\\Services\\i8042prt\\Parameters";
constexpr char kSetup[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
constexpr char kPrefetch[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";

bool IsAny(std::initializer_list<const char*> versions) {
  for (const char* v : versions) {
    if (Version() == v) return true;
  }
  return false;
}

// One call of ShellExecuteA as the library made it.
struct ShellCall {
  bool ownerless;
  std::string verb, file, parameters;
  bool noDirectory;
  int show;
  bool operator==(const ShellCall&) const = default;
};
std::vector<ShellCall> shellCalls;

std::string OrNull(LPCSTR text) { return text ? text : "(null)"; }

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                    INT show) {
  shellCalls.push_back({owner == nullptr, OrNull(verb), OrNull(file), OrNull(parameters), directory == nullptr, show});
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));  // what a started program gives
}

int TrackBarPosition(const UiDriver& ui, const std::string& name) {
  return static_cast<int>(SendMessageW(ui.Find(name), TBM_GETPOS, 0, 0));
}

class LaterPagesEndToEnd : public PageScenario {
 protected:
  void SetUp() override {
    PageScenario::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(
        PatchImport(cpl_.Module(), "shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&RecordShellExecute)));
    shellCalls.clear();
  }
};

TEST_F(LaterPagesEndToEnd, ExplorerPageGatesByVersionAndSavesEachGroup) {
  const bool nt4 = Version() == "nt40";
  // A value the mouse group must leave alone after NT 4.0.
  ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, kMousePort, "EnableWheelDetection", 2));
  Run([nt4](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Explorer");
    EXPECT_EQ(ui.CheckState("cbNoRun"), BST_INDETERMINATE);
    EXPECT_EQ(ui.Enabled("cbExplorerSeparately"), nt4);
    EXPECT_EQ(ui.Enabled("cbShowVersionOnDesktop"), !nt4);
    EXPECT_EQ(ui.Enabled("edWheelDetect"), nt4);
    EXPECT_EQ(ui.Enabled("edPS2rate"), nt4);
    EXPECT_EQ(ui.Text("edWheelDetect"), nt4 ? L"2" : L"1");
    // The spinners' numbers show in their edits.
    EXPECT_EQ(ui.Text("edPS2rate"), nt4 ? L"60" : L"20");
    EXPECT_EQ(ui.Text("edWheelScrollLines"), L"3");
    EXPECT_EQ(TrackBarPosition(ui, "tbMenuSpeed"), 400);
    EXPECT_NE(ui.Text("lblWheelDetect"), L"Wheel detection ...");

    ui.Click("cbNoRun");  // grey → checked
    ui.Click("cbNoRun");  // checked → unchecked: the Run command restricted
    ui.Click("cbSmoothScroll");
    ui.ArrowClick("udWheelScrollLines", true);
    ui.Key("tbMenuSpeed", VK_DOWN);
    for (int i = 0; i < 100 && TrackBarPosition(ui, "tbMenuSpeed") == 400; ++i) Sleep(20);
    EXPECT_EQ(TrackBarPosition(ui, "tbMenuSpeed"), 401);
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kPolicies, "NoRun"), 1u);
  EXPECT_FALSE(ReadDword(HKEY_CURRENT_USER, kPolicies, "NoFind").has_value()) << "grey and missing stays missing";
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "WheelScrollLines"), "4");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay"), "401");
  const RegistryData smooth = ValuesOf(HKEY_CURRENT_USER, kDesktop).at("SmoothScroll");
  if (nt4) {
    EXPECT_EQ(smooth.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(smooth.bytes, std::vector<BYTE>{1});
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kMousePort, "SampleRate"), 60u);
  } else {
    EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kDesktop, "SmoothScroll"), 1u);
  }
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kMousePort, "EnableWheelDetection"), 2u);
}

TEST_F(LaterPagesEndToEnd, OwnerGroupRewritesThePathsKeepingTheirTypes) {
  const bool servicePackPaths = IsAny({"winxp", "win2003"});
  const auto before = ValuesOf(HKEY_LOCAL_MACHINE, kSetup);
  Run([servicePackPaths](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Other");
    EXPECT_EQ(ui.Enabled("edSourcePath3"), servicePackPaths);
    EXPECT_EQ(ui.Enabled("edSourcePath4"), servicePackPaths);
    if (servicePackPaths) {
      EXPECT_EQ(ui.Text("edSourcePath4"), L"%SystemRoot%\\Driver Cache");
    }
    ui.Type("edRegOwner", L"Somebody Else");
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner"),
            "Somebody Else");
  // What was there is rewritten as it was: same data, same types. (Where
  // the key lacked "SourcePath", the empty edit adds it as plain text.)
  const auto after = ValuesOf(HKEY_LOCAL_MACHINE, kSetup);
  for (const auto& [name, data] : before) {
    ASSERT_TRUE(after.count(name)) << name;
    EXPECT_EQ(after.at(name), data) << name;
  }
  if (servicePackPaths) {
    ASSERT_TRUE(before.count("DriverCachePath"));
    EXPECT_EQ(before.at("DriverCachePath").type, static_cast<DWORD>(REG_EXPAND_SZ));
  }
}

TEST_F(LaterPagesEndToEnd, SystemToolsGatesAndTheToolsEachLinkStarts) {
  const bool modern = IsAny({"win81", "win10", "win11"});
  const bool prefetch = modern || IsAny({"winxp", "win2003", "vista", "win7"});
  const bool superFetch = modern || IsAny({"vista", "win7"});
  const bool bootOptimize = IsAny({"winxp", "win2003"});
  const bool idleAndAccounts = modern || IsAny({"winxp", "win2003", "win7"});
  // Windows 10 and 11 keep no "EnableSuperfetch": no choice shows, and none is written.
  const bool superFetchStored = superFetch && !IsAny({"win10", "win11"});
  Run([=](UiDriver& ui) {
    ui.SelectTab("PageControl", L"System tools");
    EXPECT_EQ(ui.Enabled("rbPrefetch5"), prefetch);
    EXPECT_EQ(ui.Enabled("rbSuperFetch1"), superFetch);
    if (prefetch) {
      // 3 on workstations, 2 (boot only) on Server 2003.
      EXPECT_EQ(ui.CheckState(Version() == "win2003" ? "rbPrefetch3" : "rbPrefetch4"), BST_CHECKED);
    }
    if (superFetch) {
      EXPECT_EQ(ui.CheckState("rbSuperFetch4"), superFetchStored ? BST_CHECKED : BST_UNCHECKED);
    }
    EXPECT_EQ(ui.Enabled("cbBootOptimize"), bootOptimize);
    EXPECT_EQ(ui.Text("lblSuperFetchstatus"),
              superFetch ? L"SuperFetch status: service auto starting." : L"SuperFetch status: not supported OS");
    for (const char* link : {"lblProcessIdleTasks", "lblMSConfig", "lblUserAccounts", "lblDXDiag"}) ui.Click(link);
    EXPECT_FALSE(ui.Enabled("ApplyBtn")) << "starting a tool is no change";
    if (prefetch) ui.Click("rbPrefetch5");
    ui.Click("ApplyBtn");
  });
  std::vector<ShellCall> expected;
  const auto start = [&expected](const char* file, const char* parameters) {
    expected.push_back({true, "open", file, parameters, true, SW_SHOWNORMAL});
  };
  if (idleAndAccounts) start("rundll32.exe", "advapi32.dll,ProcessIdleTasks");
  start("msconfig.exe", "(null)");
  if (idleAndAccounts) start("control.exe", "userpasswords2");
  start("dxdiag.exe", "(null)");
  EXPECT_EQ(shellCalls, expected);
  if (prefetch) {
    EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kPrefetch, "EnablePrefetcher"), 5u);
  }
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kPrefetch, "EnableSuperfetch").has_value(), superFetchStored);
}

// From Windows 10 1803 on the value carries the system's own bits. OK after
// another change leaves it byte for byte; a click hands it back to the user
// in the form fsutil writes there. Older systems take the plain 0 and 1.
TEST_F(LaterPagesEndToEnd, LastAccessKeepsTheSystemsFormUntilTheUserChangesIt) {
  constexpr char kFileSystem[] = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";
  constexpr char kValue[] = "NtfsDisableLastAccessUpdate";
  if (!IsAny({"win81", "win10", "win11"})) GTEST_SKIP() << "the plain form only";
  const bool managedForm = IsAny({"win10", "win11"});
  for (const DWORD stored : {0x80000002u, 0x80000003u}) {
    ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, kFileSystem, kValue, stored));
    const auto before = ValuesOf(HKEY_LOCAL_MACHINE, kFileSystem).at(kValue);
    // Bit 0 says updates are off; the box asks whether they are on.
    const bool updatesOn = (stored & 1) == 0;
    Run([&](UiDriver& ui) {
      ui.SelectTab("PageControl", L"Other");
      if (managedForm) {
        EXPECT_EQ(ui.CheckState("cbNTFSDisableLAU"), updatesOn ? BST_CHECKED : BST_UNCHECKED) << stored;
      }
      ui.Click("cbAutoPlayCD");
      ui.Click("ApplyBtn");
    });
    EXPECT_EQ(ValuesOf(HKEY_LOCAL_MACHINE, kFileSystem).at(kValue), before) << stored;
  }
  // Now 0x80000003 (updates off): two clicks, unchecked -> grey -> checked.
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Other");
    ui.Click("cbNTFSDisableLAU");
    ui.Click("cbNTFSDisableLAU");
    EXPECT_EQ(ui.CheckState("cbNTFSDisableLAU"), BST_CHECKED);
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kFileSystem, kValue), managedForm ? 0x80000000u : 0u);
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Other");
    ui.Click("cbNTFSDisableLAU");
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kFileSystem, kValue), managedForm ? 0x80000001u : 1u);
}

}  // namespace
}  // namespace varnox::test
