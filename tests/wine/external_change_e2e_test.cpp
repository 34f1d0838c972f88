// Another program changes values of a settings group while the window is
// open (regedit importing a file, as a logon script would); the user then
// changes a control of the same group and presses OK. What the user changed
// is written; what the other program left stays as it left it, and one
// message names it.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <string>

#include "page_scenario.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kMetrics[] = "Control Panel\\Desktop\\WindowMetrics";
constexpr char kSound[] = "Control Panel\\Sound";
constexpr char kDesktop[] = "Control Panel\\Desktop";

// Imports `lines` (below a REGEDIT4 header) with Wine's regedit.
bool ImportLines(const std::string& lines) {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string file = std::string(folder) + "other-program.reg";
  std::ofstream(file, std::ios::binary) << "REGEDIT4\r\n\r\n" << lines;
  return ImportWithRegedit(file);
}

// NT 4.0 keeps the scrolling flag as one byte and refuses a number there.
std::string SmoothScrollLine() {
  return Version() == "nt40" ? "\"SmoothScroll\"=hex:01\r\n" : "\"SmoothScroll\"=dword:00000001\r\n";
}

// The flag's data as another program left it: present, with the byte or number 1.
bool SmoothScrollAsLeft() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktop, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  BYTE data[8] = {};
  DWORD type = 0;
  DWORD size = sizeof data;
  const bool read = RegQueryValueExA(key, "SmoothScroll", nullptr, &type, data, &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  const bool binary = Version() == "nt40";
  return read && type == (binary ? REG_BINARY : REG_DWORD) && size == (binary ? 1u : 4u) && data[0] == 1;
}

// Presses OK and returns the message it shows (empty when none).
std::wstring PressOk(UiDriver& ui, DWORD timeoutMs) {
  PostMessageW(ui.Find("ApplyBtn"), BM_CLICK, 0, 0);
  return ui.DismissMessageBox(timeoutMs);
}

class ExternalChangeEndToEnd : public PageScenario {
 protected:
  // As Run, naming any message the opening showed.
  void RunNaming(const std::function<void(UiDriver&)>& scenario) {
    const bool ran = RunApplet(cpl_, [&](UiDriver& ui) {
      for (const std::wstring& message : ui.CreationMessages()) ADD_FAILURE() << Narrow(message);
      scenario(ui);
    });
    EXPECT_TRUE(ran) << "the window never showed";
  }
  static std::string Narrow(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
  }
};

TEST_F(ExternalChangeEndToEnd, OkKeepsWhatAnotherProgramChangedCreatedOrDeletedAndWritesWhatTheUserChanged) {
  ASSERT_EQ(ReadString(HKEY_CURRENT_USER, kMetrics, "MinAnimate"), "1");
  ASSERT_EQ(ReadString(HKEY_CURRENT_USER, kSound, "Beep"), "yes");
  ASSERT_FALSE(ReadDword(HKEY_CURRENT_USER, kDesktop, "SmoothScroll"));

  // Another program changes one value and creates another; the user turns
  // the error beep off.
  RunNaming([](UiDriver& ui) {
    ASSERT_TRUE(
        ImportLines("[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n"
                    "\"MinAnimate\"=\"0\"\r\n\r\n"
                    "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n" +
                    SmoothScrollLine()));
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
  EXPECT_TRUE(SmoothScrollAsLeft());

  // Another program sets the very value the user then changes, and deletes
  // another: the user's value is written, the deleted one stays deleted.
  RunNaming([](UiDriver& ui) {
    ASSERT_TRUE(
        ImportLines("[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n"
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
  EXPECT_TRUE(SmoothScrollAsLeft());
}

}  // namespace
}  // namespace varnox::test
