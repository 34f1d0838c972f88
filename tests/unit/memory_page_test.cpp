#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "page_test_fixture.h"
#include "reg_file_loader.h"
#include "toolkit/hints.h"

namespace varnox::test {
namespace {

constexpr char kMemory[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr char kServer[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
constexpr char kWow[] = "SYSTEM\\CurrentControlSet\\Control\\WOW";
constexpr RegKey HKLM = kHkeyLocalMachine;

class MemoryPage : public PageTest {
 protected:
  // A workstation as installed: least memory use, no large cache, Auto
  // cache size, the default lock limit.
  void SeedKeys() {
    registry.SetDword(HKLM, kMemory, "ClearPageFileAtShutdown", 0);  // the Logon page reads it first
    registry.SetDword(HKLM, kMemory, "LargeSystemCache", 0);
    registry.SetDword(HKLM, kMemory, "SecondLevelDataCache", 0);
    registry.SetDword(HKLM, kMemory, "IoPageLockLimit", 0);
    registry.SetDword(HKLM, kMemory, "DisablePagingExecutive", 0);
    registry.SetDword(HKLM, kServer, "Size", 1);
    registry.SetString(HKLM, kWow, "DefaultSeparateVDM", "no");
  }
  TRadioButton& Radio(const std::string& name) { return Find<TRadioButton>(name); }
  // The checked one of `names`, or "" when none is.
  std::string Selected(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (Radio(name).Checked()) return name;
    }
    return "";
  }
  std::string ServerChoice() { return Selected({"rbServer1", "rbServer2", "rbServer3", "rbServer4"}); }
  std::string IoLockChoice() {
    return Selected({"rbIOLockDefault", "rbIOLock1024kb", "rbIOLock2048kb", "rbIOLockOther"});
  }
  // Each value of the page as "type:data bytes", or "missing".
  std::vector<std::string> PageValues() {
    std::vector<std::optional<StoredValue>> values;
    for (const char* name : {"LargeSystemCache", "SecondLevelDataCache", "IoPageLockLimit", "DisablePagingExecutive"}) {
      values.push_back(registry.Value(HKLM, kMemory, name));
    }
    values.push_back(registry.Value(HKLM, kServer, "Size"));
    values.push_back(registry.Value(HKLM, kWow, "DefaultSeparateVDM"));
    std::vector<std::string> shown;
    for (const auto& value : values) {
      std::string text = value ? std::to_string(value->type) + ":" : "missing";
      if (value) {
        for (std::uint8_t byte : value->data) text += " " + std::to_string(byte);
      }
      shown.push_back(text);
    }
    return shown;
  }
};

struct FixtureCase {
  const char* fixture;
  ScriptedSystem (*system)();
  const char* serverChoice;
  bool ioLockShown;
};

class MemoryPageOnFixture : public MemoryPage, public ::testing::WithParamInterface<FixtureCase> {};

TEST_P(MemoryPageOnFixture, ShowsTheStoredStateAndWritesItBackUnchanged) {
  LoadRegFile(registry, FixturePath(GetParam().fixture));
  Open(GetParam().system());
  ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  EXPECT_EQ(ServerChoice(), GetParam().serverChoice);
  EXPECT_EQ(Radio("rbIOLockDefault").Checked(), GetParam().ioLockShown);
  EXPECT_EQ(Radio("rbIOLockDefault").Enabled(), GetParam().ioLockShown);
  EXPECT_TRUE(Box("rb2CacheAuto").Checked());

  // Showing the page for the first time is no change.
  Find<TPageControl>("PageControl").UserSelectTab(Find<TTabSheet>("tsMemory"));
  EXPECT_FALSE(OkEnabled());

  // Each group written as the page shows it stores what was there.
  const auto before = PageValues();
  for (SettingGroup group : {SettingGroup::ServerOptimization, SettingGroup::L2Cache, SettingGroup::IoPageLock,
                             SettingGroup::PagingExecutive, SettingGroup::SeparateVDM}) {
    form().Flags().Raise(group);
  }
  form().SaveSettings();
  EXPECT_EQ(PageValues(), before);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, MemoryPageOnFixture,
    ::testing::Values(FixtureCase{"nt40.reg", &ScriptedSystem::WinNT4Sp6Workstation, "rbServer1", true},
                      FixtureCase{"win2k.reg", &ScriptedSystem::Win2000Professional, "rbServer1", true},
                      FixtureCase{"winxp.reg", &ScriptedSystem::WinXPSp3, "rbServer1", false},
                      FixtureCase{"win2003.reg", &ScriptedSystem::Win2003Server, "rbServer3", false},
                      FixtureCase{"vista.reg", &ScriptedSystem::WinVista, "rbServer1", false},
                      FixtureCase{"win7.reg", &ScriptedSystem::Win7X64, "rbServer1", false}));

TEST_F(MemoryPage, OptimisationShowsSizeWithTheStoredLargeCacheRestored) {
  struct Case {
    std::optional<std::uint32_t> size;
    std::uint32_t largeCache;
    const char* choice;
    TCheckBoxState box;
  } cases[] = {
      {1, 1, "rbServer1", cbChecked},  // the button's handler unchecked the box; the load puts it back
      {2, 0, "rbServer2", cbUnchecked},
      {3, 1, "rbServer3", cbChecked},
      {3, 0, "rbServer4", cbUnchecked},
      {3, 2, "rbServer4", cbUnchecked},  // a grey box is not checked; the handler's change stays
      {9, 1, "", cbChecked},
      {std::nullopt, 1, "", cbChecked},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.size ? std::to_string(*c.size) : "missing") << "/" << c.largeCache);
    SeedKeys();
    registry.RemoveValue(HKLM, kServer, "Size");
    if (c.size) registry.SetDword(HKLM, kServer, "Size", *c.size);
    registry.SetDword(HKLM, kMemory, "LargeSystemCache", c.largeCache);
    Open(ScriptedSystem::WinXPSp3());
    ASSERT_TRUE(services.errors.empty()) << services.errors.front();
    EXPECT_EQ(ServerChoice(), c.choice);
    EXPECT_EQ(Box("cbLargeCache").State(), c.box);
    EXPECT_EQ(Radio("rbServer1").Enabled(), c.size.has_value());
    EXPECT_FALSE(OkEnabled());
  }
}

TEST_F(MemoryPage, OptimisationButtonsDriveTheLargeCacheUnlessIndependent) {
  SeedKeys();
  Open(ScriptedSystem::WinXPSp3());
  auto& largeCache = Box("cbLargeCache");
  Radio("rbServer3").UserClick();
  EXPECT_TRUE(largeCache.Checked());
  Radio("rbServer2").UserClick();
  EXPECT_FALSE(largeCache.Checked());
  largeCache.UserClick();
  EXPECT_EQ(ServerChoice(), "rbServer3") << "checking the box chooses file sharing";
  largeCache.UserClick();
  EXPECT_EQ(ServerChoice(), "rbServer3") << "unchecking it chooses nothing";
  Radio("rbServer2").UserClick();
  PressOk();
  EXPECT_EQ(Writes(), (std::vector<std::string>{"SetValue Size", "SetValue LargeSystemCache"}));
  EXPECT_EQ(registry.Dword(HKLM, kServer, "Size"), 2u);
  EXPECT_EQ(registry.Dword(HKLM, kMemory, "LargeSystemCache"), 0u);

  Open(ScriptedSystem::WinXPSp3());
  Box("cbIndepend").UserClick();
  Radio("rbServer3").UserClick();
  EXPECT_FALSE(Box("cbLargeCache").Checked());
  Radio("rbServer4").UserClick();
  Box("cbLargeCache").UserClick();
  EXPECT_EQ(ServerChoice(), "rbServer4");
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kServer, "Size"), 3u);
  EXPECT_EQ(registry.Dword(HKLM, kMemory, "LargeSystemCache"), 1u);
  Open(ScriptedSystem::WinXPSp3());
  EXPECT_FALSE(Box("cbIndepend").Checked()) << "not stored: every window starts dependent";
  EXPECT_EQ(ServerChoice(), "rbServer3");
}

