#include <gtest/gtest.h>

#include "page_test_fixture.h"
#include "reg_file_loader.h"

namespace varnox::test {
namespace {

constexpr char kLogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
constexpr char kMemory[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr RegKey HKLM = kHkeyLocalMachine;
constexpr RegKey HKCU = kHkeyCurrentUser;

class LogonPage : public PageTest {
 protected:
  // A fresh install's registry of that version; the tests then change the
  // values they are about.
  void Seed(const char* fixture = "winxp.reg") {
    LoadRegFile(registry, FixturePath(fixture));
    for (const char* value : {"DisableCAD", "AutoLogonCount", "ForceAutoLogon", "PowerdownAfterShutdown",
                              "EnableQuickReboot", "DontDisplayLastUserName", "AutoAdminLogon", "DefaultPassword"}) {
      registry.RemoveValue(HKLM, kLogon, value);
    }
  }
};

struct FixtureCase {
  const char* fixture;
  ScriptedSystem (*system)();
};

class LogonPageOnFixture : public PageTest, public ::testing::WithParamInterface<FixtureCase> {};

TEST_P(LogonPageOnFixture, OpensWithoutErrorAndCancelOrOkWritesNothing) {
  LoadRegFile(registry, FixturePath(GetParam().fixture));
  Open(GetParam().system());
  EXPECT_TRUE(services.errors.empty()) << (services.errors.empty() ? "" : services.errors.front());
  EXPECT_FALSE(OkEnabled());
  EXPECT_TRUE(form().FLoaded);
  PressOk();
  EXPECT_TRUE(Writes().empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, LogonPageOnFixture,
                         ::testing::Values(FixtureCase{"nt40.reg", &ScriptedSystem::WinNT4Sp6Workstation},
                                           FixtureCase{"win2k.reg", &ScriptedSystem::Win2000Professional},
                                           FixtureCase{"winxp.reg", &ScriptedSystem::WinXPSp3},
                                           FixtureCase{"win2003.reg", &ScriptedSystem::Win2003Server},
                                           FixtureCase{"win7.reg", &ScriptedSystem::Win7X64}));

TEST_F(LogonPage, AutologonOnWritesThePasswordAndOffDeletesIt) {
  Seed();
  registry.SetString(HKLM, kLogon, "DefaultUserName", "Admin");
  registry.SetString(HKLM, kLogon, "DefaultPassword", "old");
  Open(ScriptedSystem::WinXPSp3());
  EXPECT_EQ(Find<TEdit>("LoginNameEdit").Text(), "Admin");
  EXPECT_EQ(Find<TEdit>("PasswordEdit").Text(), "old");

  Box("cbEnableAutoLogon").UserClick();
  Find<TEdit>("PasswordEdit").UserType("secret");
  EXPECT_TRUE(OkEnabled());
  PressOk();
  EXPECT_EQ(registry.String(HKLM, kLogon, "AutoAdminLogon"), "1");
  EXPECT_EQ(registry.String(HKLM, kLogon, "DefaultPassword"), "secret");
  EXPECT_EQ(registry.String(HKLM, kLogon, "DontDisplayLastUserName"), "0");
  // Nothing else was touched: the shutdown and end-task groups were not marked.
  EXPECT_EQ(Writes(), (std::vector<std::string>{"SetValue AutoAdminLogon", "SetValue DefaultUserName",
                                                "SetValue DefaultDomainName", "SetValue DefaultPassword",
                                                "SetValue DontDisplayLastUserName"}))
      << "DisableCAD is missing, so its grey box has nothing to delete";

  Open(ScriptedSystem::WinXPSp3());
  ASSERT_TRUE(Box("cbEnableAutoLogon").Checked());
  Box("cbEnableAutoLogon").UserClick();
  PressOk();
  EXPECT_EQ(registry.String(HKLM, kLogon, "AutoAdminLogon"), "0");
  EXPECT_FALSE(registry.Value(HKLM, kLogon, "DefaultPassword").has_value());
  EXPECT_EQ(registry.String(HKLM, kLogon, "DefaultUserName"), "Admin");
}

TEST_F(LogonPage, TheTwoLogonBoxesExcludeEachOtherAlsoWhileLoading) {
  Seed();
  registry.SetString(HKLM, kLogon, "AutoAdminLogon", "1");
  registry.SetString(HKLM, kLogon, "DontDisplayLastUserName", "1");
  Open(ScriptedSystem::WinXPSp3());
  // The second read wins: checking "don't display" unchecks autologon.
  EXPECT_FALSE(Box("cbEnableAutoLogon").Checked());
  EXPECT_TRUE(Box("cbDontDisplayLastUserName").Checked());
  EXPECT_FALSE(OkEnabled()) << "the load's own handler calls leave nothing to save";

  Box("cbEnableAutoLogon").UserClick();
  EXPECT_TRUE(Box("cbEnableAutoLogon").Checked());
  EXPECT_FALSE(Box("cbDontDisplayLastUserName").Checked());
  Box("cbEnableAutoLogon").UserClick();
  EXPECT_FALSE(Box("cbDontDisplayLastUserName").Checked()) << "unchecking leaves the other alone";
}

TEST_F(LogonPage, DisableCadFollowsItsLowByteAndIsNeverWrittenOnNt4) {
  struct Case {
    std::optional<std::uint32_t> stored;
    TCheckBoxState shown;
  } cases[] = {{std::nullopt, cbGrayed}, {0, cbUnchecked}, {1, cbChecked}, {0x100, cbUnchecked}, {0x2FF, cbChecked}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? std::to_string(*c.stored) : "missing");
    registry.RemoveValue(HKLM, kLogon, "DisableCAD");
    Seed();
    if (c.stored) registry.SetDword(HKLM, kLogon, "DisableCAD", *c.stored);
    Open(ScriptedSystem::WinXPSp3());
    EXPECT_EQ(Box("cbDisableCAD").State(), c.shown);
    EXPECT_TRUE(Box("cbDisableCAD").Enabled());
  }

  Seed("nt40.reg");
  registry.SetDword(HKLM, kLogon, "DisableCAD", 1);
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  EXPECT_FALSE(Box("cbDisableCAD").Enabled());
  EXPECT_EQ(Box("cbDisableCAD").State(), cbChecked) << "disabled, but still showing the stored state";
  Box("cbEnableAutoLogon").UserClick();
  PressOk();
  for (const std::string& write : Writes()) EXPECT_EQ(write.find("DisableCAD"), std::string::npos) << write;
}

TEST_F(LogonPage, GreyCadBoxDeletesItsValueOnlyWhenTheGroupIsMarked) {
  Seed();
  registry.SetDword(HKLM, kLogon, "DisableCAD", 0);
  Open(ScriptedSystem::WinXPSp3());
  auto& cad = Box("cbDisableCAD");
  cad.UserClick();  // unchecked → grey
  ASSERT_EQ(cad.State(), cbGrayed);
  PressOk();
  EXPECT_FALSE(registry.Value(HKLM, kLogon, "DisableCAD").has_value());
}

TEST_F(LogonPage, Windows2000CounterAndForcedAutologon) {
  Seed("win2k.reg");
  registry.SetDword(HKLM, kLogon, "AutoLogonCount", 3);
  registry.SetString(HKLM, kLogon, "ForceAutoLogon", "0");
  Open(ScriptedSystem::Win2000Professional());
  auto& count = Box("cbAutoLogonCount");
  EXPECT_TRUE(count.Enabled());
  EXPECT_EQ(count.State(), cbUnchecked);
  EXPECT_EQ(Find<TUpDown>("udAutoLogonCount").Position(), 3);
  EXPECT_TRUE(Find<Control>("edAutoLogonCount").Enabled());
  EXPECT_EQ(Box("cbForceAutoLogon").State(), cbChecked);

  Find<TUpDown>("udAutoLogonCount").UserArrowClick(UpDownButton::Up);
  EXPECT_TRUE(form().Modified(SettingGroup::AutoLogon));
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kLogon, "AutoLogonCount"), 4u);
  EXPECT_EQ(registry.String(HKLM, kLogon, "ForceAutoLogon"), "0");

