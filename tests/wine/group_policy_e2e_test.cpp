// "Save for Group Policy..." end to end on one version's fixture, in one
// run. The window's changes on every page are saved through the shell's
// real folder dialog (the test picks the folder once the dialog is up) and
// as a changes file (what OK would write); Cancel leaves the fixture's
// registry as it was, so the prefix is still a fresh one. Then the two
// policy files are applied as Group Policy's registry extension applies
// them: the window opened there shows what the changed window showed, with
// nothing left to save, and importing the changes file on top changes
// nothing but what the message named as left out.

#include <gtest/gtest.h>
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "changed_pages.h"
#include "import_patch.h"
#include "page_scenario.h"
#include "registry_dump.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kFolder[] = "C:\\test\\gpo";

// The folder the test picks in the dialog; empty: the user cancels.
std::string folderAnswer;
std::vector<std::string> folderTitles;

int CALLBACK PickAnswer(HWND dialog, UINT message, LPARAM /*lParam*/, LPARAM /*data*/) {
  if (message == BFFM_INITIALIZED) {
    if (!folderAnswer.empty()) {
      SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folderAnswer.c_str()));
    }
    PostMessageA(dialog, WM_COMMAND, folderAnswer.empty() ? IDCANCEL : IDOK, 0);
  }
  return 0;
}

// The library's call, passed on to the real dialog with the test's hand on it.
PIDLIST_ABSOLUTE WINAPI BrowseWithAnswer(BROWSEINFOA* browse) {
  folderTitles.push_back(browse->lpszTitle ? browse->lpszTitle : "");
  EXPECT_EQ(browse->lpfn, nullptr);
  browse->lpfn = PickAnswer;
  return SHBrowseForFolderA(browse);
}

std::wstring saveAsAnswer;

BOOL WINAPI AnswerSaveAs(OPENFILENAMEW* dialog) {
  lstrcpynW(dialog->lpstrFile, saveAsAnswer.c_str(), static_cast<int>(dialog->nMaxFile));
  return TRUE;
}

// apply_policy.exe on the two files; its exit code.
DWORD ApplyPolicyFiles() {
  return RunToEnd(ApplyPolicyProgram() + " HKLM " + kFolder + "\\Machine\\Registry.pol HKCU " + kFolder +
                  "\\User\\Registry.pol");
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
  return text;
}

// Whether the message names the dumped value ("HKLM\path\name") as left out.
bool NamedLeftOut(const std::wstring& message, const std::string& name) {
  std::string text(message.begin(), message.end());
  for (const auto& [root, shortName] :
       {std::pair<std::string, std::string>{"HKEY_LOCAL_MACHINE\\", "HKLM\\"}, {"HKEY_CURRENT_USER\\", "HKCU\\"}}) {
    for (std::size_t at = text.find(root); at != std::string::npos; at = text.find(root, at)) {
      text.replace(at, root.size(), shortName);
    }
  }
  return Lower(text).find(Lower(name) + ": ") != std::string::npos;
}

class GroupPolicyEndToEnd : public PageScenario {
 protected:
  void SetUp() override {
    PageScenario::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(
        PatchImport(cpl_.Module(), "shell32.dll", "SHBrowseForFolderA", reinterpret_cast<void*>(&BrowseWithAnswer)));
    ASSERT_TRUE(PatchImport(cpl_.Module(), "comdlg32.dll", "GetSaveFileNameW", reinterpret_cast<void*>(&AnswerSaveAs)));
  }
};

TEST_F(GroupPolicyEndToEnd, ThePolicyFilesAppliedShowWhatTheWindowMeant) {
  const Dump fixture = DumpRegistry();
  ASSERT_TRUE(CreateDirectoryA(kFolder, nullptr));
  Shown changed;
  std::wstring message;
  Run([&](UiDriver& ui) {
    ui.Click("OptionsBtn");
    EXPECT_FALSE(ui.Enabled("btnSaveGroupPolicy"));
    ChangeEveryPage(ui);
    changed = ShownStates(ui);
    EXPECT_TRUE(ui.Enabled("btnSaveGroupPolicy"));

    folderAnswer.clear();  // Cancel in the dialog: nothing happens
    ui.Click("btnSaveGroupPolicy");
    EXPECT_FALSE(ui.MessageBoxShowing());

    folderAnswer = kFolder;
    PostMessageW(ui.Find("btnSaveGroupPolicy"), BM_CLICK, 0, 0);
    message = ui.DismissMessageBox(60000);
    // Saved again into the same folder, the files replace their own
    // records with the same ones: not a byte changes.
    const std::string machine = FileBytes(std::string(kFolder) + "\\Machine\\Registry.pol");
    const std::string user = FileBytes(std::string(kFolder) + "\\User\\Registry.pol");
    PostMessageW(ui.Find("btnSaveGroupPolicy"), BM_CLICK, 0, 0);
    ui.DismissMessageBox(60000);
    EXPECT_GT(machine.size(), 8u);
    EXPECT_EQ(FileBytes(std::string(kFolder) + "\\Machine\\Registry.pol"), machine);
    EXPECT_EQ(FileBytes(std::string(kFolder) + "\\User\\Registry.pol"), user);
    saveAsAnswer = L"C:\\test\\changes.reg";
    ui.Click("btnSaveChanges");
    EXPECT_TRUE(ui.Enabled("ApplyBtn")) << "the window stays as it was";
    ui.Click("CancelBtn");
  });
  EXPECT_EQ(folderTitles.size(), 3u);
  const std::string shown(message.begin(), message.end());
  EXPECT_NE(shown.find(std::string(kFolder) + "\\Machine\\Registry.pol: "), std::string::npos) << shown;
  EXPECT_NE(shown.find(std::string(kFolder) + "\\User\\Registry.pol: "), std::string::npos) << shown;
  EXPECT_EQ(shown.find("Cannot"), std::string::npos) << shown;
  EXPECT_EQ(Differences(DumpRegistry(), fixture), std::vector<std::string>{}) << "saving or Cancel wrote";

  ASSERT_EQ(ApplyPolicyFiles(), 0u);
  const Dump applied = DumpRegistry();
  ASSERT_NE(Differences(applied, fixture), std::vector<std::string>{}) << "the files changed nothing";
  Run([&](UiDriver& ui) {
    ui.Click("OptionsBtn");
    EXPECT_EQ(Describe(ShownStates(ui)), Describe(changed));
    EXPECT_FALSE(ui.Enabled("ApplyBtn"));
    EXPECT_FALSE(ui.Enabled("btnSaveChanges")) << "nothing is left to save";
    ui.Click("CancelBtn");
  });

  ASSERT_TRUE(ImportWithRegedit("C:\\test\\changes.reg"));
  std::vector<std::string> differences = Differences(DumpRegistry(), applied);
  std::erase_if(differences, [&message](const std::string& name) { return NamedLeftOut(message, name); });
  EXPECT_EQ(differences, std::vector<std::string>{}) << "OK writes more than the files: " << shown;
}

}  // namespace
}  // namespace varnox::test