TEST_F(MemoryPage, WithoutSizeTheLargeCacheAloneIsWritten) {
  SeedKeys();
  registry.RemoveValue(HKLM, kServer, "Size");
  Open(ScriptedSystem::WinXPSp3());
  Box("cbLargeCache").UserClick();
  EXPECT_EQ(ServerChoice(), "") << "disabled buttons are not chosen";
  EXPECT_TRUE(OkEnabled());
  PressOk();
  EXPECT_EQ(Writes(), std::vector<std::string>{"SetValue LargeSystemCache"});
  EXPECT_FALSE(registry.Value(HKLM, kServer, "Size").has_value());
}

TEST_F(MemoryPage, AutoCacheSizeIsZeroAndFollowsTheSize) {
  SeedKeys();
  registry.SetDword(HKLM, kMemory, "SecondLevelDataCache", 512);
  Open(ScriptedSystem::WinXPSp3());
  auto& autoSize = Box("rb2CacheAuto");
  auto& edit = Find<TEdit>("edSecondLevelCache");
  EXPECT_FALSE(autoSize.Checked());
  EXPECT_EQ(edit.Text(), "512");

  autoSize.UserClick();
  EXPECT_EQ(edit.Text(), "0");
  PressOk();
  EXPECT_EQ(Writes(), (std::vector<std::string>{"SetValue SecondLevelDataCache", "SetValue SecondLevelDataCache"}));
  EXPECT_EQ(registry.Dword(HKLM, kMemory, "SecondLevelDataCache"), 0u);

  Open(ScriptedSystem::WinXPSp3());
  ASSERT_TRUE(Box("rb2CacheAuto").Checked());
  Box("rb2CacheAuto").UserClick();
  EXPECT_TRUE(Box("rb2CacheAuto").Checked()) << "Auto cannot be left while the size is 0";
  Find<TUpDown>("udSecondLevelDataCache").UserArrowClick(UpDownButton::Up);
  EXPECT_FALSE(Box("rb2CacheAuto").Checked());
  Find<TEdit>("edSecondLevelCache").UserType("0");
  EXPECT_TRUE(Box("rb2CacheAuto").Checked());
  Find<TEdit>("edSecondLevelCache").UserType("1024");
  PressOk();
  EXPECT_EQ(Writes(), std::vector<std::string>{"SetValue SecondLevelDataCache"});
  EXPECT_EQ(registry.Dword(HKLM, kMemory, "SecondLevelDataCache"), 1024u);
}