  // Ticking "don't count" turns the counter off and deletes the value.
  Open(ScriptedSystem::Win2000Professional());
  Box("cbAutoLogonCount").UserClick();
  EXPECT_FALSE(Find<Control>("udAutoLogonCount").Enabled());
  PressOk();
  EXPECT_FALSE(registry.Value(HKLM, kLogon, "AutoLogonCount").has_value());
}

TEST_F(LogonPage, Windows2000CounterMissingShowsGreyAndStartsAtTenWhenTurnedOn) {
  Seed("win2k.reg");
  Open(ScriptedSystem::Win2000Professional());
  auto& count = Box("cbAutoLogonCount");
  EXPECT_EQ(count.State(), cbGrayed);
  EXPECT_FALSE(Find<Control>("udAutoLogonCount").Enabled());
  EXPECT_EQ(Box("cbForceAutoLogon").State(), cbGrayed);
  count.UserClick();  // a two-state box goes from grey to checked
  EXPECT_EQ(count.State(), cbChecked);
  count.UserClick();
  EXPECT_EQ(count.State(), cbUnchecked);
  EXPECT_TRUE(Find<Control>("udAutoLogonCount").Enabled());
  EXPECT_EQ(Find<TUpDown>("udAutoLogonCount").Position(), 10);
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kLogon, "AutoLogonCount"), 10u);
  EXPECT_FALSE(registry.Value(HKLM, kLogon, "ForceAutoLogon").has_value()) << "grey and missing: nothing to do";
}

