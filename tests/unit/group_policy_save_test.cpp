// "Save for Group Policy..." on every version's fixture: the two policy
// files, applied to a fresh copy of the fixture as Group Policy applies them,
// leave it as OK leaves it, but for the values the message names as left
// out; the auto-logon password is never in a file; a file already in the
// folder keeps its other records, and one that is no policy file is left.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "fixture_window.h"
#include "load_scenario.h"
#include "policy_apply.h"
#include "settings/policy_file.h"

namespace varnox::test {
namespace {

constexpr char kMachineFile[] = "C:\\GPO\\Machine\\Registry.pol";
constexpr char kUserFile[] = "C:\\GPO\\User\\Registry.pol";

const AnsiCodec kSame{[](const std::string& s) { return s; }, [](const std::string& s) { return s; }};

void SaveForGroupPolicy(FixtureWindow& window) {
  window.services.folder = "C:\\GPO";
  window.form->Find<TButton>("btnSaveGroupPolicy").UserClick();
}

// The values the message names as left out, as the dump names them.
std::vector<std::string> NamedLeftOut(const std::string& message) {
  std::vector<std::string> names;
  for (const auto& [root, shortRoot] :
       {std::pair{"HKEY_LOCAL_MACHINE\\", "HKLM\\"}, {"HKEY_CURRENT_USER\\", "HKCU\\"}}) {
    for (std::size_t at = message.find(root); at != std::string::npos; at = message.find(root, at + 1)) {
      const std::size_t start = at + std::string(root).size();
      names.push_back(AsciiLowerCase(shortRoot + message.substr(start, message.find(": ", start) - start)));
    }
  }
  return names;
}

std::vector<std::string> Differences(const RegistryDump& a, const RegistryDump& b) {
  std::vector<std::string> names;
  for (const auto& [name, value] : a) {
    if (!b.count(name) || !(b.at(name) == value)) names.push_back(AsciiLowerCase(name));
  }
  for (const auto& [name, value] : b) {
    if (!a.count(name)) names.push_back(AsciiLowerCase(name));
  }
  return names;
}

class GroupPolicySave : public ::testing::TestWithParam<VersionFixture> {};

TEST_P(GroupPolicySave, TheFilesAppliedLeaveTheRegistryAsOkDoesButForWhatTheMessageNames) {
  FixtureWindow pressed(GetParam());
  ActOnEveryPage(pressed);
  pressed.PressOk();
  ASSERT_TRUE(pressed.services.errors.empty());

  FixtureWindow saved(GetParam());
  ActOnEveryPage(saved);
  const RegistryDump before = saved.registry.Dump();
  SaveForGroupPolicy(saved);
  ASSERT_TRUE(saved.services.errors.empty()) << saved.services.errors[0];
  EXPECT_EQ(saved.registry.Dump(), before) << "saving writes nothing to the registry";
  EXPECT_TRUE(saved.form->Find<TButton>("ApplyBtn").Enabled()) << "the window stays as it was";
  ASSERT_EQ(saved.services.messages.size(), 1u);
  const std::string& message = saved.services.messages[0];

  const auto& files = saved.system.writtenFiles;
  ASSERT_TRUE(files.count(kMachineFile) && files.count(kUserFile));
  ApplyPolicyFile(saved.registry, kHkeyLocalMachine, files.at(kMachineFile), kSame);
  ApplyPolicyFile(saved.registry, kHkeyCurrentUser, files.at(kUserFile), kSame);
  std::vector<std::string> unexplained = Differences(saved.registry.Dump(), pressed.registry.Dump());
  const std::vector<std::string> leftOut = NamedLeftOut(message);
  std::erase_if(unexplained, [&](const std::string& name) {
    return std::find(leftOut.begin(), leftOut.end(), name) != leftOut.end();
  });
  EXPECT_EQ(unexplained, std::vector<std::string>{}) << message;
  // Only the password and the values of one machine are left out.
  for (const std::string& name : leftOut) {
    const bool expected = name.ends_with("\\defaultpassword") ||
                          name.find("\\parameters\\tcpip\\") != std::string::npos ||
                          name.find("\\atapi\\parameters\\device") != std::string::npos;
    EXPECT_TRUE(expected) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryVersion, GroupPolicySave, ::testing::ValuesIn(VersionFixtures()),
                         [](const auto& info) { return FixtureName(info.param); });

bool Holds(const std::vector<std::uint8_t>& bytes, const std::string& text) {
  std::vector<std::uint8_t> wide;
  AppendUtf16(wide, AsciiLowerCase(text));
  std::vector<std::uint8_t> lower = bytes;
  for (auto& b : lower) b = static_cast<std::uint8_t>(AsciiLower(static_cast<char>(b)));
  return std::search(lower.begin(), lower.end(), wide.begin(), wide.end()) != lower.end() ||
         std::search(lower.begin(), lower.end(), text.begin(), text.end()) != lower.end();
}

TEST(GroupPolicySaveButton, TheAutoLogonPasswordIsInNoFileAndTheMessageSaysSo) {
  FixtureWindow window(Fixture("winxp.reg"));
  auto& autoLogon = window.form->Find<TCheckBox>("cbEnableAutoLogon");
  if (!autoLogon.Checked()) autoLogon.UserClick();
  ASSERT_TRUE(autoLogon.Checked());
  window.form->Find<TEdit>("PasswordEdit").UserType("Secret-Pa55");
  SaveForGroupPolicy(window);
  ASSERT_EQ(window.system.writtenFiles.size(), 2u);
  for (const auto& [path, bytes] : window.system.writtenFiles) {
    EXPECT_FALSE(Holds(bytes, "DefaultPassword")) << path;
    EXPECT_FALSE(Holds(bytes, "Secret-Pa55")) << path;
  }
  ASSERT_EQ(window.services.messages.size(), 1u);
  EXPECT_NE(window.services.messages[0].find("\\DefaultPassword: the auto-logon password"), std::string::npos)
      << window.services.messages[0];
  EXPECT_EQ(window.services.messages[0].find("Secret-Pa55"), std::string::npos);
}

TEST(GroupPolicySaveButton, RecordsAlreadyThereStayAndAForeignFileIsLeftAloneAndNamed) {
  FixtureWindow window(Fixture("win7.reg"));
  window.form->Find<TCheckBox>("cbAutoEndTask").UserClick();
  std::vector<std::uint8_t> other = {'P', 'R', 'e', 'g', 1, 0, 0, 0};
  const std::vector<std::uint8_t> record = PolicyRecordBytes(
      {RegistryEdit::Kind::SetValue, kHkeyLocalMachine, "Software\\Policies\\Other", "Kept", kRegDword, {9, 0, 0, 0}},
      kSame);
  other.insert(other.end(), record.begin(), record.end());
  const std::vector<std::uint8_t> notPolicy = {'R', 'E', 'G', 'E', 'D', 'I', 'T', '4'};
  window.system.writtenFiles[kUserFile] = other;
  window.system.writtenFiles[kMachineFile] = notPolicy;
  SaveForGroupPolicy(window);

  EXPECT_EQ(window.system.writtenFiles[kMachineFile], notPolicy);
  const auto& user = window.system.writtenFiles[kUserFile];  // where the change goes
  ASSERT_GT(user.size(), other.size());
  EXPECT_TRUE(std::equal(other.begin(), other.end(), user.begin())) << "the old records come first, unchanged";
  EXPECT_EQ(window.system.createdFolders, (std::vector<std::string>{"C:\\GPO\\Machine", "C:\\GPO\\User"}));
  ASSERT_EQ(window.services.messages.size(), 1u);
  EXPECT_NE(window.services.messages[0].find(std::string(kMachineFile) + ": not a registry policy file"),
            std::string::npos)
      << window.services.messages[0];
}

TEST(GroupPolicySaveButton, EnabledWhileOkIsAndCancelOrAFailureWritesNothing) {
  FixtureWindow window(Fixture("win10.reg"));
  auto& button = window.form->Find<TButton>("btnSaveGroupPolicy");
  EXPECT_FALSE(button.Enabled());
  window.form->Find<TCheckBox>("cbAutoEndTask").UserClick();
  EXPECT_TRUE(button.Enabled());

  button.UserClick();  // the folder dialog cancelled
  EXPECT_TRUE(window.system.writtenFiles.empty());
  EXPECT_TRUE(window.services.messages.empty());

  window.services.folder = "A:\\";
  window.system.folderError = "The device is not ready.";
  button.UserClick();
  EXPECT_TRUE(window.system.writtenFiles.empty());
  ASSERT_EQ(window.services.errors.size(), 1u);
  EXPECT_NE(window.services.errors[0].find("Cannot create A:\\Machine: The device is not ready."), std::string::npos)
      << window.services.errors[0];
}

}  // namespace
}  // namespace varnox::test
