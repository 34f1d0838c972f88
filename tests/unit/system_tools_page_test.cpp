// The System tools page in the whole window: which choices, status lines and
// links each version has, the numbers the buttons stand for, and the boot
// optimisation switch.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "page_test_fixture.h"
#include "reg_file_loader.h"

namespace varnox::test {
namespace {

using Starts = std::vector<std::pair<std::string, std::string>>;

constexpr char kPrefetch[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";
constexpr char kBootOptimize[] = "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction";
constexpr RegKey HKLM = kHkeyLocalMachine;

const std::pair<std::string, std::string> kIdleTasks{"rundll32.exe", "advapi32.dll,ProcessIdleTasks"};
const std::pair<std::string, std::string> kMsConfig{"msconfig.exe", ""};
const std::pair<std::string, std::string> kUserAccounts{"control.exe", "userpasswords2"};
const std::pair<std::string, std::string> kDxDiag{"dxdiag.exe", ""};

struct VersionCase {
  const char* fixture;
  ScriptedSystem (*system)();
  bool prefetch;
  bool superFetch;
  bool bootOptimize;
  std::string superFetchStatus;
  Starts links;  // what clicking the four links starts, in link order
};

class SystemToolsOnVersion : public PageTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(SystemToolsOnVersion, GatesChoicesStatusAndLinks) {
  const VersionCase& v = GetParam();
  LoadRegFile(registry, FixturePath(v.fixture));
  ScriptedSystem system = v.system();
  Open(system);
  ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(Find<Control>("rbPrefetch" + std::to_string(i)).Enabled(), v.prefetch);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(Find<Control>("rbSuperFetch" + std::to_string(i)).Enabled(), v.superFetch);
  EXPECT_EQ(Find<Control>("cbBootOptimize").Enabled(), v.bootOptimize);
  EXPECT_EQ(Find<Control>("lblBootOptimize").Enabled(), v.bootOptimize);
  EXPECT_EQ(Find<TLabel>("lblSuperFetchstatus").Caption(), "SuperFetch status: " + v.superFetchStatus);
  if (v.prefetch) {
    EXPECT_TRUE(Find<TRadioButton>(v.fixture == std::string("win2003.reg") ? "rbPrefetch3" : "rbPrefetch4").Checked());
  }

  for (const char* link : {"lblProcessIdleTasks", "lblMSConfig", "lblUserAccounts", "lblDXDiag"}) {
    Find<Control>(link).UserClick();
  }
  EXPECT_FALSE(OkEnabled()) << "starting a tool changes nothing";
  // The scripted system the window runs on is its own copy: look there.
  EXPECT_EQ(dynamic_cast<ScriptedSystem&>(form().platform().system).shellStarted, v.links);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, SystemToolsOnVersion,
    ::testing::Values(VersionCase{"nt40.reg", &ScriptedSystem::WinNT4Sp6Workstation, false, false, false,
                                  "not supported OS", Starts{kMsConfig, kDxDiag}},
                      VersionCase{"win2k.reg", &ScriptedSystem::Win2000Professional, false, false, false,
                                  "not supported OS", Starts{kMsConfig, kDxDiag}},
                      VersionCase{"winxp.reg", &ScriptedSystem::WinXPSp3, true, false, true, "not supported OS",
                                  Starts{kIdleTasks, kMsConfig, kUserAccounts, kDxDiag}},
                      VersionCase{"win2003.reg", &ScriptedSystem::Win2003Server, true, false, true, "not supported OS",
                                  Starts{kIdleTasks, kMsConfig, kUserAccounts, kDxDiag}},
                      VersionCase{"vista.reg", &ScriptedSystem::WinVista, true, true, false, "service auto starting.",
                                  Starts{kMsConfig, kDxDiag}},
                      VersionCase{"win7.reg", &ScriptedSystem::Win7X64, true, true, false, "service auto starting.",
                                  Starts{kIdleTasks, kMsConfig, kUserAccounts, kDxDiag}},
                      VersionCase{"win81.reg", &ScriptedSystem::Win81X64, true, true, false, "service auto starting.",
                                  Starts{kIdleTasks, kMsConfig, kUserAccounts, kDxDiag}},
                      VersionCase{"win10.reg", &ScriptedSystem::Win10X64, true, true, false, "service auto starting.",
                                  Starts{kIdleTasks, kMsConfig, kUserAccounts, kDxDiag}},
                      VersionCase{"win11.reg", &ScriptedSystem::Win11X64, true, true, false, "service auto starting.",
                                  Starts{kIdleTasks, kMsConfig, kUserAccounts, kDxDiag}}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
      const std::string file = info.param.fixture;
      return file.substr(0, file.find('.'));
    });

class SystemToolsPage : public PageTest {
 protected:
  void SetUp() override { LoadRegFile(registry, FixturePath("win7.reg")); }
  bool Checked(const std::string& button) { return Find<TRadioButton>(button).Checked(); }
};

TEST_F(SystemToolsPage, ChoicesStandForTheirNumbersAndFourHasNoButton) {
  registry.SetDword(HKLM, kPrefetch, "EnablePrefetcher", 4);
  registry.SetDword(HKLM, "SYSTEM\\CurrentControlSet\\Services\\SysMain", "Start", 4);
  Reopen(ScriptedSystem::Win7X64());
  for (int i = 1; i <= 5; ++i) EXPECT_FALSE(Checked("rbPrefetch" + std::to_string(i)));
  EXPECT_TRUE(Checked("rbSuperFetch4"));
  EXPECT_EQ(Find<TLabel>("lblSuperFetchstatus").Caption(), "SuperFetch status: service turn off.");

  Find<Control>("rbPrefetch5").UserClick();
  Find<Control>("rbSuperFetch3").UserClick();
  EXPECT_TRUE(OkEnabled());
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kPrefetch, "EnablePrefetcher"), 5u);
  EXPECT_EQ(registry.Dword(HKLM, kPrefetch, "EnableSuperfetch"), 2u);

