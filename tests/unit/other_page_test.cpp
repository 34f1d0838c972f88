// The Other page in the whole window: the service-pack paths of XP and
// Server 2003, the owner group that rewrites all its values keeping their
// stored types, a missing setup key, the three-state NTFS box and the font
// numbers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "page_test_fixture.h"
#include "reg_file_loader.h"

namespace varnox::test {
namespace {

using Trace = std::vector<std::string>;

constexpr char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kSetup[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
constexpr char kFileSystem[] = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";
constexpr RegKey HKLM = kHkeyLocalMachine;

class OtherPage : public PageTest {
 protected:
  void SetUp() override { LoadRegFile(registry, FixturePath("winxp.reg")); }
  void OpenXP() {
    Reopen(ScriptedSystem::WinXPSp3());
    ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  }
  TEdit& Edit(const std::string& name) { return Find<TEdit>(name); }
  std::uint32_t TypeOf(const char* key, const char* name) { return registry.Value(HKLM, key, name)->type; }
};

TEST_F(OtherPage, ServicePackPathsLiveOnXPAnd2003Only) {
  struct Case {
    const char* fixture;
    ScriptedSystem (*system)();
    bool live;
  };
  for (const Case& c :
       {Case{"win2k.reg", &ScriptedSystem::Win2000Professional, false},
        Case{"winxp.reg", &ScriptedSystem::WinXPSp3, true}, Case{"win2003.reg", &ScriptedSystem::Win2003Server, true},
        Case{"win7.reg", &ScriptedSystem::Win7X64, false}}) {
    SCOPED_TRACE(c.fixture);
    LoadRegFile(registry, FixturePath(c.fixture));
    registry.SetString(HKLM, kSetup, "ServicePackSourcePath", "E:\\SP");
    Reopen(c.system());
    ASSERT_TRUE(services.errors.empty()) << services.errors.front();
    EXPECT_EQ(Edit("edSourcePath3").Enabled(), c.live);
    EXPECT_EQ(Edit("edSourcePath4").Enabled(), c.live);
    EXPECT_EQ(Edit("edSourcePath3").Text(), c.live ? "E:\\SP" : "");

    Edit("edRegOrg").UserType("x");
    Edit("edRegOrg").UserType("");  // cleared
    PressOk();
    Trace expected = {"SetValue RegisteredOwner", "SetValue RegisteredOrganization", "SetValue SourcePath",
                      "SetValue SourcePath"};
    if (c.live) expected.insert(expected.end(), {"SetValue ServicePackSourcePath", "SetValue DriverCachePath"});
    EXPECT_EQ(Writes(), expected);
    EXPECT_EQ(registry.String(HKLM, kCurrentVersion, "RegisteredOrganization"), "") << "empty, not deleted";
  }
}

TEST_F(OtherPage, OwnerGroupKeepsEachStoredTypeAndNewValuesArePlainText) {
  // A fresh XP keeps the driver cache as expandable text.
  registry.RemoveValue(HKLM, kSetup, "ServicePackSourcePath");
  registry.SetExpandString(HKLM, kCurrentVersion, "SourcePath", "%SystemDrive%\\I386");
  OpenXP();
  EXPECT_EQ(Edit("edSourcePath4").Text(), "%SystemRoot%\\Driver Cache") << "shown unexpanded";
  EXPECT_EQ(Edit("edSourcePath").Text(), "%SystemDrive%\\I386");

  Edit("edSourcePath3").UserType("F:\\");
  PressOk();
  EXPECT_EQ(TypeOf(kSetup, "DriverCachePath"), kRegExpandSz) << "untouched, still expandable";
  EXPECT_EQ(registry.String(HKLM, kSetup, "DriverCachePath"), "%SystemRoot%\\Driver Cache");
  EXPECT_EQ(TypeOf(kCurrentVersion, "SourcePath"), kRegExpandSz);
  EXPECT_EQ(TypeOf(kSetup, "ServicePackSourcePath"), kRegSz) << "a new value is plain text";
  EXPECT_EQ(registry.String(HKLM, kSetup, "ServicePackSourcePath"), "F:\\");

  OpenXP();
  Edit("edSourcePath4").UserType("%SystemRoot%\\Cache");
  PressOk();
  EXPECT_EQ(TypeOf(kSetup, "DriverCachePath"), kRegExpandSz) << "edited, still expandable";
  EXPECT_EQ(registry.String(HKLM, kSetup, "DriverCachePath"), "%SystemRoot%\\Cache");
}

TEST_F(OtherPage, MissingSetupKeyDisablesAllThreeSourcePaths) {
  registry.RemoveKey(HKLM, kSetup);
  OpenXP();
  for (const char* edit : {"edSourcePath2", "edSourcePath3", "edSourcePath4"}) {
    EXPECT_FALSE(Edit(edit).Enabled()) << edit;
  }
  EXPECT_TRUE(Edit("edSourcePath").Enabled());
  Edit("edRegOwner").UserType("Someone");
  PressOk();
  EXPECT_EQ(Writes(), (Trace{"SetValue RegisteredOwner", "SetValue RegisteredOrganization", "SetValue SourcePath"}));
  EXPECT_FALSE(registry.KeyExists(HKLM, kSetup));
}

TEST_F(OtherPage, LastAccessBoxCyclesThroughGreyAndFontsWriteNumbers) {
  OpenXP();
  auto& box = Box("cbNTFSDisableLAU");
  ASSERT_EQ(box.State(), cbGrayed) << "absent on a fresh install";
  box.UserClick();  // grey → checked: updates on
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kFileSystem, "NtfsDisableLastAccessUpdate"), 0u);

