// The Group Policy templates come from the pages' table of managed values:
// the table lists every value OK writes, and each shared value becomes a
// policy that writes what the window writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "admx_writer.h"
#include "base/ascii.h"
#include "fixture_window.h"
#include "policy_effects.h"
#include "reg_file_loader.h"
#include "version_fixtures.h"
#include "window_policies.h"

namespace varnox {
namespace {

std::string Where(RegKey root, std::string_view key, std::string_view value) {
  return std::string(root == kHkeyLocalMachine ? "HKLM\\" : "HKCU\\") + AsciiLowerCase(std::string(key)) + "|" +
         AsciiLowerCase(std::string(value));
}

std::set<std::string> TableValues() {
  std::set<std::string> values;
  for (const ManagedPage& page : AllManagedValues()) {
    for (const ManagedValue& value : page.values) {
      // The adapters' keys are this machine's: the table names the value only.
      values.insert(value.key.empty() ? "*|" + AsciiLowerCase(std::string(value.value))
                                      : Where(value.root, value.key, value.value));
    }
  }
  return values;
}

const Policy& Find(const PolicySet& set, const std::string& id) {
  const auto policy = std::find_if(set.policies.begin(), set.policies.end(),
                                   [&id](const Policy& candidate) { return candidate.id == id; });
  if (policy == set.policies.end()) throw std::runtime_error("no policy " + id);
  return *policy;
}

// Every value that OK writes or deletes on any version, with every group
// marked, is in the table: a row added to a page without its entry fails here.
TEST(PolicyTemplates, TheTableNamesEveryValueOkWrites) {
  const std::set<std::string> table = TableValues();
  std::size_t seen = 0;
  for (const VersionFixture& fixture : VersionFixtures()) {
    test::FixtureWindow window(fixture);
    for (std::size_t group = 0; group < kSettingGroupCount; ++group) {
      window.form->MarkModified(static_cast<SettingGroup>(group));
    }
    window.registry.ClearCalls();
    window.PressOk();
    for (const RegistryCall& call : window.registry.Calls()) {
      if (call.op != "SetValue" && call.op != "DeleteValue") continue;
      ++seen;
      const auto slash = call.keyPath.find('\\');
      const RegKey root = call.keyPath.starts_with("HKLM") ? kHkeyLocalMachine : kHkeyCurrentUser;
      const std::string where = Where(root, call.keyPath.substr(slash + 1), call.valueName);
      const bool adapter = table.contains("*|" + AsciiLowerCase(call.valueName)) &&
                           AsciiLowerCase(call.keyPath).find("\\services\\") != std::string::npos;
      EXPECT_TRUE(table.contains(where) || adapter)
          << fixture.fixture << ": " << call.ToString() << " in " << call.keyPath;
    }
  }
  EXPECT_GT(seen, 100u);
}

// Each shared value of the table is one policy, with its root, key and
// name as the window writes them; so a row added to a page's table (which
// the test above demands of a row that OK writes) is a policy too.
TEST(PolicyTemplates, EverySharedValueOfTheTableIsOnePolicy) {
  std::multiset<std::string> policies;
  for (const Policy& policy : WindowPolicies().policies) {
    policies.insert(Where(policy.machine ? kHkeyLocalMachine : kHkeyCurrentUser, policy.key, policy.valueName));
  }
  std::multiset<std::string> shared;
  for (const ManagedPage& page : AllManagedValues()) {
    for (const ManagedValue& value : page.values) {
      if (!LeftOut(value)) shared.insert(Where(value.root, value.key, value.value));
    }
  }
  EXPECT_EQ(policies, shared);

  // A page with one more row has one more policy.
  std::vector<ManagedPage> pages = AllManagedValues();
  constexpr SettingRow kExtra{
      .control = "cbAutoEndTask", .value = "ExtraValue", .kind = RowKind::TextFlag, .group = SettingGroup::EndTask};
  pages.front().values.push_back(RowValue(kHkeyCurrentUser, "Control Panel\\Desktop", kExtra));
  const PolicySet set = WindowPolicies(pages);
  const Policy& extra = Find(set, "Logon_ExtraValue");
  EXPECT_FALSE(extra.machine);
  EXPECT_EQ(extra.on, (PolicyDatum{.isText = true, .text = "1"}));
}

// The policies write the data OK writes: inverted and grey-capable boxes,
// text flags, spinners with their own range, radio groups' numbers.
TEST(PolicyTemplates, PoliciesWriteWhatTheWindowWrites) {
  const PolicySet set = WindowPolicies();

  const Policy& hidden = Find(set, "Network_Hidden");  // checked shows the server: Hidden = 0
  EXPECT_EQ(hidden.shape, PolicyShape::Box);
  EXPECT_EQ(hidden.on.number, 0u);
  EXPECT_EQ(hidden.off->number, 1u);
  EXPECT_EQ(hidden.key, "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters");
  EXPECT_TRUE(hidden.machine);

  const Policy& beep = Find(set, "Explorer_Beep");
  EXPECT_EQ(beep.shape, PolicyShape::OnOff);
  EXPECT_EQ(beep.on, (PolicyDatum{.isText = true, .text = "Yes"}));
  EXPECT_EQ(beep.off, (PolicyDatum{.isText = true, .text = "No"}));
  EXPECT_FALSE(beep.machine);

  const Policy& hung = Find(set, "Logon_HungAppTimeout");
  EXPECT_EQ(hung.shape, PolicyShape::Number);
  EXPECT_TRUE(hung.asText);
  EXPECT_EQ(hung.min, 1u);
  EXPECT_EQ(hung.max, 32767u);

  const Policy& delay = Find(set, "Explorer_MenuShowDelay");  // the track bar's range, as text
  EXPECT_TRUE(delay.asText);
  EXPECT_LT(delay.min, delay.max);

  const Policy& sfc = Find(set, "Security_SfcDisable");
  ASSERT_EQ(sfc.items.size(), 6u);
  EXPECT_EQ(sfc.items.back().datum.number, static_cast<std::uint32_t>(-99));
  EXPECT_EQ(sfc.supportedOn, "SUPPORTED_Win2000");

  const Policy& size = Find(set, "MemoryManagement_Size");  // two buttons write 3: one item
  ASSERT_EQ(size.items.size(), 3u);
  EXPECT_EQ(size.items[2].datum.number, 3u);

  const Policy& addProtection = Find(set, "Security_AdditionalBaseNamedObjectsProtectionMode");
  EXPECT_EQ(addProtection.shape, PolicyShape::OnOff);
  EXPECT_FALSE(addProtection.off.has_value());  // a cleared box deletes

  EXPECT_TRUE(Find(set, "Security_SFCDllCacheDir").expandable);
}

TEST(PolicyTemplates, OneMachineNt4AndSecretValuesAreLeftOut) {
  const PolicySet set = WindowPolicies();
  std::set<std::string> names;
  for (const Policy& policy : set.policies) names.insert(policy.valueName);
  for (const char* left : {"DefaultPassword", "MTU", "DefaultTTL", "DriverParameter", "PowerdownAfterShutdown",
                           "EnableQuickReboot", "DesktopProcess", "SampleRate", "EnableWheelDetection"}) {
    EXPECT_FALSE(names.contains(left)) << left;
  }
  for (const char* kept : {"DefaultUserName", "AutoLogonCount", "DisableCAD", "EnablePrefetcher", "NoRun",
                           "RegisteredOwner", "ServicePackSourcePath", "Enable"}) {
    EXPECT_TRUE(names.contains(kept)) << kept;
  }
  std::set<std::string> categories;
  for (const Category& category : set.categories) categories.insert(category.name.english);
  EXPECT_EQ(categories, (std::set<std::string>{"Logon", "Memory management", "Network", "Security", "Explorer", "Other",
                                               "System tools"}));
}

// The versions sentence comes from the gates; the preference sentence only
// where the value is outside a Policies key.
TEST(PolicyTemplates, ExplanationsNameTheReleasesAndThePreference) {
  const PolicySet set = WindowPolicies();
  const Policy& prefetch = Find(set, "SystemTools_EnablePrefetcher");
  EXPECT_EQ(prefetch.supportedOn, "SUPPORTED_WinXP_AndLater");
  EXPECT_NE(prefetch.explanation.english.find("Honoured by Windows XP and later."), std::string::npos);
  EXPECT_NE(prefetch.explanation.english.find("preference"), std::string::npos);
  EXPECT_NE(prefetch.explanation.russian.find("предпочтение"), std::string::npos);

  const Policy& quota = Find(set, "Security_SFCQuota");
  EXPECT_NE(quota.explanation.english.find("Honoured by Windows 2000 and Windows XP."), std::string::npos);
  EXPECT_EQ(Find(set, "Other_DriverCachePath").supportedOn, "SUPPORTED_WinXP_Server2003");

  const Policy& noRun = Find(set, "Explorer_NoRun");
  EXPECT_EQ(noRun.explanation.english.find("preference"), std::string::npos);
  EXPECT_EQ(noRun.supportedOn, "SUPPORTED_Win2000_AndLater");
}

TEST(PolicyTemplates, StatesBecomeRegistryEffects) {
  const PolicySet set = WindowPolicies();
  const auto only = [](const Policy& policy, const PolicyState& state) {
    const auto effects = RegistryEffects(policy, state);
    EXPECT_EQ(effects.size(), 1u);
    return effects.front().datum;
  };
  const Policy& hidden = Find(set, "Network_Hidden");
  EXPECT_EQ(only(hidden, {.checked = false})->number, 1u);
  EXPECT_FALSE(only(hidden, {.enabled = false}).has_value());
  const Policy& clear = Find(set, "Logon_ClearPageFileAtShutdown");  // no grey: Disabled clears the box
  EXPECT_EQ(only(clear, {.enabled = false})->number, 0u);
  EXPECT_EQ(only(Find(set, "Logon_HungAppTimeout"), {.number = 4000})->text, "4000");

  const std::vector<PolicyBatch> batches = PolicyBatches(set);
  ASSERT_EQ(batches.size(), 7u);  // minimum, maximum, disabled and the middle four of six SFC choices
  const std::string maximum = Regedit4Text(set, batches[1]);
  EXPECT_TRUE(maximum.starts_with("REGEDIT4\r\n"));
  EXPECT_NE(maximum.find("\"HungAppTimeout\"=\"32767\""), std::string::npos);
  EXPECT_NE(maximum.find("\"RegisteredOwner\"=\"Varnox \\\"policy\\\" C:\\\\Path %SystemRoot%\""), std::string::npos);
  EXPECT_NE(maximum.find("\"SFCDllCacheDir\"=hex(2):56,61"), std::string::npos);
  const std::string disabled = Regedit4Text(set, batches[2]);
  EXPECT_NE(disabled.find("\"DisableCAD\"=-"), std::string::npos);          // grey deletes
  EXPECT_NE(disabled.find("\"DiskSpaceThreshold\"=-"), std::string::npos);  // its button deletes
  EXPECT_NE(disabled.find("\"HungAppTimeout\"=\"1\""), std::string::npos);  // never deleted: stays on
  for (const PolicyBatch& batch : batches) {
    EXPECT_EQ(Regedit4Text(set, batch).find("DefaultPassword"), std::string::npos);
  }
}

}  // namespace
}  // namespace varnox
