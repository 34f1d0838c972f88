// OK and values another program changed while the window was open: the
// per-value decision over the load's read log and two dry runs, then the
// whole window on a fixture.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fixture_window.h"
#include "memory_registry.h"
#include "settings/read_log_registry.h"
#include "window/frame/external_changes.h"

namespace varnox::test {
namespace {

constexpr RegKey HKCU = kHkeyCurrentUser;
constexpr char kKey[] = "Software\\Test";
constexpr char kMissingKey[] = "Software\\Missing";

RegistryEdit Set(const char* key, const char* name, const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return {RegistryEdit::Kind::SetValue, HKCU, key, name, kRegSz, data};
}
RegistryEdit Delete(const char* key, const char* name) {
  return {RegistryEdit::Kind::DeleteValue, HKCU, key, name, kRegNone, {}};
}

// A load that read "Same", "Changed", "Deleted", "Absent" (missing) and
// "Sized" (its size only) of one key, and looked for a key it did not find.
class ExternalChangeDecision : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Same", "Changed", "Deleted", "Sized"}) registry.SetString(HKCU, kKey, name, "1");
    log.SetRecording(true);
    RegKey key = 0;
    ASSERT_EQ(log.OpenKey(HKCU, kKey, kKeyRead, &key), kErrorSuccess);
    for (const char* name : {"Same", "Changed", "Deleted", "Absent"}) {
      std::uint32_t type = 0;
      std::uint32_t size = 0;
      log.QueryValue(key, name, &type, nullptr, &size);
      std::vector<std::uint8_t> data(size);
      if (size != 0) log.QueryValue(key, name, &type, data.data(), &size);
    }
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    log.QueryValue(key, "Sized", &type, nullptr, &size);
    log.CloseKey(key);
    RegKey missing = 0;
    EXPECT_EQ(log.OpenKey(HKCU, kMissingKey, kKeyRead, &missing), kErrorFileNotFound);
    log.SetRecording(false);
  }

  std::vector<std::string> Spared(const std::vector<RegistryEdit>& writes, const std::vector<RegistryEdit>& asLoaded,
                                  const ValueList& users = {}) {
    const ExternalChanges changes = FindExternalChanges(writes, asLoaded, users, log, registry);
    EXPECT_EQ(changes.names.size(), changes.spared.Items().size());
    std::vector<std::string> names;
    for (const RegistryValueRef& value : changes.spared) names.push_back(value.valueName);
    return names;
  }

  MemoryRegistry registry;
  ReadLogRegistry log{registry};
};

TEST_F(ExternalChangeDecision, UntouchedValuesChangedCreatedOrDeletedSinceTheLoadAreSparedAndOnlyThose) {
  registry.SetString(HKCU, kKey, "Changed", "2");
  registry.RemoveValue(HKCU, kKey, "Deleted");
  registry.SetString(HKCU, kKey, "Absent", "3");
  registry.SetString(HKCU, kMissingKey, "New", "4");
  const std::vector<RegistryEdit> writes = {Set(kKey, "Same", "1"),       Set(kKey, "Changed", "1"),
                                            Set(kKey, "Deleted", "1"),    Delete(kKey, "Absent"),
                                            Set(kMissingKey, "New", "0"), Set(kKey, "Unread", "1")};
  EXPECT_EQ(Spared(writes, writes), (std::vector<std::string>{"Changed", "Deleted", "Absent", "New"}))
      << "a value the load never read is written as the groups say";

  const ExternalChanges changes = FindExternalChanges(writes, writes, {}, log, registry);
  EXPECT_EQ(changes.names.front(), "HKEY_CURRENT_USER\\Software\\Test\\Changed");
}

TEST_F(ExternalChangeDecision, TheUsersChangeWinsWhateverIsStoredNow) {
  registry.SetString(HKCU, kKey, "Changed", "2");
  registry.RemoveValue(HKCU, kKey, "Deleted");
  const std::vector<RegistryEdit> asLoaded = {Set(kKey, "Changed", "1"), Set(kKey, "Deleted", "1")};
  // The user's own value differs from the replay; a value the replay does
  // not write at all (its group was not ready) is the user's too.
  EXPECT_TRUE(Spared({Set(kKey, "Changed", "5"), Set(kKey, "Deleted", "1")}, {Set(kKey, "Changed", "1")}).empty());
  // An opened file's value counts as the user's.
  ValueList users;
  users.Add({HKCU, "SOFTWARE\\TEST", "changed"});
  EXPECT_EQ(Spared(asLoaded, asLoaded, users), std::vector<std::string>{"Deleted"});
  // Of several writes of one value the last decides.
  EXPECT_TRUE(Spared({Set(kKey, "Changed", "1"), Set(kKey, "Changed", "7")},
                     {Set(kKey, "Changed", "1"), Set(kKey, "Changed", "1")})
                  .empty());
}

TEST_F(ExternalChangeDecision, AWriteThatLeavesTheStoredStateAsItIsNeedsNoSparing) {
  registry.SetString(HKCU, kKey, "Changed", "2");
  registry.RemoveValue(HKCU, kKey, "Deleted");
  const std::vector<RegistryEdit> writes = {Set(kKey, "Changed", "2"), Delete(kKey, "Deleted")};
  EXPECT_TRUE(Spared(writes, writes).empty());
}