  OpenXP();
  ASSERT_EQ(Box("cbNTFSDisableLAU").State(), cbChecked);
  Box("cbNTFSDisableLAU").UserClick();  // → unchecked
  Box("cbNTFSDisableLAU").UserClick();  // → grey: delete
  Edit("DefaultFontEdit").UserType("abc");
  Edit("ArialFontEdit").UserType("204");
  PressOk();
  EXPECT_FALSE(registry.Value(HKLM, kFileSystem, "NtfsDisableLastAccessUpdate"));
  const char* fontMapper = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontMapper";
  EXPECT_EQ(registry.Dword(HKLM, fontMapper, "DEFAULT"), 0u) << "not a number writes 0";
  EXPECT_EQ(registry.Dword(HKLM, fontMapper, "ARIAL"), 204u);
}

TEST_F(OtherPage, AutorunChecksOnlyOnOneAndIsReadWithoutAsking) {
  const char* cdrom = "SYSTEM\\CurrentControlSet\\Services\\Cdrom";
  registry.SetDword(HKLM, cdrom, "Autorun", 2);
  OpenXP();
  EXPECT_FALSE(Box("cbAutoPlayCD").Checked());
  Box("cbAutoPlayCD").UserClick();
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, cdrom, "Autorun"), 1u);

  registry.RemoveValue(HKLM, cdrom, "Autorun");
  Reopen(ScriptedSystem::WinXPSp3());
  EXPECT_EQ(services.errors, Trace{"Failed to get data for 'Autorun'"});
  EXPECT_FALSE(Edit("edRegOwner").Enabled()) << "the sections after the failing one are not loaded";
}

// From Windows 10 1803 the value carries the system's own bits. The box
// shows bit 0 (updates off); OK without touching it leaves the number as it
// is, and a click writes the user's choice in the form fsutil writes there.
// Older systems, and plain numbers, keep the plain form.
TEST_F(OtherPage, LastAccessInTheSystemManagedForm) {
  struct Case {
    const char* fixture;
    ScriptedSystem (*system)();
    std::uint32_t stored;
    TCheckBoxState shown;
    std::uint32_t afterOneClick;  // from unchecked: grey, so one more click to checked
  };
  const Case cases[] = {
      {"win10.reg", &ScriptedSystem::Win10X64, 0x80000003, cbUnchecked, 0x80000000},
      {"win11.reg", &ScriptedSystem::Win11X64, 0x80000002, cbChecked, 0x80000001},
      {"win11.reg", &ScriptedSystem::Win11X64, 0x80000001, cbUnchecked, 0x80000000},
      {"win10.reg", &ScriptedSystem::Win10X64, 1, cbUnchecked, 0x80000000},
      {"win81.reg", &ScriptedSystem::Win81X64, 0x80000002, cbUnchecked, 0},
      {"win7.reg", &ScriptedSystem::Win7X64, 0x80000003, cbUnchecked, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.stored << " on " << c.fixture);
    LoadRegFile(registry, FixturePath(c.fixture));
    registry.SetDword(HKLM, kFileSystem, "NtfsDisableLastAccessUpdate", c.stored);
    Reopen(c.system());
    ASSERT_TRUE(services.errors.empty());
    EXPECT_EQ(Box("cbNTFSDisableLAU").State(), c.shown);
    Box("cbAutoPlayCD").UserClick();
    PressOk();
    EXPECT_EQ(Writes(), Trace{"SetValue Autorun"}) << "an untouched box writes nothing";
    EXPECT_EQ(registry.Dword(HKLM, kFileSystem, "NtfsDisableLastAccessUpdate"), c.stored);

    Reopen(c.system());
    Box("cbNTFSDisableLAU").UserClick();
    if (c.shown == cbUnchecked) Box("cbNTFSDisableLAU").UserClick();
    PressOk();
    EXPECT_EQ(registry.Dword(HKLM, kFileSystem, "NtfsDisableLastAccessUpdate"), c.afterOneClick);
  }
}

}  // namespace
}  // namespace varnox::test
