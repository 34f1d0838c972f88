// The Security page on each version's registry: the encryption status, the
// two protection boxes as one group, and the file checker's controls, live
// on 2000 and XP only, with what OK writes on each.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_test_fixture.h"
#include "reg_file_loader.h"

namespace varnox::test {
namespace {

constexpr RegKey HKLM = kHkeyLocalMachine;
constexpr char kLsa[] = "SYSTEM\\CurrentControlSet\\Control\\Lsa";
constexpr char kSession[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kAddProtection[] = "AdditionalBaseNamedObjectsProtectionMode";
constexpr TColor kGreen = 0x008000;

const std::vector<std::string> kSfcControls = {"rbSFC1",     "rbSFC2",    "rbSFC3",         "rbSFC4",
                                               "rbSFC5",     "rbSFC6",    "cbDllCachePath", "edDllCachePath",
                                               "cbSFCQuota", "edSFCQuota"};

class SecurityPage : public PageTest {
 protected:
  void OpenOn(const char* fixture, ScriptedSystem system) {
    LoadRegFile(registry, FixturePath(fixture));
    Open(std::move(system));
  }
  void OpenWin2000() { OpenOn("win2k.reg", ScriptedSystem::Win2000Professional()); }
  TEdit& Edit(const std::string& name) { return Find<TEdit>(name); }
  TRadioButton& Radio(const std::string& name) { return Find<TRadioButton>(name); }
  std::optional<std::uint32_t> Winlogon(const char* name) { return registry.Dword(HKLM, kWinlogon, name); }
};

TEST_F(SecurityPage, EveryEncryptedModeShowsGreenAndAnyOtherNumberRed) {
  struct Case {
    std::optional<std::uint32_t> secureBoot;
    const char* text;
    TColor color;
  } cases[] = {
      {std::nullopt, "accounts database not crypted.", clWindowText},
      {0, "accounts database not crypted.", clRed},
      {1, "accounts database crypted.", kGreen},
      {2, "accounts database crypted.", kGreen},  // start-up password
      {3, "accounts database crypted.", kGreen},  // start-up disk
      {4, "accounts database not crypted.", clRed},
      {0xFFFFFFFF, "accounts database not crypted.", clRed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.secureBoot ? std::to_string(*c.secureBoot) : "missing");
    registry.RemoveValue(HKLM, kLsa, "SecureBoot");
    if (c.secureBoot) registry.SetDword(HKLM, kLsa, "SecureBoot", *c.secureBoot);
    Open(ScriptedSystem::WinXPSp3());
    EXPECT_EQ(Find<TLabel>("lblSyskey").Caption(), c.text);
    EXPECT_EQ(Find<TLabel>("lblSyskey").FontColor(), c.color);
  }
}

TEST_F(SecurityPage, TheKeyToolStartsOnlyWhenItExistsAndIsNoChange) {
  ScriptedSystem system = ScriptedSystem::WinNT4Sp6Workstation();
  const std::string tool = system.systemDirectory + "\\syskey.exe";
  OpenOn("nt40.reg", system);
  Find<TLabel>("lblRunSyskey").UserClick();
  EXPECT_FALSE(OkEnabled());

  system.existingFiles.clear();
  Open(system);
  Find<TLabel>("lblRunSyskey").UserClick();
  // The first window's start is recorded on its own system; this one has none.
  auto& scripted = static_cast<ScriptedSystem&>(form().platform().system);
  EXPECT_TRUE(scripted.executed.empty());
  scripted.existingFiles.insert(tool);
  Find<TLabel>("lblRunSyskey").UserClick();
  EXPECT_EQ(scripted.executed, std::vector<std::string>{tool});
  EXPECT_FALSE(OkEnabled());
}

TEST_F(SecurityPage, TheKeyToolLinkIsOffWithItsReasonWhereWindowsNoLongerHasTheTool) {
  struct Case {
    std::uint32_t build;
    std::uint8_t productType;
    bool hasTool;
  };
  for (const Case c : {Case{16299, 1, false}, Case{19045, 1, false}, Case{14393, 3, false}, Case{14393, 2, false},
                       Case{15063, 1, true}}) {
    SCOPED_TRACE(std::to_string(c.build) + " type " + std::to_string(c.productType));
    ScriptedSystem system = ScriptedSystem::Win10X64();
    system.version.build = c.build;
    system.version.productType = c.productType;
    system.existingFiles.insert(system.systemDirectory + "\\syskey.exe");
    OpenOn("win10.reg", system);
    auto& link = Find<TLabel>("lblRunSyskey");
    EXPECT_EQ(link.Enabled(), c.hasTool);
    EXPECT_EQ(link.Hint().find("syskey.exe: Windows 10 version 1709") != std::string::npos, !c.hasTool) << link.Hint();
    Find<TCheckBox>("cbSwitchLanguage").UserClick();
    EXPECT_EQ(link.Hint().find("нет syskey.exe") != std::string::npos, !c.hasTool) << link.Hint();
  }
  EXPECT_EQ(Find<TLabel>("lblRunSyskey").Hint().find("Syskey - "), 0u) << "the usual hint where the tool is";
}

TEST_F(SecurityPage, ProtectionBoxesAreOneGroupAndTheSecondDeletesInsteadOfWritingZero) {
  LoadRegFile(registry, FixturePath("nt40.reg"));
  registry.RemoveValue(HKLM, kSession, "ProtectionMode");
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  EXPECT_FALSE(Find<Control>("cbProtectionMode").Enabled()) << "absent";
  EXPECT_TRUE(Find<Control>("cbAddProtectionMode").Enabled());
  Box("cbAddProtectionMode").UserClick();
  EXPECT_TRUE(OkEnabled());
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kSession, "ProtectionMode"), 0u) << "created, as the box shows";
  EXPECT_EQ(registry.Dword(HKLM, kSession, kAddProtection), 1u);

