// The options panel's registry files end to end on one version's fixture.
// Two runs, each in its own prefix made from the same fixture, make the
// same changes on every page: the "ok" run backs the registry up, saves the
// changes where the other run finds them, presses OK and writes down the
// registry; the "import" run saves the changes as a file and has Wine's
// regedit import it. Both registries must then be the same. The ok run then
// imports its backup, which must bring back the fixture's registry, and
// opens a backup in the window, whose OK must do the same. The import run
// first opens the ok run's changes in its window, which must show them and
// save them back alike. The Save As and Open dialogs are answered by
// pointing the library's imports of GetSaveFileNameW and GetOpenFileNameW
// at the test.

#include <gtest/gtest.h>
#include <windows.h>

#include <commdlg.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "changed_pages.h"
#include "import_patch.h"
#include "page_scenario.h"
#include "registry_dump.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

// ------------------------------------------------------------ the dialog

std::wstring dialogAnswer;  // empty: the user cancels
std::vector<std::wstring> dialogDefaults;

BOOL WINAPI AnswerFileDialog(OPENFILENAMEW* dialog) {
  dialogDefaults.push_back(dialog->lpstrFile);
  if (dialogAnswer.empty()) return FALSE;
  lstrcpynW(dialog->lpstrFile, dialogAnswer.c_str(), static_cast<int>(dialog->nMaxFile));
  return TRUE;
}

constexpr wchar_t kCannotShow[] = L": a value the window cannot show";

// Whether the message names a value ("\\Name") as one the window cannot show.
bool CannotShow(const std::wstring& message, const std::wstring& value) {
  return message.find(value + kCannotShow) != std::wstring::npos;
}

// The shown states but for the controls of values the window cannot show.
Shown Showable(Shown shown, const std::wstring& message) {
  for (const ShownRow& row : kShownRows) {
    if (CannotShow(message, row.value)) shown.erase(row.control);
  }
  return shown;
}

// A dumped text value ("1:61,42,") with its letters in lower case.
std::string Lowered(const std::string& dumped) {
  if (dumped.rfind("1:", 0) != 0 && dumped.rfind("2:", 0) != 0) return dumped;
  std::string out = dumped.substr(0, 2);
  std::istringstream bytes(dumped.substr(2));
  for (std::string byte; std::getline(bytes, byte, ',');) {
    int value = std::stoi(byte, nullptr, 16);
    if (value >= 'A' && value <= 'Z') value += 'a' - 'A';
    out += std::to_string(value) + ",";
  }
  return out;
}

// Opens `file` through the button and returns the message it shows.
std::wstring OpenSettings(UiDriver& ui, const std::wstring& file) {
  dialogAnswer = file;
  PostMessageW(ui.Find("btnOpenSettings"), BM_CLICK, 0, 0);
  return ui.DismissMessageBox(60000);
}

// A registry file's lines after its first comment, which names the time:
// the values it holds. UTF-16 text is narrowed, other characters as '?'.
std::vector<std::string> ValueLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string text;
  if (bytes.rfind("\xFF\xFE", 0) == 0) {
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) text += bytes[i + 1] == 0 ? bytes[i] : '?';
  } else {
    text = bytes;
  }
  std::vector<std::string> lines;
  std::istringstream stream(text);
  bool commentSeen = false;
  for (std::string line; std::getline(stream, line);) {
    if (commentSeen) lines.push_back(line);
    commentSeen = commentSeen || line.rfind("; ", 0) == 0;
  }
  return lines;
}

std::string DumpPath() {
  const char* path = std::getenv("VARNOX_EXPORT_DUMP");
  std::string windows = "Z:";
  for (const char* c = path ? path : ""; *c; ++c) windows += *c == '/' ? '\\' : *c;
  return windows;
}

std::string Role() {
  const char* role = std::getenv("VARNOX_EXPORT_ROLE");
  return role ? role : "";
}

// Keys a backup left out, as its comment lines name them ("HKLM\path\").
std::vector<std::string> KeysLeftOut(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) text += bytes[i + 1] == 0 ? bytes[i] : '?';
  if (bytes.rfind("REGEDIT4", 0) == 0) text = bytes;
  std::vector<std::string> keys;
  const std::string root = "; HKEY_LOCAL_MACHINE\\", tail = " does not exist";
  for (std::size_t at = text.find(root); at != std::string::npos; at = text.find(root, at + 1)) {
    keys.push_back("HKLM\\" + text.substr(at + root.size(), text.find(tail, at) - at - root.size()) + "\\");
  }
  return keys;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Shown states kept as a dump, to hand from one run to the other.
