// The Network page in the whole window, on each version's fresh registry:
// the grey-capable boxes, the comment, the two numbers with their
// create/delete buttons, missing keys and bad data.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "page_test_fixture.h"
#include "reg_file_loader.h"
#include "window/form/create_delete_value.h"

namespace varnox::test {
namespace {

using Trace = std::vector<std::string>;

constexpr char kServer[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
constexpr char kWorkstation[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanWorkstation\\Parameters";
constexpr RegKey HKLM = kHkeyLocalMachine;

class NetworkPage : public PageTest {
 protected:
  // A fresh install: both keys there, none of the page's values.
  void SetUp() override { LoadRegFile(registry, FixturePath("winxp.reg")); }
  void OpenXP() { Open(ScriptedSystem::WinXPSp3()); }

  TEdit& Edit(const std::string& name) { return Find<TEdit>(name); }
  TUpDown& Spinner(const std::string& name) { return Find<TUpDown>(name); }
  const std::string& Status(const std::string& label) { return Find<TLabel>(label).Caption(); }
  void Click(const std::string& name) { Find<Control>(name).UserClick(); }
  void ArrowUp(const std::string& spinner) { Spinner(spinner).UserArrowClick(UpDownButton::Up); }

  std::optional<std::uint32_t> Server(const std::string& value) { return registry.Dword(HKLM, kServer, value); }
  std::optional<std::uint32_t> Workstation(const std::string& value) {
    return registry.Dword(HKLM, kWorkstation, value);
  }

  // The values read from `key` during the last opening, in order.
  std::vector<std::string> ReadsOf(const std::string& key) {
    std::vector<std::string> reads;
    for (const RegistryCall& call : registry.Calls()) {
      if (call.op == "QueryValue" && call.keyPath == "HKLM\\" + key) reads.push_back(call.valueName);
    }
    return reads;
  }
};

struct FixtureCase {
  const char* fixture;
  ScriptedSystem (*system)();
};

class NetworkPageOnFixture : public PageTest, public ::testing::WithParamInterface<FixtureCase> {};

TEST_P(NetworkPageOnFixture, FreshInstallShowsEverythingAbsentAndOkWritesNothing) {
  LoadRegFile(registry, FixturePath(GetParam().fixture));
  Open(GetParam().system());
  ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  for (const char* box : {"cbAutoShareServer", "cbAutoShareWks", "cbHideServer"}) {
    EXPECT_EQ(Box(box).State(), cbGrayed) << box;
    EXPECT_TRUE(Box(box).Enabled()) << box;
  }
  EXPECT_EQ(Find<TEdit>("edServerComment").Text(), "");
  EXPECT_EQ(Find<TEdit>("edDiskAlert").Text(), "99");
  EXPECT_EQ(Find<TEdit>("edCacheFileTimeOut").Text(), "10");
  for (const char* number : {"edDiskAlert", "udDiskAlert", "edCacheFileTimeOut", "udCacheFileTimeOut"}) {
    EXPECT_FALSE(Find<Control>(number).Enabled()) << number;
  }
  EXPECT_EQ(Find<TLabel>("lblDiskAlert").Caption(), kCreateValueText);
  EXPECT_EQ(Find<TLabel>("lblCacheFileTimeOut").Caption(), kCreateValueText);
  EXPECT_FALSE(OkEnabled());
  EXPECT_FALSE(form().Flags().AnyRaised());

  PressOk();
  EXPECT_TRUE(Writes().empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, NetworkPageOnFixture,
                         ::testing::Values(FixtureCase{"nt40.reg", &ScriptedSystem::WinNT4Sp6Workstation},
                                           FixtureCase{"win2k.reg", &ScriptedSystem::Win2000Professional},
                                           FixtureCase{"winxp.reg", &ScriptedSystem::WinXPSp3},
                                           FixtureCase{"win2003.reg", &ScriptedSystem::Win2003Server},
                                           FixtureCase{"vista.reg", &ScriptedSystem::WinVista},
                                           FixtureCase{"win7.reg", &ScriptedSystem::Win7X64}));

TEST_F(NetworkPage, BoxesReadTheirNumberOnceForBothDataAndTheHiddenBoxIsInverted) {
  struct Case {
    std::optional<std::uint32_t> stored;
    TCheckBoxState share;   // AutoShareServer, AutoShareWks
    TCheckBoxState hidden;  // cbHideServer asks the opposite
  } cases[] = {
      {std::nullopt, cbGrayed, cbGrayed},
      {0, cbUnchecked, cbChecked},
      {1, cbChecked, cbUnchecked},
      {2, cbUnchecked, cbUnchecked},  // other numbers leave the design state
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored ? std::to_string(*c.stored) : "missing");
    for (const char* value : {"AutoShareServer", "AutoShareWks", "Hidden"}) {
      registry.RemoveValue(HKLM, kServer, value);
      if (c.stored) registry.SetDword(HKLM, kServer, value, *c.stored);
    }
    OpenXP();
    EXPECT_EQ(Box("cbAutoShareServer").State(), c.share);
    EXPECT_EQ(Box("cbAutoShareWks").State(), c.share);
    EXPECT_EQ(Box("cbHideServer").State(), c.hidden);
    EXPECT_FALSE(OkEnabled()) << "the load's own handler calls leave nothing to save";
  }

  // Each box asks whether its value exists and reads it in that one query,
  // for both comparisons; so does the comment.
  registry.SetDword(HKLM, kServer, "AutoShareServer", 1);
  registry.SetDword(HKLM, kServer, "AutoShareWks", 0);
  registry.SetDword(HKLM, kServer, "Hidden", 0);
  registry.SetDword(HKLM, kServer, "DiskSpaceThreshold", 5);
  registry.SetString(HKLM, kServer, "SrvComment", "Files");
  registry.ClearCalls();
  OpenXP();
  // The Memory page reads the key's Size before.
  std::vector<std::string> reads = ReadsOf(kServer);
  reads.erase(std::remove(reads.begin(), reads.end(), "Size"), reads.end());
  EXPECT_EQ(reads, (std::vector<std::string>{"AutoShareServer", "AutoShareWks", "DiskSpaceThreshold", "Hidden",
                                             "SrvComment"}));
  EXPECT_EQ(Find<TEdit>("edServerComment").Text(), "Files");
}

TEST_F(NetworkPage, ShareBoxesCycleThroughGreyAndSaveWorkstationsFirst) {
  registry.SetDword(HKLM, kServer, "AutoShareServer", 0);
  OpenXP();
  ASSERT_EQ(Box("cbAutoShareServer").State(), cbUnchecked);
  ASSERT_EQ(Box("cbAutoShareWks").State(), cbGrayed);

  Click("cbAutoShareServer");  // unchecked → grey: delete the value
  Click("cbAutoShareWks");     // grey → checked: write 1
  EXPECT_TRUE(OkEnabled());
  PressOk();
  EXPECT_EQ(Writes(), (Trace{"SetValue AutoShareWks", "DeleteValue AutoShareServer"}));
  EXPECT_FALSE(Server("AutoShareServer").has_value());
  EXPECT_EQ(Server("AutoShareWks"), 1u);

  OpenXP();
  Click("cbAutoShareWks");     // checked → unchecked: 0
  Click("cbAutoShareServer");  // grey → checked, and round to grey again
  Click("cbAutoShareServer");
  Click("cbAutoShareServer");
  ASSERT_EQ(Box("cbAutoShareServer").State(), cbGrayed);
  PressOk();
  EXPECT_EQ(Writes(), (Trace{"SetValue AutoShareWks"})) << "a grey box whose value is absent writes nothing";
  EXPECT_EQ(Server("AutoShareWks"), 0u);
}

TEST_F(NetworkPage, HideServerGroupWritesTheInvertedBoxAndTheComment) {
  registry.SetDword(HKLM, kServer, "Hidden", 1);
  registry.SetString(HKLM, kServer, "SrvComment", "Old");
  OpenXP();
  ASSERT_EQ(Box("cbHideServer").State(), cbUnchecked);

  Edit("edServerComment").UserType("Build server");
  EXPECT_TRUE(OkEnabled()) << "the comment marks the box's group";
  PressOk();
  EXPECT_EQ(Writes(), (Trace{"SetValue Hidden", "SetValue SrvComment"}));
  EXPECT_EQ(Server("Hidden"), 1u);
  EXPECT_EQ(registry.String(HKLM, kServer, "SrvComment"), "Build server");

  OpenXP();
  Click("cbHideServer");  // unchecked → grey → checked: shown, so "Hidden" = 0
  Click("cbHideServer");
  Edit("edServerComment").UserType("");
  PressOk();
  EXPECT_EQ(Server("Hidden"), 0u);
  EXPECT_FALSE(registry.Value(HKLM, kServer, "SrvComment").has_value()) << "an empty comment is deleted";

  // An empty comment asks for the delete even when there is nothing to delete.
  OpenXP();
  Click("cbHideServer");  // checked → unchecked
  PressOk();
  EXPECT_EQ(Writes(), (Trace{"SetValue Hidden", "DeleteValue SrvComment"}));
  EXPECT_EQ(Server("Hidden"), 1u);
}

TEST_F(NetworkPage, DiskAlertButtonCreatesAndDeletesAtOnceWithoutMarkingAnything) {
  OpenXP();
  Click("sbCreateDiskAlert");
  EXPECT_EQ(Server("DiskSpaceThreshold"), 10u) << "written by the click itself";
  EXPECT_EQ(Edit("edDiskAlert").Text(), "10");
  EXPECT_TRUE(Edit("edDiskAlert").Enabled());
  EXPECT_EQ(Status("lblDiskAlert"), kDeleteValueText);
  EXPECT_FALSE(OkEnabled());
  EXPECT_FALSE(form().Flags().AnyRaised());
  EXPECT_EQ(registry.OpenHandleCount(), 0u);

  // Typing moves the spinner but marks nothing; only an arrow click does.
  Edit("edDiskAlert").UserType("14");
  EXPECT_FALSE(OkEnabled());
  PressOk();
  EXPECT_TRUE(Writes().empty());

  OpenXP();
  ASSERT_EQ(Spinner("udDiskAlert").Position(), 10);
  Edit("edDiskAlert").UserType("14");
  ArrowUp("udDiskAlert");
  PressOk();
  EXPECT_EQ(Server("DiskSpaceThreshold"), 15u);

  // A marked group whose value the button then deleted writes nothing.
  OpenXP();
  ArrowUp("udDiskAlert");
  Click("sbCreateDiskAlert");
  EXPECT_FALSE(Server("DiskSpaceThreshold").has_value());
  EXPECT_EQ(Status("lblDiskAlert"), kCreateValueText);
  EXPECT_FALSE(Edit("edDiskAlert").Enabled());
  EXPECT_TRUE(OkEnabled()) << "the click leaves OK as the arrow left it";
  PressOk();
  EXPECT_TRUE(Writes().empty());
  EXPECT_FALSE(Server("DiskSpaceThreshold").has_value());
}

TEST_F(NetworkPage, ButtonClickSurvivesCancel) {
  OpenXP();
  Click("sbCreateCacheFileTimeOut");
  Find<TButton>("CancelBtn").UserClick();
  EXPECT_EQ(Workstation("CacheFileTimeout"), 10u);
}

TEST_F(NetworkPage, WrongTypesEndTheLoadWithTheirMessageAndOkWritesNothing) {
  const char* numbers[] = {"AutoShareServer", "AutoShareWks", "DiskSpaceThreshold", "Hidden"};
  for (const char* value : numbers) {
    SCOPED_TRACE(value);
    LoadRegFile(registry, FixturePath("winxp.reg"));
    registry.SetString(HKLM, kServer, value, "1");
    services.errors.clear();
    OpenXP();
    EXPECT_EQ(services.errors, (Trace{std::string("Invalid data type for '") + value + "'"}));
    for (const char* control : {"cbAutoShareServer", "cbAutoShareWks", "cbHideServer", "sbCreateDiskAlert",
                                "edServerComment", "sbCreateCacheFileTimeOut"}) {
      EXPECT_FALSE(Find<Control>(control).Enabled()) << control << " shows a state that was never read";
    }
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    EXPECT_FALSE(OkEnabled());
  }

  LoadRegFile(registry, FixturePath("winxp.reg"));
  registry.SetDword(HKLM, kServer, "SrvComment", 7);
  services.errors.clear();
  OpenXP();
  EXPECT_EQ(services.errors, (Trace{"Invalid data type for 'SrvComment'"}));

  LoadRegFile(registry, FixturePath("winxp.reg"));
  registry.SetString(HKLM, kWorkstation, "CacheFileTimeout", "30");
  services.errors.clear();
  OpenXP();
  EXPECT_EQ(services.errors, (Trace{"Invalid data type for 'CacheFileTimeout'"}));
  EXPECT_FALSE(Find<Control>("sbCreateCacheFileTimeOut").Enabled());
  EXPECT_TRUE(Find<Control>("sbCreateDiskAlert").Enabled()) << "the server section had loaded";
  PressOk();
  EXPECT_TRUE(Writes().empty());
}

TEST_F(NetworkPage, ServerKeyThisAccountMayOnlyReadShowsItsValuesWithEveryControlOff) {
  registry.SetDword(HKLM, kServer, "Hidden", 1);
  OpenXP();
  ASSERT_EQ(Box("cbHideServer").State(), cbUnchecked);
  registry.SetDword(HKLM, kServer, "Hidden", 0);
  registry.SetDword(HKLM, kServer, "DiskSpaceThreshold", 15);
  registry.DenyFullAccess(HKLM, kServer);
  OpenXP();
  ASSERT_TRUE(services.errors.empty());
  EXPECT_EQ(Box("cbHideServer").State(), cbChecked) << "the stored value is shown";
  EXPECT_EQ(Find<TUpDown>("udDiskAlert").Position(), 15);
  EXPECT_EQ(Status("lblDiskAlert"), kAdministratorOnlyText);
  for (const char* control : {"cbAutoShareServer", "cbAutoShareWks", "edDiskAlert", "udDiskAlert", "sbCreateDiskAlert",
                              "cbHideServer", "edServerComment"}) {
    EXPECT_FALSE(Find<Control>(control).Enabled()) << control;
  }
  EXPECT_TRUE(Find<Control>("sbCreateCacheFileTimeOut").Enabled()) << "the workstation key may be changed";
  EXPECT_TRUE(Find<Control>("btnRunAsAdmin").Visible());
  PressOk();
  EXPECT_TRUE(Writes().empty());
}

TEST_F(NetworkPage, ServerKeyMissingDisablesItsControlsButLeavesTheComment) {
  registry.RemoveKey(HKLM, kServer);
  OpenXP();
  ASSERT_TRUE(services.errors.empty());
  for (const char* control :
       {"cbAutoShareServer", "cbAutoShareWks", "edDiskAlert", "udDiskAlert", "sbCreateDiskAlert", "cbHideServer"}) {
    EXPECT_FALSE(Find<Control>(control).Enabled()) << control;
  }
  EXPECT_EQ(Status("lblDiskAlert"), kKeyMissingText);
  EXPECT_TRUE(Edit("edServerComment").Enabled());
  EXPECT_FALSE(Find<Control>("btnRunAsAdmin").Visible()) << "a missing key is no matter of rights";
}

TEST_F(NetworkPage, ButtonsOfAKeyOutOfReachNeitherWriteNorClaimToHave) {
  registry.RemoveKey(HKLM, kWorkstation);
  OpenXP();
  EXPECT_EQ(Status("lblCacheFileTimeOut"), kKeyMissingText);
  EXPECT_FALSE(Edit("edCacheFileTimeOut").Enabled());
  EXPECT_TRUE(Find<Control>("sbCreateCacheFileTimeOut").Enabled());
  for (int click = 0; click < 2; ++click) {
    Click("sbCreateCacheFileTimeOut");
    EXPECT_EQ(Status("lblCacheFileTimeOut"), kKeyMissingText);
    EXPECT_FALSE(Edit("edCacheFileTimeOut").Enabled());
    EXPECT_FALSE(Spinner("udCacheFileTimeOut").Enabled());
  }
  EXPECT_FALSE(registry.KeyExists(HKLM, kWorkstation)) << "never created";
  EXPECT_EQ(registry.OpenHandleCount(), 0u);

  // A key that opened at load and is read-only by the time of the click
  // (rights taken away meanwhile): the value stays, and the label says why.
  registry.SetDword(HKLM, kServer, "DiskSpaceThreshold", 20);
  OpenXP();
  ASSERT_EQ(Status("lblDiskAlert"), kDeleteValueText);
  registry.DenyFullAccess(HKLM, kServer);
  Click("sbCreateDiskAlert");
  EXPECT_EQ(Status("lblDiskAlert"), kKeyMissingText);
  EXPECT_EQ(registry.Dword(HKLM, kServer, "DiskSpaceThreshold"), 20u);
  EXPECT_TRUE(services.errors.empty());
}

TEST_F(NetworkPage, StoredTimeoutShowsWithItsDeleteButtonAndSavesTheSpinner) {
  registry.SetDword(HKLM, kWorkstation, "CacheFileTimeout", 600);
  OpenXP();
  EXPECT_EQ(Edit("edCacheFileTimeOut").Text(), "600");
  EXPECT_EQ(Status("lblCacheFileTimeOut"), kDeleteValueText);
  ArrowUp("udCacheFileTimeOut");
  PressOk();
  EXPECT_EQ(Writes(), (Trace{"SetValue CacheFileTimeout"}));
  EXPECT_EQ(Workstation("CacheFileTimeout"), 601u);

  OpenXP();
  Click("sbCreateCacheFileTimeOut");
  EXPECT_FALSE(Workstation("CacheFileTimeout").has_value());
}

TEST_F(NetworkPage, HintsReachThePageControls) {
  OpenXP();
  for (const char* name : {"cbAutoShareServer", "cbAutoShareWks", "edDiskAlert", "edCacheFileTimeOut", "cbHideServer",
                           "edServerComment"}) {
    EXPECT_TRUE(Find<Control>(name).HintsOn()) << name;
    EXPECT_FALSE(Find<Control>(name).Hint().empty()) << name;
  }
  EXPECT_EQ(Find<Control>("edServerComment").Hint(), "Edit server comments");
}

}  // namespace
}  // namespace varnox::test