  // Only the low byte counts.
  registry.SetDword(HKLM, kSession, "ProtectionMode", 0x100);
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  EXPECT_FALSE(Box("cbProtectionMode").Checked());
  EXPECT_TRUE(Box("cbAddProtectionMode").Checked());
  Box("cbAddProtectionMode").UserClick();
  PressOk();
  EXPECT_EQ(Writes(),
            (std::vector<std::string>{"SetValue ProtectionMode", std::string("DeleteValue ") + kAddProtection}));
  EXPECT_FALSE(registry.Value(HKLM, kSession, kAddProtection));
}

TEST_F(SecurityPage, Windows2000ShowsAndWritesTheFileCheckersModeQuotaAndCache) {
  OpenWin2000();
  ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  for (const std::string& name : kSfcControls) {
    if (name != "edSFCQuota") {
      EXPECT_TRUE(Find<Control>(name).Enabled()) << name;
    }
  }
  EXPECT_TRUE(Radio("rbSFC1").Checked());
  EXPECT_TRUE(Box("cbSFCQuota").Checked()) << "unlimited";
  EXPECT_EQ(Edit("edSFCQuota").Text(), "");
  EXPECT_FALSE(Edit("edSFCQuota").Enabled());
  EXPECT_TRUE(Box("cbDllCachePath").Checked());
  EXPECT_EQ(Edit("edDllCachePath").Text(), "%SystemRoot%\\system32\\dllcache");
  EXPECT_EQ(Edit("edDllCachePath").Color(), clWindow);
  EXPECT_FALSE(OkEnabled());

  Radio("rbSFC4").UserClick();
  Box("cbSFCQuota").UserClick();
  EXPECT_EQ(Edit("edSFCQuota").Text(), "300");
  EXPECT_EQ(Edit("edSFCQuota").Color(), clWindow);
  Edit("edSFCQuota").UserType("abc");
  Box("cbDllCachePath").UserClick();
  EXPECT_EQ(Edit("edDllCachePath").Text(), "%SystemRoot%\\System32\\DllCache");
  EXPECT_FALSE(Edit("edDllCachePath").Enabled());
  EXPECT_EQ(Edit("edDllCachePath").Color(), clBtnFace);
  PressOk();
  EXPECT_EQ(Winlogon("SfcDisable"), 0xFFFFFF9Du);
  EXPECT_EQ(Winlogon("SFCQuota"), 300u) << "not a number";
  EXPECT_FALSE(registry.Value(HKLM, kWinlogon, "SFCDllCacheDir"));

  // A stored mode of no button checks none, and OK leaves it.
  registry.SetDword(HKLM, kWinlogon, "SfcDisable", 5);
  Open(ScriptedSystem::Win2000Professional());
  EXPECT_EQ(Radio("rbSFC4").Checked() || Radio("rbSFC1").Checked(), false);
  Box("cbSFCQuota").UserClick();  // back to unlimited
  EXPECT_EQ(Edit("edSFCQuota").Text(), "~300");
  PressOk();
  EXPECT_EQ(Winlogon("SfcDisable"), 5u);
  EXPECT_EQ(Winlogon("SFCQuota"), 0xFFFFFFFFu);
}

TEST_F(SecurityPage, WindowsXpShowsTheModeItWillNotWriteAndWritesTheCachePathExpandable) {
  OpenOn("winxp.reg", ScriptedSystem::WinXPSp3());
  EXPECT_TRUE(Radio("rbSFC1").Checked());
  for (const char* button : {"rbSFC1", "rbSFC2", "rbSFC3", "rbSFC4", "rbSFC5", "rbSFC6"}) {
    EXPECT_FALSE(Find<Control>(button).Enabled()) << button;
  }
  EXPECT_FALSE(Box("cbDllCachePath").Checked());
  EXPECT_EQ(Edit("edDllCachePath").Text(), "%SystemRoot%\\System32\\DllCache");
  EXPECT_FALSE(Edit("edDllCachePath").Enabled());

  Box("cbDllCachePath").UserClick();
  const std::string expanded = form().platform().system.SystemDirectory() + "\\DllCache";
  EXPECT_EQ(Edit("edDllCachePath").Text(), expanded);
  form().MarkModified(SettingGroup::SFC);  // even a raised mode flag writes nothing on XP
  PressOk();
  const auto stored = registry.Value(HKLM, kWinlogon, "SFCDllCacheDir");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, kRegExpandSz);
  EXPECT_EQ(registry.String(HKLM, kWinlogon, "SFCDllCacheDir"), expanded);
  EXPECT_EQ(Writes(), std::vector<std::string>{"SetValue SFCDllCacheDir"});
}

