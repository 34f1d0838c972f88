// Opening a registry file into the window on every version's fixture: a
// backup opened on the registry it was taken from changes nothing; opened
// after OK it brings the fixture back through OK; a changes file opened in a
// fresh window makes OK write what the hand changes wrote. And the message
// names each entry left out.

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "fixture_window.h"
#include "load_scenario.h"
#include "settings/reg_file_writer.h"

namespace varnox::test {
namespace {

// The user acts once on every control of every section, but for the
// buttons that create or delete a value at once: only OK writes here.
void ActOnEveryPageButValueButtons(FixtureWindow& window) {
  for (const LoadSection& section : window.form->Frame().Sections()) {
    for (Control* control : section.controls) {
      if (dynamic_cast<TSpeedButton*>(control) == nullptr) fuzz::ActAsUser(*control, 1);
    }
  }
}

const std::vector<std::uint8_t>& Written(FixtureWindow& window, const char* button, const std::string& path) {
  window.services.saveAs = path;
  window.form->Find<TButton>(button).UserClick();
  EXPECT_TRUE(window.services.errors.empty());
  return window.system.writtenFiles[path];
}

// Opens `bytes` through the button, as the user does; the message shown.
std::string Open(FixtureWindow& window, const std::vector<std::uint8_t>& bytes) {
  window.system.writtenFiles["opened.reg"] = bytes;
  window.services.open = "opened.reg";
  const std::size_t shown = window.services.messages.size();
  window.form->Find<TButton>("btnOpenSettings").UserClick();
  EXPECT_TRUE(window.services.errors.empty()) << window.services.errors.front();
  EXPECT_EQ(window.services.messages.size(), shown + 1);
  return window.services.messages.empty() ? std::string() : window.services.messages.back();
}

bool Writes(const MemoryRegistry& registry) {
  return std::any_of(registry.Calls().begin(), registry.Calls().end(), [](const RegistryCall& call) {
    return call.op == "SetValue" || call.op == "DeleteValue" || call.op == "CreateKey";
  });
}

// Text the window reads without regard to case ("yes") it writes in its
// own case ("Yes"): the same setting.
bool SameSetting(const StoredValue& a, const StoredValue& b) {
  const auto lower = [](std::uint8_t c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
  return a.type == b.type && std::equal(a.data.begin(), a.data.end(), b.data.begin(), b.data.end(),
                                        [&](std::uint8_t x, std::uint8_t y) { return lower(x) == lower(y); });
}

// The names whose settings differ between two dumps, but for the values
// the message names as left out.
std::vector<std::string> Differences(const RegistryDump& a, const RegistryDump& b, const std::string& message = {}) {
  std::vector<std::string> names;
  for (const auto& [name, value] : a) {
    if (!b.count(name) || !SameSetting(b.at(name), value)) names.push_back(name);
  }
  for (const auto& [name, value] : b) {
    if (!a.count(name)) names.push_back(name);
  }
  std::erase_if(names, [&message](const std::string& name) {
    const std::string tail = name.substr(name.find('\\'));
    return message.find(tail + ": a value the window cannot show") != std::string::npos;
  });
  return names;
}

class SettingsImport : public ::testing::TestWithParam<VersionFixture> {};

TEST_P(SettingsImport, BackupOfTheSameRegistryChangesNothing) {
  FixtureWindow window(GetParam());
  const std::vector<std::uint8_t> backup = Written(window, "btnBackup", "backup.reg");
  window.registry.ClearCalls();
  const std::string message = Open(window, backup);
  EXPECT_FALSE(Writes(window.registry));
  EXPECT_FALSE(window.form->Flags().AnyRaised());
  EXPECT_FALSE(window.form->Find<TButton>("ApplyBtn").Enabled());
  EXPECT_NE(message.find("nothing changed"), std::string::npos) << message;
  EXPECT_EQ(message.rfind("; ", 0), std::string::npos) << "the comment shows without its ';'";
  EXPECT_NE(message.find(window.form->Find<TLabel>("SysLabel").Caption()), std::string::npos) << message;
}

void Reopen(FixtureWindow& window) {
  window.form = std::make_unique<TConfForm>(window.platform, window.services);
  window.form->FormCreate();
  window.registry.ClearCalls();
}

TEST_P(SettingsImport, BackupOpenedAfterOkShowsPendingChangesAndOkBringsTheFixtureBack) {
  FixtureWindow window(GetParam());
  const std::vector<std::uint8_t> backup = Written(window, "btnBackup", "backup.reg");
  ActOnEveryPageButValueButtons(window);
  window.PressOk();
  const RegistryDump pressed = window.registry.Dump();

  Reopen(window);
  const std::string message = Open(window, backup);
  EXPECT_FALSE(Writes(window.registry)) << "nothing is written before OK";
  EXPECT_TRUE(window.form->Find<TButton>("ApplyBtn").Enabled()) << message;
  EXPECT_NE(message.find(" settings changed in the window"), std::string::npos) << message;

  window.PressOk();
  EXPECT_TRUE(window.services.errors.empty());
  // Values OK made in keys the backup found missing stay, as after regedit.
  std::vector<std::string> differences = Differences(window.registry.Dump(), window.original, message);
  std::erase_if(differences, [&](const std::string& name) { return window.original.count(name) == 0; });
  EXPECT_EQ(differences, std::vector<std::string>{});
}

TEST_P(SettingsImport, ChangesFileOpenedInAFreshWindowWritesWhatTheHandChangesWrote) {
  FixtureWindow hand(GetParam());
  ActOnEveryPageButValueButtons(hand);
  const std::vector<std::uint8_t> changes = Written(hand, "btnSaveChanges", "changes.reg");
  hand.PressOk();

  FixtureWindow opened(GetParam());
  const std::string message = Open(opened, changes);
  // Saved again, the changes are the same values.
  const std::vector<std::uint8_t> again = Written(opened, "btnSaveChanges", "again.reg");
  FixtureWindow a(GetParam()), b(GetParam());
  Open(a, changes);
  Open(b, again);
  a.PressOk();
  b.PressOk();
  EXPECT_EQ(Differences(a.registry.Dump(), b.registry.Dump()), std::vector<std::string>{});

  opened.PressOk();
  EXPECT_EQ(Differences(opened.registry.Dump(), hand.registry.Dump(), message), std::vector<std::string>{}) << message;
}

INSTANTIATE_TEST_SUITE_P(EveryVersion, SettingsImport, ::testing::ValuesIn(VersionFixtures()),
                         [](const auto& info) { return FixtureName(info.param); });

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// What a standard user's window leaves out of another machine's file, each
// named with its line; its own setting goes in, and nothing is written.
TEST(SettingsImportMessage, NamesEachEntryLeftOutWithItsLineAndReason) {
  FixtureWindow window(Fixture("winxp.reg"),
                       [](MemoryRegistry& registry) { registry.DenyFullAccess(kHkeyLocalMachine, ""); });
  window.registry.ClearCalls();
  const std::string message =
      Open(window, Bytes("REGEDIT4\r\n\r\n; from the reference machine\r\n\r\n"
                         "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"HungAppTimeout\"=\"4321\"\r\n"
                         "\"Foreign\"=\"x\"\r\n\r\n"
                         "[-HKEY_CURRENT_USER\\Software\\Varnox Test]\r\n\r\n"
                         "[HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop]\r\n\"HungAppTimeout\"=\"1\"\r\n\r\n"
                         "[HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon]\r\n"
                         "\"DefaultUserName\"=\"Bob\"\r\n\"AutoAdminLogon\"=dword:1x\r\n"));
  EXPECT_EQ(message,
            "from the reference machine\r\n\r\n"
            "1 settings changed in the window. OK writes them; Cancel leaves everything as it was.\r\n\r\n"
            "Left out:\r\n"
            "line 7: HKEY_CURRENT_USER\\Control Panel\\Desktop\\Foreign: not a value this window manages\r\n"
            "line 9: [-HKEY_CURRENT_USER\\Software\\Varnox Test]: a key deletion: the window deletes no keys\r\n"
            "line 12: HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop\\HungAppTimeout: under a root key the window does "
            "not use\r\n"
            "line 15: HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon\\DefaultUserName: "
            "a machine-wide value only an administrator can change\r\n"
            "line 16: unreadable: dword: needs 1 to 8 hexadecimal digits");
  EXPECT_FALSE(Writes(window.registry));
  EXPECT_EQ(window.form->Find<TEdit>("edHungApplication").Text(), "4321");
  EXPECT_EQ(
      window.form->Find<TEdit>("LoginNameEdit").Text(),
      window.registry
          .String(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "DefaultUserName")
          .value_or(""));
  EXPECT_TRUE(window.form->Modified(SettingGroup::EndTask));
  EXPECT_FALSE(window.form->Modified(SettingGroup::AutoLogon));

  // In Russian when the hints are, and a file of nothing managed changes nothing.
  window.form->Find<TCheckBox>("cbSwitchLanguage").UserClick();
  const std::string russian =
      Open(window, Bytes("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n\"a\"=\"b\"\r\n"));
  EXPECT_EQ(russian.rfind("В файле нет настроек", 0), 0u) << russian;
  EXPECT_NE(russian.find("строка 3: HKEY_CURRENT_USER\\Software\\Other\\a: значение, которым окно не управляет"),
            std::string::npos)
      << russian;
  EXPECT_EQ(window.form->Find<TEdit>("edHungApplication").Text(), "4321") << "what the first file changed stays";
}

// A Unicode backup carries text through the code page; a value the code
// page cannot hold comes back otherwise, and opening that backup must not
// write the mangled text over the stored one.
TEST(SettingsImportMessage, TextTheCodePageCannotCarryAsksForNoChange) {
  FixtureWindow window(Fixture("winxp.reg"), [](MemoryRegistry& registry) {
    registry.SetString(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                       "DefaultUserName", "J\x92rg");
  });
  const std::vector<std::uint8_t> backup = Written(window, "btnBackup", "backup.reg");
  const std::string message = Open(window, backup);
  EXPECT_NE(message.find("nothing changed"), std::string::npos) << message;
  EXPECT_FALSE(window.form->Find<TButton>("ApplyBtn").Enabled());
}

// A number its spinner cannot hold shows as it is, but OK leaves a spinner
// it was not moved on as stored: the file's number would never be written,
// so it is named as one the window cannot show, and the others still go in.
TEST(SettingsImportMessage, ANumberOkWouldNotWriteIsNamedNotCounted) {
  const char* key = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
  FixtureWindow window(Fixture("winxp.reg"), [key](MemoryRegistry& registry) {
    registry.SetDword(kHkeyLocalMachine, key, "DiskSpaceThreshold", 20);
  });
  const std::string message =
      Open(window, Bytes("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\" + std::string(key) +
                         "]\r\n\"DiskSpaceThreshold\"=dword:00001000\r\n"
                         "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"HungAppTimeout\"=\"4321\"\r\n"));
  EXPECT_NE(message.find("1 settings changed"), std::string::npos) << message;
  EXPECT_NE(message.find("line 3: HKEY_LOCAL_MACHINE\\" + std::string(key) +
                         "\\DiskSpaceThreshold: a value the window cannot show"),
            std::string::npos)
      << message;
  EXPECT_EQ(window.form->Find<TEdit>("edDiskAlert").Text(), "20") << "shown as stored again";
  window.PressOk();
  EXPECT_EQ(window.registry.Dword(kHkeyLocalMachine, key, "DiskSpaceThreshold"), 20u);
  EXPECT_EQ(window.registry.String(kHkeyCurrentUser, "Control Panel\\Desktop", "HungAppTimeout"), "4321");
}

// Cancel in the dialog reads nothing; a file that cannot be read says why.
TEST(SettingsImportMessage, CancelReadsNothingAndAnUnreadableFileIsReported) {
  FixtureWindow window(Fixture("nt40.reg"));
  window.form->Find<TButton>("btnOpenSettings").UserClick();
  EXPECT_TRUE(window.services.messages.empty());
  EXPECT_TRUE(window.services.errors.empty());
  window.services.open = "A:\\missing.reg";
  window.form->Find<TButton>("btnOpenSettings").UserClick();
  ASSERT_EQ(window.services.errors.size(), 1u);
  EXPECT_EQ(window.services.errors[0], "Cannot read A:\\missing.reg: The system cannot find the file specified.");
  EXPECT_FALSE(window.form->Find<TButton>("ApplyBtn").Enabled());
}

}  // namespace
}  // namespace varnox::test
