// The window for an account without administrative rights: every key under
// HKEY_LOCAL_MACHINE opens for reading only, and so counts as missing for
// the settings, which open their keys with full access. The sections and
// their roots come from the window's own frame, and the keys from the load
// fuzzer's first pass, so a page added later is covered without changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fixture_window.h"
#include "load_scenario.h"

namespace varnox::test {
namespace {

void DenyLocalMachine(MemoryRegistry& registry) { registry.DenyFullAccess(kHkeyLocalMachine, ""); }

bool Below(const std::string& path, const std::string& key) {
  std::string a = path + "\\", b = key + "\\";
  for (std::string* text : {&a, &b}) {
    for (char& c : *text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return a.rfind(b, 0) == 0;
}

// Every key the settings open with full access is gone. A key that is also
// read with read access (device or adapter lists), or holds one, stays, but
// refuses full access: removing it would take those lists away as well.
void RemoveLocalMachineKeys(MemoryRegistry& registry) {
  const std::vector<fuzz::ReadKey>& keys = fuzz::ReadKeys();
  for (const fuzz::ReadKey& key : keys) {
    if (key.root != kHkeyLocalMachine || !key.fullAccess) continue;
    const bool holdsReadOnly = std::any_of(keys.begin(), keys.end(), [&](const fuzz::ReadKey& other) {
      return other.root == kHkeyLocalMachine && other.readAccess && Below(other.path, key.path);
    });
    if (holdsReadOnly) {
      if (registry.KeyExists(key.root, key.path)) registry.DenyFullAccess(key.root, key.path);
    } else {
      registry.RemoveKey(key.root, key.path);
    }
  }
}

RegistryDump Under(const RegistryDump& dump, const std::string& root) {
  RegistryDump part;
  for (const auto& [id, value] : dump) {
    if (id.rfind(root + "\\", 0) == 0) part[id] = value;
  }
  return part;
}

// What a section's control shows: enabled or not, text, box state, position.
std::string Shown(const Control& control) {
  std::string shown = control.Name() + (control.Enabled() ? " on " : " off ") + control.Caption();
  if (const auto* box = dynamic_cast<const TCheckBox*>(&control)) shown += " state " + std::to_string(box->State());
  if (const auto* upDown = dynamic_cast<const TUpDown*>(&control)) shown += " at " + std::to_string(upDown->Position());
  if (const auto* radio = dynamic_cast<const TRadioButton*>(&control)) shown += radio->Checked() ? " selected" : "";
  return shown;
}

std::vector<std::string> ShownBySections(const FixtureWindow& window, RegKey root) {
  std::vector<std::string> shown;
  for (const LoadSection& section : window.form->Frame().Sections()) {
    if (section.root != root) continue;
    for (const Control* control : section.controls) shown.push_back(section.name + ": " + Shown(*control));
  }
  return shown;
}

// The user acts once on every control of the sections of `root` (or of all
// of them), then presses OK.
void ActOnEverythingAndPressOk(FixtureWindow& window, std::optional<RegKey> root = std::nullopt) {
  for (const LoadSection& section : window.form->Frame().Sections()) {
    if (root && section.root != *root) continue;
    for (Control* control : section.controls) fuzz::ActAsUser(*control, 1);
  }
  window.PressOk();
}

class NoRights : public ::testing::TestWithParam<VersionFixture> {};

TEST_P(NoRights, OpensAsWhenTheLocalMachineKeysAreMissingAndTheCurrentUserSettingsAsWithRights) {
  FixtureWindow admin(GetParam());
  FixtureWindow user(GetParam(), DenyLocalMachine);
  FixtureWindow missing(GetParam(), RemoveLocalMachineKeys);
  ASSERT_TRUE(admin.services.errors.empty()) << admin.services.errors.front();
  EXPECT_TRUE(user.services.errors.empty()) << user.services.errors.front();
  EXPECT_TRUE(user.form->Find<Control>("PageControl").Enabled());
  EXPECT_FALSE(user.form->Find<Control>("ApplyBtn").Enabled());

  EXPECT_EQ(ShownBySections(user, kHkeyLocalMachine), ShownBySections(missing, kHkeyLocalMachine));
  EXPECT_NE(ShownBySections(user, kHkeyLocalMachine), ShownBySections(admin, kHkeyLocalMachine));
  EXPECT_EQ(ShownBySections(user, kHkeyCurrentUser), ShownBySections(admin, kHkeyCurrentUser));
}

TEST_P(NoRights, WhateverTheUserDoesOnlyTheCurrentUserSettingsChangeAndNothingIsReported) {
  FixtureWindow admin(GetParam());
  FixtureWindow user(GetParam(), DenyLocalMachine);
  ActOnEverythingAndPressOk(admin, kHkeyCurrentUser);
  ActOnEverythingAndPressOk(user);

  EXPECT_TRUE(user.services.errors.empty()) << user.services.errors.front();
  const RegistryDump adminResult = admin.registry.Dump();
  const RegistryDump userResult = user.registry.Dump();
  EXPECT_NE(Under(adminResult, "HKCU"), Under(admin.original, "HKCU")) << "the current user's settings were not saved";
  EXPECT_EQ(Under(userResult, "HKCU"), Under(adminResult, "HKCU"));
  EXPECT_EQ(Under(userResult, "HKLM"), Under(user.original, "HKLM"));
  EXPECT_EQ(user.registry.OpenHandleCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryVersion, NoRights, ::testing::ValuesIn(VersionFixtures()),
                         [](const auto& info) { return FixtureName(info.param); });

}  // namespace
}  // namespace varnox::test
