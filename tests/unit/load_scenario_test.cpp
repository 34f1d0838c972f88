// The load fuzzer's scenarios: the seeds stand for the fixtures, and the
// checks of a run find the faults they are there to find.

#include "load_scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "fixture_window.h"
#include "reg_file_loader.h"
#include "toolkit/spinner_range.h"
#include "toolkit/toolkit.h"
#include "version_fixtures.h"

namespace varnox::fuzz {
namespace {

bool Mentions(const std::vector<std::string>& findings, const std::string& text) {
  for (const std::string& finding : findings) {
    if (finding.find(text) != std::string::npos) return true;
  }
  return false;
}

TEST(LoadScenario, TheFirstPassFindsTheKeysOfEveryRegisteredSection) {
  std::size_t values = 0;
  bool currentUser = false;
  bool deviceMap = false;  // read only where a machine's device map is laid on
  for (const ReadKey& key : ReadKeys()) {
    values += key.values.size();
    currentUser = currentUser || key.root == kHkeyCurrentUser;
    deviceMap = deviceMap || key.path.starts_with("HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 0");
  }
  EXPECT_GE(ReadKeys().size(), 5u);
  EXPECT_GE(values, 20u);
  EXPECT_TRUE(currentUser);
  EXPECT_TRUE(deviceMap);
}

TEST(LoadScenario, AFixtureSurvivesEncodingAndEveryDecodedByteStringRuns) {
  MemoryRegistry registry;
  LoadRegFile(registry, FixturePath("nt40.reg"));
  Scenario scenario = ScenarioOfRegistry(registry, 0);
  scenario.actions = {{1, 2}, {3, 255}};
  const Scenario decoded = DecodeScenario(EncodeScenario(scenario));
  EXPECT_EQ(decoded.preset, scenario.preset);
  EXPECT_EQ(decoded.actions.size(), 2u);
  ASSERT_EQ(decoded.keys.size(), scenario.keys.size());
  for (std::size_t k = 0; k < scenario.keys.size(); ++k) {
    EXPECT_EQ(decoded.keys[k].exists, scenario.keys[k].exists);
    for (std::size_t v = 0; v < scenario.keys[k].values.size(); ++v) {
      EXPECT_EQ(decoded.keys[k].values[v].present, scenario.keys[k].values[v].present);
      EXPECT_EQ(decoded.keys[k].values[v].type, scenario.keys[k].values[v].type);
      EXPECT_EQ(decoded.keys[k].values[v].data, scenario.keys[k].values[v].data);
    }
  }
  // Truncated and empty inputs decode too: what is missing is absent.
  const std::vector<std::uint8_t> bytes = EncodeScenario(scenario);
  for (std::size_t size : {std::size_t{0}, std::size_t{2}, bytes.size() / 2}) {
    EXPECT_TRUE(RunScenario(DecodeScenario({bytes.data(), size})).empty()) << size;
  }
}

TEST(LoadScenario, EverySeedRunsAndItsRegistryFilesRoundTripWithoutFinding) {
  for (const std::vector<std::uint8_t>& seed : SeedInputs()) {
    const std::vector<std::string> findings = RunScenarioWithRoundTrips(DecodeScenario(seed));
    std::string all;
    for (const std::string& finding : findings) all += finding + "\n";
    EXPECT_TRUE(findings.empty()) << all;
  }
}

// On NT 4.0 without the channel keys the DMA groups load as item 0; a pick
// then writes both channels and creates their keys, also after a later
// section's load error. The load looked for those keys, so that is no write
// of a value it never read; a value it never looked for still is.
TEST(LoadScenario, AfterALoadErrorOnlyValuesTheLoadNeverLookedForAreUnread) {
  MemoryRegistry registry;
  LoadRegFile(registry, FixturePath("nt40.reg"));
  registry.SetRaw(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner", kRegDword,
                  {1, 0, 0, 0});
  Scenario scenario = ScenarioOfRegistry(registry, 0);
  std::uint8_t channel1 = 0;
  RunScenario(scenario, [&](TConfForm& form) {
    const std::vector<Control*> controls = SectionControls(form);
    channel1 = static_cast<std::uint8_t>(std::find(controls.begin(), controls.end(), &form.Find<Control>("rgATAPI_1")) -
                                         controls.begin());
  });
  scenario.actions = {{channel1, 1}};
  EXPECT_TRUE(RunScenario(scenario).empty());

  const std::vector<std::string> planted = RunScenario(scenario, [](TConfForm& form) {
    form.Frame().AddSaveGroup({SettingGroup::ATAPI,
                               kHkeyLocalMachine,
                               [](TRegistry& reg) {
                                 if (!reg.OpenKey("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", false)) return;
                                 reg.WriteText("SourcePathUnread", "A:\\");
                                 reg.CloseKey();
                               },
                               {}});
  });
  ASSERT_EQ(planted.size(), 1u);
  EXPECT_TRUE(Mentions(planted, "a value the load never read: SetValue")) << planted.front();
}

// Faults planted in an extra load section of the window.
TEST(LoadScenario, TheChecksFindPlantedFaults) {
  MemoryRegistry registry;
  LoadRegFile(registry, FixturePath("winxp.reg"));
  const Scenario xp = ScenarioOfRegistry(registry, 2);
  const auto withSection = [&](std::function<void(TRegistry&)> load) {
    return RunScenario(xp, [&](TConfForm& form) {
      form.Frame().AddLoadSection({"planted", kHkeyLocalMachine, load, {}});
    });
  };

  EXPECT_TRUE(Mentions(withSection([](TRegistry&) { throw std::length_error("vector"); }), "load message \"vector\""));
  // No stored number is beyond what a spinner shows, so a range error is a fault too.
  EXPECT_TRUE(Mentions(withSection([](TRegistry&) { throw ERangeError(); }), "load message \"Range check error\""));
  EXPECT_TRUE(Mentions(withSection([](TRegistry&) { throw ERegistryException("Invalid data type for 'Unread'"); }),
                       "load message"));
  EXPECT_TRUE(Mentions(withSection([](TRegistry& reg) {
                         if (reg.OpenKey("SYSTEM\\CurrentControlSet\\Control\\WOW", false)) {
                           reg.WriteText("DefaultSeparateVDM", "no");
                         }
                       }),
                       "the load wrote: SetValue"));
  // A key opened through the load's accessor closes with the load; one
  // created past it and left open does not.
  EXPECT_TRUE(Mentions(withSection([](TRegistry& reg) {
                         RegKey leaked = 0;
                         reg.Api().CreateKey(kHkeyLocalMachine, "SYSTEM", kKeyRead, &leaked);
                       }),
                       "left a key open"));
  EXPECT_TRUE(withSection([](TRegistry&) {}).empty());
}

// Another program changes the animation flag between the load and OK; the
// user turns the beep off. OK keeps the other program's value, and a save
// that writes around the frame's decision is found.
TEST(LoadScenario, AnotherProgramsChangesBeforeOkAreKeptAndAnOkThatUndoesThemIsFound) {
  MemoryRegistry registry;
  LoadRegFile(registry, FixturePath("winxp.reg"));
  Scenario xp = ScenarioOfRegistry(registry, 2);
  test::FixtureWindow window(VersionFixtures()[2]);
  const std::vector<Control*> controls = SectionControls(*window.form);
  const auto beep = std::find_if(controls.begin(), controls.end(),
                                 [](const Control* control) { return control->Name() == "cbBeepOnError"; });
  ASSERT_NE(beep, controls.end());
  xp.actions.push_back({static_cast<std::uint8_t>(beep - controls.begin()), 0});
  const auto valueOf = [](const char* path, const char* name) {
    for (std::size_t k = 0; k < ReadKeys().size(); ++k) {
      const std::vector<std::string>& values = ReadKeys()[k].values;
      const auto v = std::find(values.begin(), values.end(), name);
      if (ReadKeys()[k].path == path && v != values.end()) {
        return std::pair{static_cast<std::uint16_t>(k), static_cast<std::uint8_t>(v - values.begin())};
      }
    }
    ADD_FAILURE() << name;
    return std::pair<std::uint16_t, std::uint8_t>{};
  };
  const auto [metrics, minAnimate] = valueOf("Control Panel\\Desktop\\WindowMetrics", "MinAnimate");
  const auto [sound, beepValue] = valueOf("Control Panel\\Sound", "Beep");
  xp.external = {{metrics, minAnimate, {true, kRegSz, {'0', 0}}}, {sound, beepValue, {false, kRegNone, {}}}};
  EXPECT_EQ(EncodeScenario(DecodeScenario(EncodeScenario(xp))), EncodeScenario(xp));

  const std::vector<std::string> findings = RunScenario(xp);
  EXPECT_TRUE(findings.empty()) << findings.front();
  const std::vector<std::string> planted = RunScenario(xp, [](TConfForm& form) {
    form.Frame().AddSaveGroup(
        {SettingGroup::Explorer,
         kHkeyCurrentUser,
         [&form](TRegistry&) {
           RegistryApi& real = form.platform().registry;
           RegKey key = 0;
           real.OpenKey(kHkeyCurrentUser, "Control Panel\\Desktop\\WindowMetrics", kKeyAllAccess, &key);
           real.SetValue(key, "MinAnimate", kRegSz, reinterpret_cast<const std::uint8_t*>("1"), 2);
           real.CloseKey(key);
         },
         {}});
  });
  EXPECT_TRUE(
      Mentions(planted, "OK undid another program's change of Control Panel\\Desktop\\WindowMetrics\\MinAnimate"))
      << (planted.empty() ? std::string() : planted.front());
}

}  // namespace
}  // namespace varnox::fuzz