  registry.RemoveValue(HKLM, kPrefetch, "EnablePrefetcher");
  Reopen(ScriptedSystem::Win7X64());
  EXPECT_EQ(services.errors, std::vector<std::string>{"Failed to get data for 'EnablePrefetcher'"});
}

TEST_F(SystemToolsPage, BootOptimizeReadsOnlyUpperYAndShowsItsResults) {
  LoadRegFile(registry, FixturePath("winxp.reg"));
  registry.SetString(HKLM, kBootOptimize, "Enable", "y");
  registry.SetString(HKLM, kBootOptimize, "OptimizeComplete", "Yes");
  registry.SetString(HKLM, kBootOptimize, "OptimizeError", "None");
  Reopen(ScriptedSystem::WinXPSp3());
  EXPECT_FALSE(Box("cbBootOptimize").Checked());
  EXPECT_EQ(Find<TLabel>("lblBootOptimize").Caption(), "BootOptimize complete status: Yes");
  EXPECT_EQ(Find<TLabel>("lblBootOptimizeError").Caption(), "BootOptimize error status: None");
  Box("cbBootOptimize").UserClick();
  PressOk();
  EXPECT_EQ(registry.String(HKLM, kBootOptimize, "Enable"), "Y");

  // Without its key the box cannot save, so it takes no click.
  registry.RemoveKey(HKLM, kBootOptimize);
  Reopen(ScriptedSystem::WinXPSp3());
  EXPECT_FALSE(Box("cbBootOptimize").Enabled());
  EXPECT_TRUE(Find<Control>("lblBootOptimize").Enabled());
  EXPECT_EQ(Find<TLabel>("lblBootOptimize").Caption(), "BootOptimize complete status: ");
}

// Windows 10 and 11 keep no "EnableSuperfetch", and any of the three values
// may be missing there: the load goes on with no choice made, and OK writes
// what the user then picks. On 7 a missing value still fails the load.
TEST_F(SystemToolsPage, AbsentValuesFromWindows8OnShowAsAbsent) {
  LoadRegFile(registry, FixturePath("win10.reg"));
  registry.RemoveValue(HKLM, kPrefetch, "EnablePrefetcher");
  registry.RemoveValue(HKLM, "SYSTEM\\CurrentControlSet\\Services\\SysMain", "Start");
  Open(ScriptedSystem::Win10X64());
  ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  for (int i = 1; i <= 4; ++i) EXPECT_FALSE(Find<TRadioButton>("rbSuperFetch" + std::to_string(i)).Checked());
  for (int i = 1; i <= 5; ++i) EXPECT_FALSE(Find<TRadioButton>("rbPrefetch" + std::to_string(i)).Checked());
  EXPECT_EQ(Find<TLabel>("lblSuperFetchstatus").Caption(), "SuperFetch status: ");
  Find<TRadioButton>("rbSuperFetch3").UserClick();
  PressOk();
  EXPECT_EQ(Writes(), (std::vector<std::string>{"SetValue EnableSuperfetch"}));
  EXPECT_EQ(registry.Dword(HKLM, kPrefetch, "EnableSuperfetch"), 2u);

  registry.SetDword(HKLM, kPrefetch, "EnablePrefetcher", 3);
  registry.RemoveValue(HKLM, kPrefetch, "EnableSuperfetch");
  Reopen(ScriptedSystem::Win7X64());
  EXPECT_EQ(services.errors, std::vector<std::string>{"Failed to get data for 'EnableSuperfetch'"});
}

}  // namespace
}  // namespace varnox::test
