// Reopening the window with an administrator's rights: what is started,
// when the user is asked first, what a declined or failed start leaves, and
// the start parameter that carries the clicking user's identity across.

#include "window/elevation/run_as_administrator.h"
#include "window/elevation/user_start_parameter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fixture_window.h"

namespace varnox::test {
namespace {

constexpr char kSid[] = "S-1-5-21-1004336348-1177238915-682003330-1001";

void DenyLocalMachine(MemoryRegistry& registry) { registry.DenyFullAccess(kHkeyLocalMachine, ""); }

void ClickRunAsAdministrator(FixtureWindow& window) {
  auto& button = window.form->Find<TButton>("btnRunAsAdmin");
  ASSERT_TRUE(button.Visible());
  button.UserClick();
}

class RunAsAdministrator : public ::testing::TestWithParam<VersionFixture> {};

TEST_P(RunAsAdministrator, StartsTheSameAppletElevatedForTheClickingUserOrExplainsWhyItCannot) {
  FixtureWindow window(GetParam(), DenyLocalMachine);
  window.system.userSid = kSid;
  const std::uint32_t major = window.system.Version().major;
  EXPECT_EQ(window.form->Find<TButton>("btnRunAsAdmin").ElevationShield(), major >= 6);
  ClickRunAsAdministrator(window);

  if (major < 5) {
    EXPECT_EQ(window.services.messages, std::vector<std::string>{kLogOnAsAdministratorText});
    EXPECT_TRUE(window.system.startedAsAdministrator.empty());
    EXPECT_EQ(window.form->ModalResult(), mrNone);
    return;
  }
  const std::pair<std::string, std::string> expected{
      window.system.systemDirectory + "\\rundll32.exe",
      "shell32.dll,Control_RunDLL \"" + window.system.libraryPath + "\",Varnox,/user:" + kSid};
  EXPECT_EQ(window.system.startedAsAdministrator, (std::vector{expected}));
  EXPECT_TRUE(window.services.questions.empty()) << "nothing pending, nothing to ask";
  EXPECT_EQ(window.form->ModalResult(), mrCancel) << "this window gives way to the new one";
}

INSTANTIATE_TEST_SUITE_P(EveryVersion, RunAsAdministrator, ::testing::ValuesIn(VersionFixtures()),
                         [](const auto& info) { return FixtureName(info.param); });

// Windows XP, with the per-user end-task box changed so that OK is enabled.
struct PendingChangesWindow : FixtureWindow {
  PendingChangesWindow() : FixtureWindow(VersionFixtures()[2], DenyLocalMachine) {
    form->Find<TCheckBox>("cbAutoEndTask").UserClick();
  }
};

TEST(RunAsAdministratorWithChanges, AsksFirstAndDiscardsThemOnlyOnYes) {
  PendingChangesWindow declined;
  ASSERT_TRUE(declined.form->Find<Control>("ApplyBtn").Enabled());
  declined.services.confirms = false;
  ClickRunAsAdministrator(declined);
  EXPECT_EQ(declined.services.questions, std::vector<std::string>{kDiscardChangesQuestion});
  EXPECT_TRUE(declined.system.startedAsAdministrator.empty());
  EXPECT_EQ(declined.form->ModalResult(), mrNone);

  PendingChangesWindow accepted;
  ClickRunAsAdministrator(accepted);
  EXPECT_EQ(accepted.system.startedAsAdministrator.size(), 1u);
  EXPECT_EQ(accepted.form->ModalResult(), mrCancel);
  EXPECT_EQ(accepted.registry.Dump(), accepted.original) << "the changes are discarded, not saved";
}

TEST(RunAsAdministratorStart, ADeclinedPromptChangesNothingAndAFailureIsReported) {
  FixtureWindow declined(VersionFixtures()[2], DenyLocalMachine);
  declined.system.startAsAdministratorResult = kErrorCancelled;
  ClickRunAsAdministrator(declined);
  EXPECT_TRUE(declined.services.errors.empty());
  EXPECT_EQ(declined.form->ModalResult(), mrNone);

  FixtureWindow failed(VersionFixtures()[2], DenyLocalMachine);
  failed.system.startAsAdministratorResult = kErrorFileNotFound;
  ClickRunAsAdministrator(failed);
  EXPECT_EQ(failed.services.errors, std::vector<std::string>{"System error 2"});
  EXPECT_EQ(failed.form->ModalResult(), mrNone);

  FixtureWindow anonymous(VersionFixtures()[2], DenyLocalMachine);
  ClickRunAsAdministrator(anonymous);
  ASSERT_EQ(anonymous.system.startedAsAdministrator.size(), 1u);
  EXPECT_EQ(anonymous.system.startedAsAdministrator[0].second.find("/user:"), std::string::npos)
      << "without a known identity the new window keeps its own";
}

TEST(UserStartParameter, OnlyAWellFormedSidIsTaken) {
  EXPECT_EQ(UserOfStartParameter(UserStartParameter(kSid)), kSid);
  EXPECT_EQ(UserOfStartParameter("/user:S-1-5-18"), "S-1-5-18");
  for (const char* other : {"", "/user:", "/user:S-1-", "/user:S-1-5-", "/user:S-1--5", "/user:S-1-5x", "user:S-1-5",
                            "/USER:S-1-5", "/user:S-1-5\\..\\x", "/user:S-2-5", "@0", "/user:S-1-5 -18"}) {
    EXPECT_FALSE(UserOfStartParameter(other).has_value()) << other;
  }
  EXPECT_FALSE(UserOfStartParameter("/user:S-1-" + std::string(200, '1')).has_value()) << "longer than any SID";
}

}  // namespace
}  // namespace varnox::test
