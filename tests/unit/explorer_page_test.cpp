// The Explorer page in the whole window: the version gates, policies kept as
// numbers or binary data, the beep's yes/no text, smooth scrolling on each
// side of NT 4.0, the mouse port values that only NT 4.0 writes, and the
// menu delay's default and clamp.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "page_test_fixture.h"
#include "reg_file_loader.h"

namespace varnox::test {
namespace {

using Trace = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kSound[] = "Control Panel\\Sound";
constexpr char kMousePort[] = "SYSTEM\\CurrentControlSet\\Services\\i8042prt\\Parameters";
constexpr RegKey HKCU = kHkeyCurrentUser;
constexpr RegKey HKLM = kHkeyLocalMachine;

class ExplorerPage : public PageTest {
 protected:
  void SetUp() override { LoadRegFile(registry, FixturePath("winxp.reg")); }
  void Use(const char* fixture) { LoadRegFile(registry, FixturePath(fixture)); }
  // Opens the window and expects no load error.
  void OpenClean(ScriptedSystem system) {
    Reopen(std::move(system));
    ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  }
  void OpenXP() { OpenClean(ScriptedSystem::WinXPSp3()); }
  void Click(const std::string& name) { Find<Control>(name).UserClick(); }
  bool Enabled(const std::string& name) { return Find<Control>(name).Enabled(); }
  std::optional<StoredValue> Stored(RegKey root, const char* key, const char* name) {
    return registry.Value(root, key, name);
  }
};

TEST_F(ExplorerPage, NT4GatesProcessModeAndMousePortOnAndDesktopVersionOff) {
  Use("nt40.reg");
  OpenClean(ScriptedSystem::WinNT4Sp6Workstation());
  EXPECT_TRUE(Enabled("cbExplorerSeparately"));
  EXPECT_EQ(Box("cbExplorerSeparately").State(), cbGrayed);
  EXPECT_FALSE(Enabled("cbShowVersionOnDesktop"));
  EXPECT_EQ(Find<TEdit>("edWheelDetect").Text(), "1");
  EXPECT_EQ(Find<TUpDown>("udPS2rate").Position(), 60);
  EXPECT_TRUE(Enabled("edWheelDetect") && Enabled("udPS2rate") && Enabled("edPS2rate"));

  // The mouse group writes the port values as numbers and the lines as text;
  // the Explorer group writes the process mode and one byte of scrolling.
  Find<TEdit>("edWheelDetect").UserType("x");
  Find<TUpDown>("udPS2rate").UserArrowClick(UpDownButton::Up);
  Click("cbExplorerSeparately");  // grey → checked: 0
  Click("cbSmoothScroll");        // grey → checked
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kMousePort, "EnableWheelDetection"), 1u) << "not a number writes 1";
  EXPECT_EQ(registry.Dword(HKLM, kMousePort, "SampleRate"), 61u);
  EXPECT_EQ(registry.String(HKCU, kDesktop, "WheelScrollLines"), "3");
  EXPECT_EQ(registry.Dword(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "DesktopProcess"), 0u);
  const auto smooth = Stored(HKCU, kDesktop, "SmoothScroll");
  ASSERT_TRUE(smooth);
  EXPECT_EQ(smooth->type, kRegBinary);
  EXPECT_EQ(smooth->data, Bytes{1});
  for (const std::string& write : Writes()) EXPECT_NE(write, "SetValue PaintDesktopVersion") << "not on NT 4.0";
}