TEST_F(LogonPage, CounterAndForcedAutologonAreOffOutsideWindows2000) {
  Seed();
  registry.SetDword(HKLM, kLogon, "AutoLogonCount", 3);
  registry.SetString(HKLM, kLogon, "ForceAutoLogon", "0");
  Open(ScriptedSystem::WinXPSp3());
  for (const char* name : {"cbAutoLogonCount", "udAutoLogonCount", "edAutoLogonCount", "cbForceAutoLogon"}) {
    EXPECT_FALSE(Find<Control>(name).Enabled()) << name;
  }
  Box("cbEnableAutoLogon").UserClick();
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kLogon, "AutoLogonCount"), 3u);
  EXPECT_EQ(registry.String(HKLM, kLogon, "ForceAutoLogon"), "0");
}

TEST_F(LogonPage, Nt4ShutdownValuesLiveInTheWinlogonKey) {
  Seed("nt40.reg");
  registry.SetString(HKLM, kLogon, "PowerdownAfterShutdown", "1");
  registry.SetString(HKLM, kLogon, "EnableQuickReboot", "1");
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  EXPECT_TRUE(Box("cbPowerDownAfterShutDown").Checked());
  EXPECT_EQ(Box("cbDisableQuickReboot").State(), cbUnchecked);
  Box("cbDisableQuickReboot").UserClick();  // unchecked → grey
  Box("cbDisableQuickReboot").UserClick();  // grey → checked
  Box("cbClearPageFileAtShutdown").UserClick();
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kMemory, "ClearPageFileAtShutdown"), 1u);
  EXPECT_EQ(registry.String(HKLM, kLogon, "PowerdownAfterShutdown"), "1");
  EXPECT_EQ(registry.String(HKLM, kLogon, "EnableQuickReboot"), "0");
  EXPECT_EQ(registry.CallTrace().front().find("OpenKey"), 0u);

  Open(ScriptedSystem::WinXPSp3());
  EXPECT_FALSE(Box("cbPowerDownAfterShutDown").Enabled());
  EXPECT_FALSE(Box("cbDisableQuickReboot").Enabled());
  Box("cbClearPageFileAtShutdown").UserClick();
  PressOk();
  EXPECT_EQ(Writes(), std::vector<std::string>{"SetValue ClearPageFileAtShutdown"});
}