TEST_F(MemoryPage, IoLockLimitShowsKilobytesRoundedHalfToEven) {
  struct Case {
    std::uint32_t bytes;
    const char* choice;
    const char* kilobytes;  // the other size's edit
  } cases[] = {
      {0, "rbIOLockDefault", "512"},        {1048576, "rbIOLock1024kb", "512"}, {2097152, "rbIOLock2048kb", "512"},
      {4194304, "rbIOLockOther", "4096"},   {524288, "rbIOLockOther", "512"},   {1536, "rbIOLockOther", "2"},
      {2560, "rbIOLockOther", "2"},         {3584, "rbIOLockOther", "4"},       {33553919, "rbIOLockOther", "32767"},
      {0xFFFFFA00u, "rbIOLockOther", "-2"},  // read as a signed number
  };
  bool nt4 = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    SeedKeys();
    registry.SetDword(HKLM, kMemory, "IoPageLockLimit", c.bytes);
    Open(nt4 ? ScriptedSystem::WinNT4Sp6Workstation() : ScriptedSystem::Win2000Professional());
    nt4 = !nt4;
    ASSERT_TRUE(services.errors.empty()) << services.errors.front();
    EXPECT_EQ(IoLockChoice(), c.choice);
    EXPECT_EQ(Find<TEdit>("edIOLockOther").Text(), c.kilobytes);
    EXPECT_EQ(Find<Control>("edIOLockOther").Enabled(), c.choice == std::string("rbIOLockOther"));
  }
}

TEST_F(MemoryPage, IoLockOtherSizeIsMarkedByItsSpinnerAndWrittenInBytes) {
  SeedKeys();
  Open(ScriptedSystem::Win2000Professional());
  Radio("rbIOLockOther").UserClick();
  EXPECT_TRUE(Find<Control>("udIOLockOther").Enabled());
  EXPECT_FALSE(OkEnabled()) << "choosing the other size alone changes nothing yet";
  Find<TUpDown>("udIOLockOther").UserArrowClick(UpDownButton::Up);
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kMemory, "IoPageLockLimit"), 1048576u);

  Open(ScriptedSystem::Win2000Professional());
  EXPECT_EQ(IoLockChoice(), "rbIOLock1024kb");
  Radio("rbIOLockOther").UserClick();
  Find<TEdit>("edIOLockOther").UserType("4096");
  Radio("rbIOLockDefault").UserClick();
  EXPECT_FALSE(Find<Control>("edIOLockOther").Enabled());
  PressOk();
  EXPECT_EQ(Writes(), std::vector<std::string>{"SetValue IoPageLockLimit"});
  EXPECT_EQ(registry.Dword(HKLM, kMemory, "IoPageLockLimit"), 0u) << "the default is 0, not 512 KB in bytes";
}