TEST_F(ExternalChangeDecision, ASizeOnlyReadComparesTypeAndSize) {
  const std::vector<RegistryEdit> writes = {Set(kKey, "Sized", "1")};
  registry.SetString(HKCU, kKey, "Sized", "2");
  EXPECT_TRUE(Spared(writes, writes).empty()) << "same type and size: taken as unchanged";
  registry.SetString(HKCU, kKey, "Sized", "22");
  EXPECT_EQ(Spared(writes, writes), std::vector<std::string>{"Sized"});
  registry.SetDword(HKCU, kKey, "Sized", 0);
  EXPECT_EQ(Spared(writes, writes), std::vector<std::string>{"Sized"});
}

constexpr char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";
constexpr char kSound[] = "Control Panel\\Sound";
constexpr char kDesktop[] = "Control Panel\\Desktop";

// Whether a file holds `text` in UTF-16, as .reg files of Windows 2000 and
// later and policy files carry it.
bool HoldsUtf16(const std::vector<std::uint8_t>& bytes, const std::string& text) {
  std::vector<std::uint8_t> wide;
  for (const char c : text) wide.insert(wide.end(), {static_cast<std::uint8_t>(c), 0});
  return std::search(bytes.begin(), bytes.end(), wide.begin(), wide.end()) != bytes.end();
}

// Another program changes, creates and deletes values of the Explorer group
// while the window is open; the user changes another control of the group.
TEST(ExternalChangesWindow, OkWritesTheUsersValueAndKeepsWhatAnotherProgramChanged) {
  FixtureWindow window(VersionFixtures()[2]);  // Windows XP
  window.registry.SetString(HKCU, kMetrics, "MinAnimate", "0");
  window.registry.SetDword(HKCU, kDesktop, "SmoothScroll", 1);
  ASSERT_TRUE(window.registry.RemoveValue(HKCU, kDesktop, "PaintDesktopVersion"));
  window.form->Find<TCheckBox>("cbBeepOnError").UserClick();
  window.PressOk();

  EXPECT_EQ(window.registry.String(HKCU, kSound, "Beep"), "No");
  EXPECT_EQ(window.registry.String(HKCU, kMetrics, "MinAnimate"), "0");
  EXPECT_EQ(window.registry.Dword(HKCU, kDesktop, "SmoothScroll"), 1u);
  EXPECT_FALSE(window.registry.Value(HKCU, kDesktop, "PaintDesktopVersion"));
  ASSERT_EQ(window.services.messages.size(), 1u);
  const std::string& message = window.services.messages.front();
  EXPECT_EQ(message.rfind("Changed by another program after this window opened, kept as it is now:", 0), 0u);
  for (const char* name : {"\\WindowMetrics\\MinAnimate", "\\Desktop\\SmoothScroll", "\\PaintDesktopVersion"}) {
    EXPECT_NE(message.find(name), std::string::npos) << name;
  }
  EXPECT_TRUE(window.services.errors.empty());
}

TEST(ExternalChangesWindow, TheUserChangingTheVeryValueWinsWithoutAMessageAndTheControlsStayAsTheUserLeftThem) {
  FixtureWindow window(VersionFixtures()[2]);
  window.registry.SetString(HKCU, kMetrics, "MinAnimate", "5");
  auto& minAnimate = window.form->Find<TCheckBox>("cbMinAnimate");
  minAnimate.UserClick();
  const bool checked = minAnimate.Checked();
  EXPECT_FALSE(window.form->ChangedElsewhere().names.size());
  EXPECT_EQ(minAnimate.Checked(), checked) << "the comparison puts the controls back";
  EXPECT_TRUE(window.form->Find<TButton>("ApplyBtn").Enabled());
  window.PressOk();
  EXPECT_EQ(window.registry.String(HKCU, kMetrics, "MinAnimate"), checked ? "1" : "0");
  EXPECT_TRUE(window.services.messages.empty());
}

TEST(ExternalChangesWindow, SaveChangesAsLeavesOutWhatOkWouldKeep) {
  FixtureWindow window(VersionFixtures()[2]);
  window.registry.SetString(HKCU, kMetrics, "MinAnimate", "0");
  window.form->Find<TCheckBox>("cbBeepOnError").UserClick();
  window.services.saveAs = "changes.reg";
  window.form->Find<TButton>("btnSaveChanges").UserClick();
  ASSERT_EQ(window.system.writtenFiles.count("changes.reg"), 1u);
  const std::vector<std::uint8_t>& bytes = window.system.writtenFiles["changes.reg"];
  const auto holds = [&bytes](const std::string& text) { return HoldsUtf16(bytes, text); };  // as XP writes it
  EXPECT_TRUE(holds("\"Beep\"=\"No\""));
  EXPECT_FALSE(holds("MinAnimate"));
}

TEST(ExternalChangesWindow, SaveForGroupPolicyLeavesOutWhatOkWouldKeep) {
  FixtureWindow window(VersionFixtures()[2]);
  window.registry.SetString(HKCU, kMetrics, "MinAnimate", "0");
  window.form->Find<TCheckBox>("cbBeepOnError").UserClick();
  window.services.folder = "C:\\GPO";
  window.form->Find<TButton>("btnSaveGroupPolicy").UserClick();
  ASSERT_EQ(window.system.writtenFiles.count("C:\\GPO\\User\\Registry.pol"), 1u);
  const std::vector<std::uint8_t>& bytes = window.system.writtenFiles["C:\\GPO\\User\\Registry.pol"];
  const auto holds = [&bytes](const std::string& text) { return HoldsUtf16(bytes, text); };
  EXPECT_TRUE(holds("Beep"));
  EXPECT_FALSE(holds("MinAnimate"));
}

}  // namespace
}  // namespace varnox::test
