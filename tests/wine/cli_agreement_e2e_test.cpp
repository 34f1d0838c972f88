// The window and the command line agree: one baseline, in two prefixes made
// from the same fixture, applied by the window ("Open settings file..." then
// OK) in the first run and by `varnox apply` in the second, must leave the
// two registries the same. The window's run writes its registry down where
// the command line's run finds it. The Open dialog is answered by pointing
// the library's import of GetOpenFileNameW at the test.

#include <gtest/gtest.h>
#include <windows.h>
// Needs <windows.h> first.
#include <commdlg.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "import_patch.h"
#include "page_scenario.h"
#include "registry_dump.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr wchar_t kBaseline[] = L"C:\\test\\baseline.reg";

BOOL WINAPI AnswerOpenDialog(OPENFILENAMEW* dialog) {
  lstrcpynW(dialog->lpstrFile, kBaseline, static_cast<int>(dialog->nMaxFile));
  return TRUE;
}

std::string Role() {
  const char* role = std::getenv("VARNOX_AGREEMENT_ROLE");
  return role ? role : "";
}

std::string DumpPath() {
  const char* path = std::getenv("VARNOX_AGREEMENT_DUMP");
  std::string windows = "Z:";
  for (const char* c = path ? path : ""; *c; ++c) windows += *c == '/' ? '\\' : *c;
  return windows;
}

// Values of several groups, the machine's and the user's, one group written
// whole for one value (the end-task times), a deletion, a text the window
// reads without regard to case, and entries it leaves out: what both ways
// must treat alike.
void WriteBaseline() {
  std::ofstream file("C:\\test\\baseline.reg", std::ios::binary);
  file << "REGEDIT4\r\n\r\n"
          "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
          "\"MenuShowDelay\"=\"250\"\r\n"
          "\"HungAppTimeout\"=\"4000\"\r\n"
          "\"DragFullWindows\"=\"1\"\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon]\r\n"
          "\"DontDisplayLastUserName\"=\"1\"\r\n"
          "\"LegalNoticeCaption\"=-\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters]\r\n"
          "\"AutoShareWks\"=dword:00000000\r\n\r\n"
          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Elsewhere]\r\n"
          "\"NotManaged\"=\"x\"\r\n";
}

class Agreement : public PageScenario {};

TEST_F(Agreement, TheWindowAndTheCommandLineLeaveTheSameRegistry) {
  WriteBaseline();
  const Dump fixture = DumpRegistry();
  if (Role() == "window") {
    ASSERT_TRUE(
        PatchImport(cpl_.Module(), "comdlg32.dll", "GetOpenFileNameW", reinterpret_cast<void*>(&AnswerOpenDialog)));
    Run([](UiDriver& ui) {
      ui.Click("OptionsBtn");
      PostMessageW(ui.Find("btnOpenSettings"), BM_CLICK, 0, 0);
      const std::wstring message = ui.DismissMessageBox(60000);
      EXPECT_NE(message.find(L"settings changed in the window"), std::wstring::npos)
          << std::string(message.begin(), message.end());
      ui.Click("ApplyBtn");
    });
    const Dump applied = DumpRegistry();
    EXPECT_NE(Differences(fixture, applied), std::vector<std::string>{}) << "OK changed nothing";
    Save(applied, DumpPath());
    return;
  }
  ASSERT_TRUE(FileExists(DumpPath())) << "no registry from the window's run at " << DumpPath();
  const Dump window = Load(DumpPath());
  const DWORD code = RunToEnd("C:\\test\\varnox.exe apply C:\\test\\baseline.reg");
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(Differences(window, DumpRegistry()), std::vector<std::string>{});
}

}  // namespace
}  // namespace varnox::test