TEST_F(MemoryPage, IoLockLimitIsNeitherReadNorWrittenAfterWindows2000) {
  for (auto make : {&ScriptedSystem::WinXPSp3, &ScriptedSystem::Win2003Server, &ScriptedSystem::Win7X64}) {
    SeedKeys();
    registry.SetString(HKLM, kMemory, "IoPageLockLimit", "not a number");
    Open(make());
    ASSERT_TRUE(services.errors.empty()) << services.errors.front();
    for (const char* name :
         {"rbIOLockDefault", "rbIOLock1024kb", "rbIOLock2048kb", "rbIOLockOther", "edIOLockOther", "udIOLockOther"}) {
      EXPECT_FALSE(Find<Control>(name).Enabled()) << name;
    }
    EXPECT_EQ(IoLockChoice(), "");
    form().Flags().Raise(SettingGroup::IoPageLock);
    registry.ClearCalls();
    form().SaveSettings();
    EXPECT_TRUE(Writes().empty());
  }
}

TEST_F(MemoryPage, PagingExecutiveAndSeparateVdmBoxes) {
  struct Case {
    std::uint32_t paging;
    const char* vdm;
    TCheckBoxState pagingBox;
    bool pagingEnabled;
    bool vdmChecked;
  } cases[] = {
      {0, "YES", cbUnchecked, true, true},
      {1, "no", cbChecked, true, false},
      {2, "yes ", cbGrayed, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.paging);
    SeedKeys();
    registry.SetDword(HKLM, kMemory, "DisablePagingExecutive", c.paging);
    registry.SetString(HKLM, kWow, "DefaultSeparateVDM", c.vdm);
    Open(ScriptedSystem::WinXPSp3());
    EXPECT_EQ(Box("cbDisablePagingExecutive").State(), c.pagingBox);
    EXPECT_EQ(Box("cbDisablePagingExecutive").Enabled(), c.pagingEnabled);
    EXPECT_EQ(Box("cbDefaultSeparateVDM").Checked(), c.vdmChecked);
  }

  SeedKeys();
  registry.SetString(HKLM, kWow, "DefaultSeparateVDM", "YES");
  Open(ScriptedSystem::WinXPSp3());
  Box("cbDisablePagingExecutive").UserClick();
  Box("cbDefaultSeparateVDM").UserClick();
  Box("cbDefaultSeparateVDM").UserClick();
  PressOk();
  EXPECT_EQ(registry.Dword(HKLM, kMemory, "DisablePagingExecutive"), 1u);
  EXPECT_EQ(registry.String(HKLM, kWow, "DefaultSeparateVDM"), "yes");
}

