// The window for an account without administrative rights: every key under
// HKEY_LOCAL_MACHINE opens for reading only. The sections and their roots
// come from the window's own frame, so a page added later is covered
// without changes here.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixture_window.h"
#include "load_scenario.h"

namespace varnox::test {
namespace {

void DenyLocalMachine(MemoryRegistry& registry) { registry.DenyFullAccess(kHkeyLocalMachine, ""); }

RegistryDump Under(const RegistryDump& dump, const std::string& root) {
  RegistryDump part;
  for (const auto& [id, value] : dump) {
    if (id.rfind(root + "\\", 0) == 0) part[id] = value;
  }
  return part;
}

// The user changes every control of the current user's sections, each in
// its own way, then presses OK.
void ChangeCurrentUserSettings(FixtureWindow& window) {
  for (const LoadSection& section : window.form->Frame().Sections()) {
    if (section.root != kHkeyCurrentUser) continue;
    for (Control* control : section.controls) fuzz::ActAsUser(*control, 1);
  }
  window.PressOk();
}

class NoRights : public ::testing::TestWithParam<VersionFixture> {};

TEST_P(NoRights, LocalMachineControlsLoadDisabledAndCurrentUserSettingsLoadAndSaveAsWithRights) {
  FixtureWindow admin(GetParam());
  FixtureWindow user(GetParam(), DenyLocalMachine);
  ASSERT_TRUE(admin.services.errors.empty()) << admin.services.errors.front();
  EXPECT_TRUE(user.services.errors.empty()) << user.services.errors.front();
  EXPECT_TRUE(user.form->Find<Control>("PageControl").Enabled());
  EXPECT_FALSE(user.form->Find<Control>("ApplyBtn").Enabled());

  const std::vector<LoadSection>& adminSections = admin.form->Frame().Sections();
  const std::vector<LoadSection>& userSections = user.form->Frame().Sections();
  ASSERT_EQ(userSections.size(), adminSections.size());
  for (std::size_t s = 0; s < userSections.size(); ++s) {
    const LoadSection& section = userSections[s];
    for (std::size_t c = 0; c < section.controls.size(); ++c) {
      const Control& control = *section.controls[c];
      const Control& asAdmin = *adminSections[s].controls[c];
      SCOPED_TRACE(section.name + ": " + control.Name());
      if (section.root == kHkeyLocalMachine) {
        EXPECT_FALSE(control.Enabled());
      } else {
        EXPECT_EQ(control.Enabled(), asAdmin.Enabled());
        EXPECT_EQ(control.Caption(), asAdmin.Caption());
        if (const auto* box = dynamic_cast<const TCheckBox*>(&control)) {
          EXPECT_EQ(box->State(), dynamic_cast<const TCheckBox&>(asAdmin).State());
        }
        if (const auto* upDown = dynamic_cast<const TUpDown*>(&control)) {
          EXPECT_EQ(upDown->Position(), dynamic_cast<const TUpDown&>(asAdmin).Position());
        }
      }
    }
  }

  ChangeCurrentUserSettings(admin);
  ChangeCurrentUserSettings(user);
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