TEST_F(LogonPage, UnguardedClearPageFileEndsTheLoadWithTheAccessorsMessage) {
  struct Case {
    void (*seed)(MemoryRegistry&);
    const char* message;
  } cases[] = {
      {[](MemoryRegistry&) {}, "Failed to get data for 'ClearPageFileAtShutdown'"},
      {[](MemoryRegistry& r) { r.SetString(HKLM, kMemory, "ClearPageFileAtShutdown", "0"); },
       "Invalid data type for 'ClearPageFileAtShutdown'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Seed();
    registry.RemoveValue(HKLM, kMemory, "ClearPageFileAtShutdown");
    c.seed(registry);
    services.errors.clear();
    Open(ScriptedSystem::WinXPSp3());
    ASSERT_EQ(services.errors, std::vector<std::string>{c.message});
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    EXPECT_FALSE(OkEnabled());
    EXPECT_TRUE(Box("cbEnableAutoLogon").Enabled()) << "the section before the error loaded";
    EXPECT_FALSE(Find<Control>("cbAutoEndTask").Enabled()) << "a section never loaded cannot be saved";
  }
}

TEST_F(LogonPage, EndTaskTimeoutsAreDecimalTextMarkedOnlyByArrowClicks) {
  Seed();
  registry.SetString(HKCU, kDesktop, "HungAppTimeout", "abc");
  registry.SetString(HKCU, kDesktop, "WaitToKillAppTimeout", " 15000");
  Open(ScriptedSystem::WinXPSp3());
  EXPECT_EQ(Find<TUpDown>("udHungApplication").Position(), 5000);
  EXPECT_EQ(Find<TUpDown>("udWaitToKillApp").Position(), 15000);

  Find<TEdit>("edHungApplication").UserType("7000");
  EXPECT_FALSE(form().Modified(SettingGroup::EndTask)) << "the edit has no handler of its own";
  EXPECT_FALSE(OkEnabled());
  Find<TUpDown>("udWaitToKillApp").UserArrowClick(UpDownButton::Down);
  PressOk();
  EXPECT_EQ(registry.String(HKCU, kDesktop, "HungAppTimeout"), "7000");
  EXPECT_EQ(registry.String(HKCU, kDesktop, "WaitToKillAppTimeout"), "14999");
  EXPECT_EQ(registry.String(HKCU, kDesktop, "AutoEndTasks"), "0");
}

TEST_F(LogonPage, MissingKeysDisableTheirControlsAndOkWritesNothingThere) {
  Seed();
  registry.RemoveKey(HKLM, kLogon);
  registry.RemoveKey(HKCU, kDesktop);
  Open(ScriptedSystem::WinXPSp3());
  EXPECT_TRUE(services.errors.empty());
  for (const char* name : {"cbEnableAutoLogon", "LoginNameEdit", "PasswordEdit", "cbForceAutoLogon",
                           "udHungApplication", "edWaitToKillApp", "cbAutoEndTask"}) {
    EXPECT_FALSE(Find<Control>(name).Enabled()) << name;
  }
  // A program change still marks the group; OK then finds no key.
  Box("cbEnableAutoLogon").SetChecked(true);
  PressOk();
  EXPECT_TRUE(Writes().empty());
  EXPECT_FALSE(registry.KeyExists(HKLM, kLogon));
}

TEST_F(LogonPage, LoginNameMenuFillsTheEditAndOffersOnlyAnotherCurrentUser) {
  Seed();
  ScriptedSystem system = ScriptedSystem::WinXPSp3();
  system.userName = "Olga";
  Open(system);
  auto& login = Find<TEdit>("LoginNameEdit");
  Find<TPopupMenu>("pmLoginName").Popup(0, 0);
  EXPECT_TRUE(Find<TMenuItem>("miCurrentUser").Enabled());
  Find<TMenuItem>("miCurrentUser").UserClick();
  EXPECT_EQ(login.Text(), "Olga");
  EXPECT_TRUE(form().Modified(SettingGroup::AutoLogon));
  Find<TMenuItem>("miTypeAdmine").UserClick();
  EXPECT_EQ(login.Text(), "Administrator");

  system.userName = "Administrator";
  Open(system);
  Find<TPopupMenu>("pmLoginName").Popup(0, 0);
  EXPECT_FALSE(Find<TMenuItem>("miCurrentUser").Enabled());
  system.userName.reset();
  Open(system);
  Find<TPopupMenu>("pmLoginName").Popup(0, 0);
  EXPECT_FALSE(Find<TMenuItem>("miCurrentUser").Enabled());
}

// Started for another user by "Run as administrator", the window runs as the
// administrator; its menu and caption name the user who asked.
TEST_F(LogonPage, AWindowStartedForAnotherUserOffersThatUsersName) {
  Seed();
  ScriptedSystem system = ScriptedSystem::Win7X64();
  system.userName = "Admin";
  system.accountNames["S-1-5-21-1-2-3-1001"] = "Olga";
  Open(system, "S-1-5-21-1-2-3-1001");
  EXPECT_NE(Find<TMenuItem>("miCurrentUser").Caption().find("\"Olga\""), std::string::npos);
  Find<TPopupMenu>("pmLoginName").Popup(0, 0);
  ASSERT_TRUE(Find<TMenuItem>("miCurrentUser").Enabled());
  Find<TMenuItem>("miCurrentUser").UserClick();
  EXPECT_EQ(Find<TEdit>("LoginNameEdit").Text(), "Olga");

  // A SID no account answers to offers no name rather than the administrator's.
  static_cast<ScriptedSystem&>(form().platform().system).accountNames.clear();
  Find<TPopupMenu>("pmLoginName").Popup(0, 0);
  EXPECT_FALSE(Find<TMenuItem>("miCurrentUser").Enabled());
}

TEST_F(LogonPage, ShowingThePasswordLeavesOkAsItWas) {
  Seed();
  Open(ScriptedSystem::WinXPSp3());
  auto& password = Find<TEdit>("PasswordEdit");
  EXPECT_EQ(password.PasswordChar(), '*');
  Find<TPopupMenu>("pmHidePassword").Popup(0, 0);
  EXPECT_TRUE(Find<TMenuItem>("miHidePassword").Checked());
  Find<TMenuItem>("miShowPassword").UserClick();
  EXPECT_EQ(password.PasswordChar(), '\0');
  EXPECT_FALSE(OkEnabled());
  Find<TPopupMenu>("pmHidePassword").Popup(0, 0);
  EXPECT_TRUE(Find<TMenuItem>("miShowPassword").Checked());
}

}  // namespace
}  // namespace varnox::test