TEST_F(ExplorerPage, LaterVersionsLeaveTheMousePortAloneEvenWhenTheMouseGroupSaves) {
  struct Case {
    const char* fixture;
    ScriptedSystem (*system)();
  };
  for (const Case& c : {Case{"win2k.reg", &ScriptedSystem::Win2000Professional},
                        Case{"winxp.reg", &ScriptedSystem::WinXPSp3}, Case{"win7.reg", &ScriptedSystem::Win7X64}}) {
    SCOPED_TRACE(c.fixture);
    Use(c.fixture);
    registry.SetDword(HKLM, kMousePort, "EnableWheelDetection", 2);
    OpenClean(c.system());
    EXPECT_FALSE(Enabled("edWheelDetect"));
    EXPECT_FALSE(Enabled("udPS2rate") || Enabled("edPS2rate"));
    EXPECT_FALSE(Enabled("cbExplorerSeparately"));
    EXPECT_EQ(Box("cbShowVersionOnDesktop").State(), cbChecked) << "PaintDesktopVersion = 0 shows the text";

    Find<TUpDown>("udWheelScrollLines").UserArrowClick(UpDownButton::Up);
    Click("cbShowVersionOnDesktop");
    Click("cbSmoothScroll");
    PressOk();
    EXPECT_EQ(registry.String(HKCU, kDesktop, "WheelScrollLines"), "4");
    for (const std::string& write : Writes()) {
      EXPECT_NE(write, "SetValue EnableWheelDetection");
      EXPECT_NE(write, "SetValue SampleRate");
    }
    EXPECT_EQ(registry.Dword(HKCU, kDesktop, "SmoothScroll"), 1u) << "a number after NT 4.0";
    EXPECT_EQ(registry.Dword(HKCU, kDesktop, "PaintDesktopVersion"), 1u);
    EXPECT_FALSE(Stored(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "DesktopProcess"));
  }
}

TEST_F(ExplorerPage, PoliciesReadNumbersOrBinaryAndAlwaysWriteNumbers) {
  registry.SetDword(HKCU, kPolicies, "NoDesktop", 2);          // neither 0 nor 1: grey
  registry.SetBinary(HKCU, kPolicies, "NoRun", {1, 0, 0, 0});  // restricted
  registry.SetBinary(HKCU, kPolicies, "NoNetHood", {});        // no byte at all: as designed
  registry.SetDword(HKCU, kPolicies, "NoFind", 5);             // as designed
  OpenXP();
  EXPECT_EQ(Box("cbNoDesktop").State(), cbGrayed);
  EXPECT_EQ(Box("cbNoRun").State(), cbUnchecked);
  EXPECT_EQ(Box("cbNoNetHood").State(), cbUnchecked);
  EXPECT_EQ(Box("cbNoFind").State(), cbUnchecked);

  Click("cbNoNetHood");  // unchecked → grey: the value goes
  PressOk();
  EXPECT_EQ(Writes(), (Trace{"DeleteValue NoDesktop", "DeleteValue NoNetHood", "SetValue NoRun", "SetValue NoFind"}));
  EXPECT_EQ(Stored(HKCU, kPolicies, "NoRun")->type, kRegDword);
  EXPECT_EQ(registry.Dword(HKCU, kPolicies, "NoRun"), 1u);
  EXPECT_EQ(registry.Dword(HKCU, kPolicies, "NoFind"), 1u) << "an unchecked box restricts";

  // Binary 0 lifts the restriction; "NoDesktop" takes numbers only.
  registry.SetBinary(HKCU, kPolicies, "NoRun", {0});
  registry.SetDword(HKCU, kPolicies, "NoDesktop", 0);
  OpenXP();
  EXPECT_EQ(Box("cbNoRun").State(), cbChecked);
  EXPECT_EQ(Box("cbNoDesktop").State(), cbChecked);
  registry.SetBinary(HKCU, kPolicies, "NoDesktop", {0, 0, 0, 0});
  Reopen(ScriptedSystem::WinXPSp3());
  ASSERT_EQ(services.errors.size(), 1u);
  EXPECT_EQ(services.errors[0], "Invalid data type for 'NoDesktop'");
}

TEST_F(ExplorerPage, MissingPolicyKeyDisablesTheBoxesAndIsNeverCreated) {
  registry.RemoveKey(HKCU, kPolicies);
  OpenXP();
  for (const char* box : {"cbNoDesktop", "cbNoNetHood", "cbNoRun", "cbNoFind"}) EXPECT_FALSE(Enabled(box)) << box;
  form().MarkModified(SettingGroup::Desktop);
  PressOk();
  EXPECT_TRUE(Writes().empty());
  EXPECT_FALSE(registry.KeyExists(HKCU, kPolicies));
}