TEST_F(SecurityPage, OtherVersionsKeepTheFileCheckerOffAndNeverWriteIt) {
  struct Case {
    const char* fixture;
    ScriptedSystem (*system)();
  } cases[] = {{"nt40.reg", &ScriptedSystem::WinNT4Sp6Workstation},
               {"win2003.reg", &ScriptedSystem::Win2003Server},
               {"win7.reg", &ScriptedSystem::Win7X64}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    OpenOn(c.fixture, c.system());
    for (const std::string& name : kSfcControls) EXPECT_FALSE(Find<Control>(name).Enabled()) << name;
    EXPECT_EQ(Edit("edSFCQuota").Color(), clBtnFace);
    for (SettingGroup group : {SettingGroup::SFC, SettingGroup::DllCachePath, SettingGroup::SFCQuota}) {
      form().MarkModified(group);
    }
    PressOk();
    EXPECT_TRUE(Writes().empty());
  }
}

TEST_F(SecurityPage, MissingKeysDisableTheirControlsAndBadDataStopsTheLoad) {
  LoadRegFile(registry, FixturePath("win2k.reg"));
  registry.RemoveKey(HKLM, kWinlogon);
  registry.RemoveKey(HKLM, kSession);
  Open(ScriptedSystem::Win2000Professional());
  for (const std::string& name : kSfcControls) EXPECT_FALSE(Find<Control>(name).Enabled()) << name;
  EXPECT_FALSE(Find<Control>("cbProtectionMode").Enabled());
  EXPECT_FALSE(Find<Control>("cbAddProtectionMode").Enabled());

  OpenOn("winxp.reg", ScriptedSystem::WinXPSp3());
  LoadRegFile(registry, FixturePath("damaged/sfc_quota_as_text.reg"));
  Open(ScriptedSystem::WinXPSp3());
  EXPECT_EQ(services.errors.back(), "Invalid data type for 'SFCQuota'");
  for (const std::string& name : kSfcControls) EXPECT_FALSE(Find<Control>(name).Enabled()) << name;
  EXPECT_TRUE(Find<Control>("cbProtectionMode").Enabled()) << "an earlier section loaded";
  EXPECT_FALSE(OkEnabled());
  EXPECT_FALSE(form().Flags().AnyRaised());
}

}  // namespace
}  // namespace varnox::test