TEST_F(MemoryPage, BadDataEndsTheLoadAndLeavesLaterSectionsUnsaveable) {
  struct Case {
    void (*spoil)(MemoryRegistry&);
    const char* message;
  } cases[] = {
      {[](MemoryRegistry& r) { r.RemoveValue(HKLM, kMemory, "LargeSystemCache"); },
       "Failed to get data for 'LargeSystemCache'"},
      {[](MemoryRegistry& r) { r.SetString(HKLM, kMemory, "SecondLevelDataCache", "512"); },
       "Invalid data type for 'SecondLevelDataCache'"},
      {[](MemoryRegistry& r) { r.RemoveValue(HKLM, kMemory, "DisablePagingExecutive"); },
       "Failed to get data for 'DisablePagingExecutive'"},
      {[](MemoryRegistry& r) { r.SetString(HKLM, kServer, "Size", "1"); }, "Invalid data type for 'Size'"},
      {[](MemoryRegistry& r) { r.SetDword(HKLM, kWow, "DefaultSeparateVDM", 1); },
       "Invalid data type for 'DefaultSeparateVDM'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    SeedKeys();
    c.spoil(registry);
    services.errors.clear();
    Open(ScriptedSystem::WinNT4Sp6Workstation());
    EXPECT_EQ(services.errors, std::vector<std::string>{c.message});
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    EXPECT_FALSE(OkEnabled());
    EXPECT_FALSE(Box("cbDefaultSeparateVDM").Enabled());
    registry.RemoveKey(HKLM, kMemory);
    registry.RemoveKey(HKLM, kServer);
    registry.RemoveKey(HKLM, kWow);
  }
}

TEST_F(MemoryPage, MissingKeysDisableTheirControlsAndWritesFindNoKey) {
  registry.SetDword(HKLM, kServer, "Size", 2);
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  for (const char* name :
       {"cbLargeCache", "rb2CacheAuto", "rbIOLockDefault", "rbIOLockOther", "udIOLockOther", "cbDefaultSeparateVDM"}) {
    EXPECT_FALSE(Find<Control>(name).Enabled()) << name;
  }
  EXPECT_EQ(Box("cbLargeCache").State(), cbUnchecked) << "the Balance button's handler unchecked it";
  EXPECT_EQ(Box("cbDefaultSeparateVDM").State(), cbGrayed);
  EXPECT_TRUE(Find<Control>("edSecondLevelCache").Enabled());
  EXPECT_TRUE(Box("cbDisablePagingExecutive").Enabled());

  Find<TEdit>("edSecondLevelCache").UserType("256");
  Box("cbDisablePagingExecutive").UserClick();
  Radio("rbServer4").UserClick();
  PressOk();
  EXPECT_EQ(Writes(), std::vector<std::string>{"SetValue Size"});
  EXPECT_FALSE(registry.KeyExists(HKLM, kMemory));
  EXPECT_FALSE(registry.KeyExists(HKLM, kWow));
}

TEST_F(MemoryPage, LoadReadsTheKeysAndValuesInOrder) {
  SeedKeys();
  registry.SetDword(HKLM, kMemory, "LargeSystemCache", 1);
  registry.SetDword(HKLM, kMemory, "IoPageLockLimit", 4194304);
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  // The value reads, each with its key (the load opens a key once for all
  // the sections that read it).
  std::vector<std::string> reads;
  for (const RegistryCall& call : registry.Calls()) {
    if (call.op == "QueryValue") reads.push_back(call.keyPath + " " + call.valueName);
  }
  const auto read = [](const char* key, const char* value) { return std::string("HKLM\\") + key + " " + value; };
  // The Logon page may read the same key before; this page's section starts
  // with the large cache.
  const auto at = std::find(reads.begin(), reads.end(), read(kMemory, "LargeSystemCache"));
  ASSERT_NE(at, reads.end());
  const std::vector<std::string> expected = {
      read(kMemory, "LargeSystemCache"),  // each value once, whatever it is compared with
      read(kMemory, "SecondLevelDataCache"),
      read(kMemory, "IoPageLockLimit"),
      read(kMemory, "DisablePagingExecutive"),
      read(kServer, "Size"),             // whether it exists, and what it is, in one query
      read(kWow, "DefaultSeparateVDM"),  // size and text in one query
  };
  ASSERT_GE(reads.end() - at, static_cast<std::ptrdiff_t>(expected.size()));
  EXPECT_EQ(std::vector<std::string>(at, at + static_cast<std::ptrdiff_t>(expected.size())), expected);
}

TEST_F(MemoryPage, IoLockControlsWithoutHintsShowTheGroupBoxHint) {
  SeedKeys();
  Open(ScriptedSystem::Win2000Professional());
  const auto& group = Find<Control>("gbIOLock");
  for (const char* name : {"Label1", "edIOLockOther", "udIOLockOther"}) {
    const auto shown = ResolveHint(Find<Control>(name));
    ASSERT_TRUE(shown.has_value()) << name;
    EXPECT_EQ(shown->text, group.Hint()) << name;
  }
  const auto shown = ResolveHint(Radio("rbIOLockDefault"));
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->owner, &Radio("rbIOLockDefault")) << "the button's switch comes from its group box";
  EXPECT_EQ(shown->text, "The system locked the 512K for I/O operations.");
}

}  // namespace
}  // namespace varnox::test