TEST_F(ExplorerPage, BeepIgnoresLetterCaseAndWritesYesOrNo) {
  for (const char* stored : {"YES", "yes", "Yes"}) {
    registry.SetString(HKCU, kSound, "Beep", stored);
    OpenXP();
    EXPECT_TRUE(Box("cbBeepOnError").Checked()) << stored;
    Click("cbMinAnimate");  // another setting of the group
    PressOk();
    EXPECT_EQ(registry.String(HKCU, kSound, "Beep"), "Yes") << stored;
  }
  registry.SetString(HKCU, kSound, "Beep", "no");
  OpenXP();
  EXPECT_FALSE(Box("cbBeepOnError").Checked());
  Click("cbBeepOnError");
  Click("cbBeepOnError");
  PressOk();
  EXPECT_EQ(registry.String(HKCU, kSound, "Beep"), "No");
}

TEST_F(ExplorerPage, SmoothScrollReadsByVersionAndEmptyDataIsNeitherState) {
  struct Case {
    std::uint32_t type;
    Bytes data;
    bool nt4;
    std::optional<TCheckBoxState> state;  // nullopt: the load fails
  } cases[] = {
      {kRegBinary, {1}, true, cbChecked},
      {kRegBinary, {}, true, cbUnchecked},
      {kRegDword, {1, 0, 0, 0}, true, std::nullopt},
      {kRegDword, {1, 0, 0, 0}, false, cbChecked},
      {kRegDword, {2, 0, 0, 0}, false, cbUnchecked},
      {kRegBinary, {1, 0}, false, cbChecked},
      {kRegBinary, {}, false, cbUnchecked},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << c.data.size() << " bytes, nt4 " << c.nt4);
    Use(c.nt4 ? "nt40.reg" : "winxp.reg");
    registry.SetRaw(HKCU, kDesktop, "SmoothScroll", c.type, c.data);
    Reopen(c.nt4 ? ScriptedSystem::WinNT4Sp6Workstation() : ScriptedSystem::WinXPSp3());
    if (!c.state) {
      EXPECT_EQ(services.errors, Trace{"Invalid data type for 'SmoothScroll'"});
      continue;
    }
    EXPECT_TRUE(services.errors.empty());
    EXPECT_EQ(Box("cbSmoothScroll").State(), *c.state);
  }
}

TEST_F(ExplorerPage, MenuDelayAndScrollLinesFallBackToTheirDefaultsAndTheBarClamps) {
  registry.SetString(HKCU, kDesktop, "WheelScrollLines", "abc");
  registry.RemoveValue(HKCU, kDesktop, "MenuShowDelay");
  OpenXP();
  EXPECT_EQ(Find<TUpDown>("udWheelScrollLines").Position(), 3);
  EXPECT_EQ(Find<TTrackBar>("tbMenuSpeed").Position(), 400);

  registry.SetString(HKCU, kDesktop, "MenuShowDelay", "70000");
  OpenXP();
  EXPECT_EQ(Find<TTrackBar>("tbMenuSpeed").Position(), 65534);
  EXPECT_FALSE(OkEnabled());
  Find<TTrackBar>("tbMenuSpeed").UserMove(100);
  EXPECT_TRUE(OkEnabled());
  PressOk();
  EXPECT_EQ(Writes(), Trace{"SetValue MenuShowDelay"});
  EXPECT_EQ(registry.String(HKCU, kDesktop, "MenuShowDelay"), "100");

  // The wheel comment follows the system metric, detected only when exactly 1.
  ScriptedSystem noWheel = ScriptedSystem::WinXPSp3();
  noWheel.metrics[75] = 2;
  OpenClean(noWheel);
  EXPECT_EQ(Find<TLabel>("lblWheelDetect").Caption(), "[ Comment: Wheel button on your mouse was not detected ]");
  OpenXP();
  EXPECT_EQ(Find<TLabel>("lblWheelDetect").Caption(), "[ Comment: Wheel button on your mouse was detected ]");
}

}  // namespace
}  // namespace varnox::test
