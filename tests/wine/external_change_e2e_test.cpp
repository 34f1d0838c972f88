// Another program changes values of a settings group while the window is
// open (regedit importing a file, as a logon script would); the user then
// changes a control of the same group and presses OK. What the user changed
// is written; what the other program left stays as it left it, and one
// message names it.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "page_scenario.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";
constexpr char kSound[] = "Control Panel\\Sound";
constexpr char kDesktop[] = "Control Panel\\Desktop";

// Imports `lines` (below a REGEDIT4 header) with Wine's regedit and waits
// for it to end.
bool ImportWithRegedit(const std::string& lines) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "other-program.reg";
  std::ofstream(file, std::ios::binary) << "REGEDIT4\r\n\r\n" << lines;
  std::string command = "regedit.exe /s \"" + file + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ended;
}

// Presses OK and returns the message it shows (empty when none).
std::wstring PressOk(UiDriver& ui, DWORD timeoutMs) {
  PostMessageW(ui.Find("ApplyBtn"), BM_CLICK, 0, 0);
  return ui.DismissMessageBox(timeoutMs);
}

class ExternalChangeEndToEnd : public PageScenario {};

TEST_F(ExternalChangeEndToEnd, OkKeepsWhatAnotherProgramChangedCreatedOrDeletedAndWritesWhatTheUserChanged) {
  ASSERT_EQ(ReadString(HKEY_CURRENT_USER, kMetrics, "MinAnimate"), "1");
  ASSERT_EQ(ReadString(HKEY_CURRENT_USER, kSound, "Beep"), "yes");
  ASSERT_FALSE(ReadDword(HKEY_CURRENT_USER, kDesktop, "SmoothScroll"));

  // Another program changes one value and creates another; the user turns
  // the error beep off.
  Run([](UiDriver& ui) {
    ASSERT_TRUE(
        ImportWithRegedit("[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n"
                          "\"MinAnimate\"=\"0\"\r\n\r\n"
                          "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
                          "\"SmoothScroll\"=dword:00000001\r\n"));
    ui.SelectTab("PageControl", L"Explorer");
    ui.Click("cbBeepOnError");
    const std::wstring message = PressOk(ui, 60000);
    EXPECT_EQ(message.rfind(L"Changed by another program after this window opened, kept as it is now:", 0), 0u)
        << message;
    EXPECT_NE(message.find(L"WindowMetrics\\MinAnimate"), std::wstring::npos) << message;
    EXPECT_NE(message.find(L"Desktop\\SmoothScroll"), std::wstring::npos) << message;
    EXPECT_EQ(message.find(L"Beep"), std::wstring::npos) << message;
  });
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSound, "Beep"), "No");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kMetrics, "MinAnimate"), "0");
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kDesktop, "SmoothScroll"), 1u);

  // Another program sets the very value the user then changes, and deletes
  // another: the user's value is written, the deleted one stays deleted.
  Run([](UiDriver& ui) {
    ASSERT_TRUE(
        ImportWithRegedit("[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n"
                          "\"MinAnimate\"=\"5\"\r\n\r\n"
                          "[HKEY_CURRENT_USER\\Control Panel\\Sound]\r\n"
                          "\"Beep\"=-\r\n"));
    ui.SelectTab("PageControl", L"Explorer");
    EXPECT_EQ(ui.CheckState("cbMinAnimate"), BST_UNCHECKED) << "the window shows the first run's \"0\"";
    // Unchecked, then grey where the box may be grey, then checked: "1".
    for (int click = 0; click < 3 && ui.CheckState("cbMinAnimate") != BST_CHECKED; ++click) ui.Click("cbMinAnimate");
    const std::wstring message = PressOk(ui, 60000);
    EXPECT_NE(message.find(L"Sound\\Beep"), std::wstring::npos) << message;
    EXPECT_EQ(message.find(L"MinAnimate"), std::wstring::npos) << message;
  });
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kMetrics, "MinAnimate"), "1");
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, kSound, "Beep"));
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kDesktop, "SmoothScroll"), 1u);
}

}  // namespace
}  // namespace varnox::test
