// The options panel's registry files on every version's fixture: the
// changes file, imported into a fresh copy of the fixture, leaves it as OK
// leaves it; the backup, imported after OK, puts every managed value back.
// Imports go through the fixtures' own .reg reader, as regedit would.

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "fixture_window.h"
#include "load_scenario.h"
#include "reg_file_loader.h"

namespace varnox::test {
namespace {

std::string Utf8Of(const std::vector<std::uint8_t>& utf16, std::size_t from) {
  std::string out;
  for (std::size_t i = from; i + 1 < utf16.size(); i += 2) {
    const unsigned unit = utf16[i] | utf16[i + 1] << 8;
    if (unit < 0x80) {
      out.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      out.push_back(static_cast<char>(0xC0 | unit >> 6));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | unit >> 12));
      out.push_back(static_cast<char>(0x80 | (unit >> 6 & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
  return out;
}

// Reads a written file as regedit would: a UTF-16 file's text and its
// hex(2) and hex(7) data back to the system's (here UTF-8) text.
RegFile ReadWritten(const std::vector<std::uint8_t>& bytes) {
  const bool unicode = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
  std::string text = unicode ? Utf8Of(bytes, 2) : std::string(bytes.begin(), bytes.end());
  const std::string header = unicode ? "Windows Registry Editor Version 5.00" : "REGEDIT4";
  EXPECT_EQ(text.rfind(header + "\r\n\r\n; ", 0), 0u) << text.substr(0, 80);
  if (unicode) text.replace(0, header.size(), "REGEDIT4");
  RegFile file = ParseRegText(text);
  EXPECT_TRUE(file.problems.empty()) << DescribeProblems(file);
  for (RegFileSection& section : file.sections) {
    for (RegFileValue& value : section.values) {
      if (!unicode || (value.type != kRegExpandSz && value.type != kRegMultiSz)) continue;
      const std::string narrow = Utf8Of(value.data, 0);
      value.data.assign(narrow.begin(), narrow.end());
    }
  }
  return file;
}

const std::vector<std::uint8_t>& Written(FixtureWindow& window, const char* button, const std::string& path) {
  window.services.saveAs = path;
  window.form->Find<TButton>(button).UserClick();
  EXPECT_TRUE(window.services.errors.empty());
  return window.system.writtenFiles[path];
}

// The names whose values differ between two dumps, for a readable failure.
std::vector<std::string> Differences(const RegistryDump& a, const RegistryDump& b) {
  std::vector<std::string> names;
  for (const auto& [name, value] : a) {
    if (!b.count(name) || !(b.at(name) == value)) names.push_back(name);
  }
  for (const auto& [name, value] : b) {
    if (!a.count(name)) names.push_back(name);
  }
  return names;
}

bool WritesAnything(const MemoryRegistry& registry) {
  for (const RegistryCall& call : registry.Calls()) {
    if (call.op == "SetValue" || call.op == "DeleteValue" || call.op == "CreateKey") return true;
  }
  return false;
}

class SettingsExport : public ::testing::TestWithParam<VersionFixture> {};

TEST_P(SettingsExport, ChangesFileImportedIntoTheFixtureLeavesItAsOkDoes) {
  FixtureWindow pressed(GetParam());
  ActOnEveryPage(pressed);
  pressed.PressOk();
  ASSERT_TRUE(pressed.services.errors.empty());

  FixtureWindow saved(GetParam());
  ActOnEveryPage(saved);
  const RegistryDump before = saved.registry.Dump();
  saved.registry.ClearCalls();
  const RegFile changes = ReadWritten(Written(saved, "btnSaveChanges", "changes.reg"));
  EXPECT_FALSE(WritesAnything(saved.registry));
  EXPECT_EQ(Differences(saved.registry.Dump(), before), std::vector<std::string>{});
  EXPECT_TRUE(saved.form->Find<TButton>("ApplyBtn").Enabled()) << "the window stays as it was";
  EXPECT_NE(saved.form->ModalResult(), mrOk);

  ApplyRegFile(saved.registry, changes, "changes.reg");
  EXPECT_EQ(Differences(saved.registry.Dump(), pressed.registry.Dump()), std::vector<std::string>{});
}

// Keys the backup left out, as its comment lines name them ("HKLM\\path").
std::vector<std::string> KeysLeftOut(const std::vector<std::uint8_t>& bytes) {
  const bool unicode = bytes.size() >= 2 && bytes[0] == 0xFF;
  const std::string text = unicode ? Utf8Of(bytes, 2) : std::string(bytes.begin(), bytes.end());
  std::vector<std::string> keys;
  const std::string root = "; HKEY_LOCAL_MACHINE\\", tail = " does not exist";
  for (std::size_t at = text.find(root); at != std::string::npos; at = text.find(root, at + 1)) {
    const std::size_t end = text.find(tail, at);
    keys.push_back("HKLM\\" + text.substr(at + root.size(), end - at - root.size()) + "\\");
  }
  return keys;
}

TEST_P(SettingsExport, BackupImportedAfterOkPutsEveryManagedValueBack) {
  FixtureWindow window(GetParam());
  const std::vector<std::uint8_t> bytes = Written(window, "btnBackup", "backup.reg");
  const RegFile backup = ReadWritten(bytes);
  ActOnEveryPage(window);
  window.PressOk();
  ASSERT_NE(window.registry.Dump(), window.original) << "the actions changed nothing to restore";
  ApplyRegFile(window.registry, backup, "backup.reg");
  // Values in keys that did not exist at the backup stay as OK made them.
  std::vector<std::string> differences = Differences(window.registry.Dump(), window.original);
  std::erase_if(differences, [&bytes](const std::string& name) {
    const auto keys = KeysLeftOut(bytes);
    return std::any_of(keys.begin(), keys.end(), [&name](const std::string& key) { return name.rfind(key, 0) == 0; });
  });
  EXPECT_EQ(differences, std::vector<std::string>{});
}

TEST_P(SettingsExport, BackupHoldsOnlyValuesTheWindowWrites) {
  FixtureWindow window(GetParam());
  const RegFile backup = ReadWritten(Written(window, "btnBackup", "backup.reg"));
  // What the window reads only to show it: versions, addresses, devices, status.
  const std::vector<std::string> shownOnly = {
      "CurrentBuildNumber", "CSDVersion", "Bind", "IPAddress", "DhcpIPAddress", "SecureBoot", "OptimizeComplete"};
  std::size_t values = 0;
  for (const RegFileSection& section : backup.sections) {
    EXPECT_EQ(section.path.find("HARDWARE"), std::string::npos) << section.path;
    for (const RegFileValue& value : section.values) {
      ++values;
      EXPECT_EQ(std::count(shownOnly.begin(), shownOnly.end(), value.name), 0) << section.path << " " << value.name;
    }
  }
  EXPECT_GT(values, 40u);
}

INSTANTIATE_TEST_SUITE_P(EveryVersion, SettingsExport, ::testing::ValuesIn(VersionFixtures()),
                         [](const auto& info) { return FixtureName(info.param); });

// Numbers no control can show are left as stored by OK, and still backed up.
TEST(SettingsExportButtons, BackupHoldsValuesOkLeavesAsStored) {
  constexpr char kMemory[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  constexpr char kServer[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
  FixtureWindow window(Fixture("nt40.reg"), [&](MemoryRegistry& registry) {
    registry.SetDword(kHkeyLocalMachine, kMemory, "IoPageLockLimit", 100);  // under the spinner's least
    registry.SetDword(kHkeyLocalMachine, kServer, "Size", 7);
  });
  ASSERT_TRUE(window.form->Find<TRadioButton>("rbIOLockOther").Checked());
  const RegFile backup = ReadWritten(Written(window, "btnBackup", "backup.reg"));
  const auto stored = [&backup](const char* key, const char* name) -> std::vector<std::uint8_t> {
    for (const RegFileSection& section : backup.sections) {
      if (section.path.find(key) == std::string::npos) continue;
      for (const RegFileValue& value : section.values) {
        if (value.name == name) return value.data;
      }
    }
    return {};
  };
  EXPECT_EQ(stored(kMemory, "IoPageLockLimit"), (std::vector<std::uint8_t>{100, 0, 0, 0}));
  EXPECT_EQ(stored(kServer, "Size"), (std::vector<std::uint8_t>{7, 0, 0, 0}));
}

TEST(SettingsExportButtons, SaveChangesIsEnabledExactlyWhileOkIs) {
  FixtureWindow window(Fixture("winxp.reg"));
  auto& ok = window.form->Find<TButton>("ApplyBtn");
  auto& saveChanges = window.form->Find<TButton>("btnSaveChanges");
  EXPECT_FALSE(saveChanges.Enabled());
  EXPECT_TRUE(window.form->Find<TButton>("btnBackup").Enabled());
  window.form->Find<TCheckBox>("cbAutoEndTask").UserClick();
  EXPECT_TRUE(ok.Enabled());
  EXPECT_TRUE(saveChanges.Enabled());
}

TEST(SettingsExportButtons, CancelWritesNothingAndAFailedWriteIsReportedWithItsReason) {
  FixtureWindow window(Fixture("nt40.reg"));
  window.form->Find<TCheckBox>("cbAutoEndTask").UserClick();
  for (const char* button : {"btnSaveChanges", "btnBackup"}) window.form->Find<TButton>(button).UserClick();
  using Asked = std::pair<std::string, std::string>;
  EXPECT_EQ(window.services.askedFor, (std::vector<Asked>{{"Save changes as", "varnox-changes.reg"},
                                                          {"Back up settings as", "varnox-backup.reg"}}));
  EXPECT_TRUE(window.system.writtenFiles.empty());
  EXPECT_TRUE(window.services.errors.empty());

  window.services.saveAs = "A:\\varnox-changes.reg";
  window.system.fileWriteError = "The device is not ready.";
  window.form->Find<TButton>("btnSaveChanges").UserClick();
  EXPECT_TRUE(window.system.writtenFiles.empty());
  ASSERT_EQ(window.services.errors.size(), 1u);
  EXPECT_NE(window.services.errors[0].find("A:\\varnox-changes.reg"), std::string::npos);
  EXPECT_NE(window.services.errors[0].find("The device is not ready."), std::string::npos);
}

TEST(SettingsExportButtons, NT4GetsRegedit4AndLaterVersionsUnicodeNamingTheSystem) {
  for (const auto& [file, unicode] : {std::pair{"nt40.reg", false}, std::pair{"win2k.reg", true}}) {
    FixtureWindow window(Fixture(file));
    const std::vector<std::uint8_t> bytes = Written(window, "btnBackup", "b.reg");
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_EQ(bytes[0] == 0xFF && bytes[1] == 0xFE, unicode) << file;
    const RegFile parsed = ReadWritten(bytes);
    const std::string text = unicode ? Utf8Of(bytes, 2) : std::string(bytes.begin(), bytes.end());
    const std::string product = window.form->Find<TLabel>("SysLabel").Caption();
    EXPECT_EQ(text.substr(text.find('\n') + 3, 2 + product.size()), "; " + product) << file;
  }
}

}  // namespace
}  // namespace varnox::test
