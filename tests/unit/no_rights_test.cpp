// The window for an account without administrative rights: every key under
// HKEY_LOCAL_MACHINE opens for reading only. The window shows what is stored
// there, takes no input for it, says why, and offers to reopen with an
// administrator's rights. The sections and their roots come from the
// window's own frame, and the keys from the load fuzzer's first pass, so a
// page added later is covered without changes.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fixture_window.h"
#include "load_scenario.h"
#include "window/form/create_delete_value.h"

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
// refuses full access: removing it would take those lists away as well. The
// version key is read read-only too, but for the Information page's texts
// alone, which lose no setting when it is gone.
bool OnlyTextsReadOnly(const std::string& path) {
  const std::string versionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  return Below(path, versionKey) && Below(versionKey, path);
}

void RemoveLocalMachineKeys(MemoryRegistry& registry) {
  const std::vector<fuzz::ReadKey>& keys = fuzz::ReadKeys();
  for (const fuzz::ReadKey& key : keys) {
    if (key.root != kHkeyLocalMachine || !key.fullAccess) continue;
    const bool holdsReadOnly = std::any_of(keys.begin(), keys.end(), [&](const fuzz::ReadKey& other) {
      return other.root == kHkeyLocalMachine && other.readAccess && !OnlyTextsReadOnly(other.path) &&
             Below(other.path, key.path);
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

// What a section's control shows: text, box state, position, and whether it
// takes input unless `withEnabled` is false.
std::string Shown(const Control& control, bool withEnabled = true) {
  std::string shown = control.Name() + (!withEnabled ? " " : control.Enabled() ? " on " : " off ") + control.Caption();
  if (const auto* box = dynamic_cast<const TCheckBox*>(&control)) shown += " state " + std::to_string(box->State());
  if (const auto* upDown = dynamic_cast<const TUpDown*>(&control)) shown += " at " + std::to_string(upDown->Position());
  if (const auto* radio = dynamic_cast<const TRadioButton*>(&control)) shown += radio->Checked() ? " selected" : "";
  return shown;
}

std::vector<std::string> ShownBySections(const FixtureWindow& window, RegKey root, bool withEnabled = true) {
  std::vector<std::string> shown;
  for (const LoadSection& section : window.form->Frame().Sections()) {
    if (section.root != root) continue;
    for (const Control* control : section.controls) {
      shown.push_back(section.name + ": " + Shown(*control, withEnabled));
    }
  }
  return shown;
}

// False for a control on a page that this version hides.
bool OnShownPage(const Component& control) {
  for (const Component* at = &control; at != nullptr; at = at->Parent()) {
    if (const auto* sheet = dynamic_cast<const TTabSheet*>(at)) return sheet->TabVisible();
  }
  return true;
}

std::vector<const Control*> ControlsOfSections(const FixtureWindow& window, RegKey root) {
  std::vector<const Control*> controls;
  for (const LoadSection& section : window.form->Frame().Sections()) {
    if (section.root != root) continue;
    for (const Control* control : section.controls) {
      if (OnShownPage(*control)) controls.push_back(control);
    }
  }
  return controls;
}

// The status labels of the create/delete-value buttons on the pages this
// version shows, once the load has said something in them.
std::vector<std::string> StatusLabels(const FixtureWindow& window) {
  std::vector<std::string> captions;
  for (const char* name : {"lblDiskAlert", "lblCacheFileTimeOut", "lblMTU", "lblTTL"}) {
    const auto* label = dynamic_cast<const TLabel*>(window.form->FindComponent(name));
    if (label == nullptr || !OnShownPage(*label) || label->Caption() == kRegistryStatusPending) continue;
    captions.push_back(label->Caption());
  }
  return captions;
}

bool RunAsAdministratorOffered(const FixtureWindow& window) {
  return window.form->Find<TButton>("btnRunAsAdmin").Visible();
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

TEST_P(NoRights, ShowsTheStoredValuesWithTheLocalMachineControlsOffAndSaysWhy) {
  FixtureWindow admin(GetParam());
  FixtureWindow user(GetParam(), DenyLocalMachine);
  ASSERT_TRUE(admin.services.errors.empty()) << admin.services.errors.front();
  EXPECT_TRUE(user.services.errors.empty()) << user.services.errors.front();
  EXPECT_TRUE(user.form->Find<Control>("PageControl").Enabled());
  EXPECT_FALSE(user.form->Find<Control>("ApplyBtn").Enabled());

  EXPECT_EQ(ShownBySections(user, kHkeyLocalMachine, false), ShownBySections(admin, kHkeyLocalMachine, false));
  for (const Control* control : ControlsOfSections(user, kHkeyLocalMachine)) {
    EXPECT_FALSE(control->Enabled()) << control->Name();
  }
  EXPECT_EQ(ShownBySections(user, kHkeyCurrentUser), ShownBySections(admin, kHkeyCurrentUser));

  for (const std::string& caption : StatusLabels(admin)) EXPECT_NE(caption, kAdministratorOnlyText);
  const std::vector<std::string> labels = StatusLabels(user);
  EXPECT_EQ(labels.size(), StatusLabels(admin).size());
  for (const std::string& caption : labels) EXPECT_EQ(caption, kAdministratorOnlyText);

  EXPECT_TRUE(RunAsAdministratorOffered(user));
  EXPECT_FALSE(RunAsAdministratorOffered(admin));
}

TEST_P(NoRights, KeysThatAreReallyMissingStillSaySoAndOfferNoRights) {
  FixtureWindow missing(GetParam(), RemoveLocalMachineKeys);
  EXPECT_TRUE(missing.services.errors.empty()) << missing.services.errors.front();
  for (const std::string& caption : StatusLabels(missing)) EXPECT_EQ(caption, kKeyMissingText);
  EXPECT_FALSE(RunAsAdministratorOffered(missing));
}

TEST_P(NoRights, BadDataIsReportedAsWithRights) {
  constexpr char kLogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
  const auto damage = [&](MemoryRegistry& registry) {
    registry.SetString(kHkeyLocalMachine, kLogon, "DisableCAD", "x");
  };
  FixtureWindow admin(GetParam(), damage);
  FixtureWindow user(GetParam(), [&](MemoryRegistry& registry) {
    damage(registry);
    DenyLocalMachine(registry);
  });
  ASSERT_FALSE(admin.services.errors.empty());
  EXPECT_EQ(user.services.errors, admin.services.errors);
  EXPECT_EQ(user.form->Frame().LoadedSections(), admin.form->Frame().LoadedSections());
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