Dump ShownAfterChanges(const Shown& shown) {
  Dump dump;
  for (const auto& [name, state] : shown) dump[name] = std::string(state.begin(), state.end());
  return dump;
}

class ExportEndToEnd : public PageScenario {
 protected:
  void SetUp() override {
    PageScenario::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(
        PatchImport(cpl_.Module(), "comdlg32.dll", "GetSaveFileNameW", reinterpret_cast<void*>(&AnswerFileDialog)));
    ASSERT_TRUE(
        PatchImport(cpl_.Module(), "comdlg32.dll", "GetOpenFileNameW", reinterpret_cast<void*>(&AnswerFileDialog)));
    dialogDefaults.clear();
  }
};

TEST_F(ExportEndToEnd, OkThenTheBackupBringsTheFixtureBack) {
  if (Role() != "ok") GTEST_SKIP() << "the import run";
  const Dump fixture = DumpRegistry();
  dialogAnswer = L"C:\\test\\backup.reg";
  Run([](UiDriver& ui) {
    ui.Click("OptionsBtn");
    ui.Click("btnBackup");
    ChangeEveryPage(ui);
    // For the import run: the changes, and what the window shows with them.
    Save(ShownAfterChanges(ShownStates(ui)), DumpPath() + "-shown.txt");
    dialogAnswer = Wide(DumpPath() + "-changes.reg");
    ui.Click("btnSaveChanges");
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(dialogDefaults, (std::vector<std::wstring>{L"varnox-backup.reg", L"varnox-changes.reg"}));
  const Dump pressed = DumpRegistry();
  Save(pressed, DumpPath());
  ASSERT_NE(Differences(pressed, fixture), std::vector<std::string>{}) << "OK changed nothing";

  ASSERT_TRUE(ImportWithRegedit("C:\\test\\backup.reg"));
  std::vector<std::string> differences = Differences(DumpRegistry(), fixture);
  // What OK wrote into keys that did not exist at the backup stays, and
  // so do the keys OK made above them.
  const std::vector<std::string> leftOut = KeysLeftOut("C:\\test\\backup.reg");
  std::erase_if(differences, [&leftOut](const std::string& name) {
    for (const std::string& key : leftOut) {
      if (name.rfind(key, 0) == 0 || (name.back() == '\\' && key.rfind(name, 0) == 0)) return true;
    }
    return false;
  });
  EXPECT_EQ(differences, std::vector<std::string>{});
}

// Back up, change every page, OK; then, in a new window, open the backup:
// exactly the changed controls show the backup's values, nothing is written
// until OK, and OK brings the fixture's managed values back.
TEST_F(ExportEndToEnd, OpeningTheBackupShowsItsValuesAndOkWritesThem) {
  if (Role() != "ok") GTEST_SKIP() << "the import run";
  const Dump fixture = DumpRegistry();
  Shown before;
  dialogAnswer = L"C:\\test\\backup2.reg";
  Run([&before](UiDriver& ui) {
    ui.Click("OptionsBtn");
    ui.Click("btnBackup");
    before = ShownStates(ui);
    ChangeEveryPage(ui);
    ui.Click("ApplyBtn");
  });
  const Dump pressed = DumpRegistry();
  ASSERT_NE(Differences(pressed, fixture), std::vector<std::string>{}) << "OK changed nothing";
  std::wstring message;
  Run([&](UiDriver& ui) {
    ui.Click("OptionsBtn");
    const Shown changed = ShownStates(ui);
    EXPECT_NE(changed, before) << Describe(changed);
    message = OpenSettings(ui, L"C:\\test\\backup2.reg");
    EXPECT_NE(message.find(L" settings changed in the window"), std::wstring::npos) << message;
    EXPECT_NE(message.find(L"a backup of the values Varnox manages"), std::wstring::npos) << message;
    EXPECT_TRUE(ui.Enabled("ApplyBtn"));
    EXPECT_EQ(Describe(Showable(ShownStates(ui), message)), Describe(Showable(before, message)));
    EXPECT_EQ(Differences(DumpRegistry(), pressed), std::vector<std::string>{}) << "written before OK";
    ui.Click("ApplyBtn");
  });
  std::vector<std::string> differences = Differences(DumpRegistry(), fixture);
  // What OK wrote into keys that did not exist at the backup stays, as
  // after an import; so do the keys OK made above them.
  // Values the message names as ones the window cannot show stay as OK left
  // them; text the window reads without regard to case ("yes") it writes in
  // its own ("Yes").
  const std::vector<std::string> leftOut = KeysLeftOut("C:\\test\\backup2.reg");
  const Dump now = DumpRegistry();
  std::erase_if(differences, [&](const std::string& name) {
    for (const std::string& key : leftOut) {
      if (name.rfind(key, 0) == 0 || (name.back() == '\\' && key.rfind(name, 0) == 0)) return true;
    }
    const std::string value = name.substr(name.rfind('\\'));
    if (CannotShow(message, std::wstring(value.begin(), value.end()))) return true;
    return now.count(name) && fixture.count(name) && Lowered(now.at(name)) == Lowered(fixture.at(name));
  });
  EXPECT_EQ(differences, std::vector<std::string>{}) << std::string(message.begin(), message.end());
}

// The ok run's changes opened in this prefix's window: the controls show
// what that window showed, nothing is written, and saving them again gives
// the same values. Runs before the test below, on the fixture as it is.
TEST_F(ExportEndToEnd, AnotherMachinesChangesShowAndSaveBackAlike) {
  if (Role() != "import") GTEST_SKIP() << "the ok run";
  const std::string changes = DumpPath() + "-changes.reg";
  ASSERT_TRUE(FileExists(changes)) << "no changes from the ok run at " << changes;
  const Dump shownThere = Load(DumpPath() + "-shown.txt");
  const Dump fixture = DumpRegistry();
  Run([&](UiDriver& ui) {
    ui.Click("OptionsBtn");
    EXPECT_FALSE(ui.Enabled("btnSaveChanges"));
    const std::wstring message = OpenSettings(ui, Wide(changes));
    EXPECT_NE(message.find(L" settings changed in the window"), std::wstring::npos) << message;
    EXPECT_EQ(message.find(L"Left out"), std::wstring::npos) << message;
    EXPECT_TRUE(ui.Enabled("btnSaveChanges"));
    EXPECT_EQ(ShownAfterChanges(ShownStates(ui)), shownThere);
    dialogAnswer = L"C:\\test\\reopened.reg";
    ui.Click("btnSaveChanges");
    ui.Click("CancelBtn");
  });
  EXPECT_EQ(Differences(DumpRegistry(), fixture), std::vector<std::string>{}) << "opening or Cancel wrote";
  EXPECT_EQ(ValueLines("C:\\test\\reopened.reg"), ValueLines(changes));
}

TEST_F(ExportEndToEnd, SavedChangesImportedLeaveTheRegistryAsOkDoes) {
  if (Role() != "import") GTEST_SKIP() << "the ok run";
  const Dump fixture = DumpRegistry();
  CreateDirectoryA("C:\\test\\a folder.reg", nullptr);
  Run([](UiDriver& ui) {
    ui.Click("OptionsBtn");
    EXPECT_FALSE(ui.Enabled("btnSaveChanges"));
    ChangeEveryPage(ui);
    EXPECT_TRUE(ui.Enabled("btnSaveChanges"));

    dialogAnswer.clear();  // Cancel
    ui.Click("btnSaveChanges");
    EXPECT_FALSE(ui.MessageBoxShowing());

    // A folder of that name cannot be replaced: the reason shows, and
    // nothing of the file is left.
    dialogAnswer = L"C:\\test\\a folder.reg";
    PostMessageW(ui.Find("btnSaveChanges"), BM_CLICK, 0, 0);
    EXPECT_NE(ui.DismissMessageBox().find(L"a folder.reg: "), std::wstring::npos);

    dialogAnswer = L"C:\\test\\changes.reg";
    ui.Click("btnSaveChanges");
    EXPECT_TRUE(ui.Enabled("ApplyBtn")) << "the window stays as it was";
    ui.Click("CancelBtn");
  });
  ASSERT_EQ(dialogDefaults.size(), 3u);
  EXPECT_EQ(dialogDefaults.front(), L"varnox-changes.reg");
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA("C:\\test\\*.varnox-partial", &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE) << found.cFileName;
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  EXPECT_EQ(GetFileAttributesA("C:\\test\\a folder.reg") & FILE_ATTRIBUTE_DIRECTORY, DWORD{FILE_ATTRIBUTE_DIRECTORY});
  ASSERT_TRUE(FileExists("C:\\test\\changes.reg"));
  EXPECT_EQ(Differences(DumpRegistry(), fixture), std::vector<std::string>{}) << "saving wrote to the registry";

  ASSERT_TRUE(ImportWithRegedit("C:\\test\\changes.reg"));
  const Dump pressed = Load(DumpPath());
  ASSERT_FALSE(pressed.empty()) << "no registry from the ok run at " << DumpPath();
  EXPECT_EQ(Differences(DumpRegistry(), pressed), std::vector<std::string>{});
}

}  // namespace
}  // namespace varnox::test
