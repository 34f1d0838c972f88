// The Information page names the applet's own version whichever program
// hosts it: Wine's Control Panel (control.exe), which loads the applet into
// its own process, and rundll32.exe with the Control Panel's entry point.
// Each host is started as a process of its own, its window found by caption
// and its labels read by name, as an assistive tool would. In a 64-bit prefix
// the 32-bit library runs in the 32-bit hosts of a 64-bit Windows.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "cpl_library.h"
#include "driver/ui_driver.h"

namespace varnox::test {
namespace {

constexpr wchar_t kCaption[] = L"Varnox- freeware tool for tuning Windows NT/2000/XP/2003";

std::string SystemDirectory() {
  char directory[MAX_PATH] = {};
  GetSystemDirectoryA(directory, MAX_PATH);
  return directory;
}

// One string of the library's version resource, read here independently of
// the applet, under its first translation.
std::wstring LibraryVersionString(const std::string& path, const std::string& name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};
  WORD* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < 4) {
    return {};
  }
  char key[128];
  wsprintfA(key, "\\StringFileInfo\\%04X%04X\\%s", translation[0], translation[1], name.c_str());
  char* value = nullptr;
  if (!VerQueryValueA(block.data(), key, reinterpret_cast<void**>(&value), &length) || length == 0) return {};
  std::wstring wide(length, L'\0');
  wide.resize(
      static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, value, -1, wide.data(), static_cast<int>(length))));
  if (!wide.empty() && wide.back() == L'\0') wide.pop_back();
  return wide;
}

// Starts `commandLine`, waits for the applet's window and hands it to
// `check`, then cancels the window and waits for the host to end.
void WithHostedWindow(const std::string& commandLine, const std::function<void(UiDriver&)>& check) {
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      << commandLine;
  HWND form = nullptr;
  for (int i = 0; i < 400 && !form; ++i) {
    form = FindWindowW(nullptr, kCaption);
    if (!form) Sleep(50);
  }
  if (form) {
    UiDriver ui(form, {});
    check(ui);
    PostMessageW(ui.Find("CancelBtn"), BM_CLICK, 0, 0);
  } else {
    ADD_FAILURE() << "no window from " << commandLine;
    TerminateProcess(process.hProcess, 1);
  }
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0) << commandLine;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

class HostedApplet : public ::testing::Test {
 protected:
  void SetUp() override {
    CplLibrary cpl;  // only for the path the runner put the library at
    library_ = cpl.Path();
    productVersion_ = LibraryVersionString(library_, "ProductVersion");
    fileVersion_ = LibraryVersionString(library_, "FileVersion");
    copyright_ = LibraryVersionString(library_, "LegalCopyright");
    ASSERT_FALSE(fileVersion_.empty()) << "the library carries a version resource";
  }

  void ExpectOwnVersion(UiDriver& ui, const std::wstring& suffix) const {
    EXPECT_EQ(ui.Text("ProductVerLabel"), productVersion_);
    EXPECT_EQ(ui.Text("AuthorLabel"), copyright_);
    const std::wstring fileVersion = ui.Text("FileVerLabel");
    if (!RunsAs32BitOn64BitWindows()) {
      EXPECT_EQ(fileVersion, fileVersion_ + suffix);
      return;
    }
    // The 32-bit rundll32.exe of a 64-bit Windows lives outside the system
    // directory the program is told about; either suffix names a real host.
    EXPECT_TRUE(fileVersion == fileVersion_ + L" ( Control panel applet )" ||
                fileVersion == fileVersion_ + L" ( Application )")
        << "file version label: " << std::string(fileVersion.begin(), fileVersion.end());
  }

  static bool RunsAs32BitOn64BitWindows() {
    const char* arch = std::getenv("VARNOX_PREFIX_ARCH");
    return sizeof(void*) == 4 && arch && std::string(arch) == "win64";
  }

  std::string library_;
  std::wstring productVersion_, fileVersion_, copyright_;
};

TEST_F(HostedApplet, ControlPanelHostShowsTheLibrarysVersion) {
  WithHostedWindow(SystemDirectory() + "\\control.exe " + library_,
                   [&](UiDriver& ui) { ExpectOwnVersion(ui, L" ( Application )"); });
}

// Wine's Control Panel declares no Windows newer than 8, so GetVersionEx
// answers it 6.2.9200 on Windows 11; the applet names the true release.
TEST_F(HostedApplet, ControlPanelHostOnWindows11ShowsTheTrueRelease) {
  const char* version = std::getenv("VARNOX_WINVER");
  if (!version || std::string(version) != "win11") GTEST_SKIP() << "Windows 11 only";
  const bool on64 = sizeof(void*) == 8 || RunsAs32BitOn64BitWindows();
  WithHostedWindow(SystemDirectory() + "\\control.exe " + library_, [&](UiDriver& ui) {
    EXPECT_EQ(ui.Text("SysLabel"),
              on64 ? L"Microsoft Windows 11 Professional, 64 bit" : L"Microsoft Windows 11 Professional, 32 bit");
    EXPECT_EQ(ui.Text("SysVerLabel"), L"Version 10.0 ( Build 22631.4602, 23H2 )");
  });
}

TEST_F(HostedApplet, Rundll32HostShowsTheLibrarysVersion) {
  WithHostedWindow(SystemDirectory() + "\\rundll32.exe shell32.dll,Control_RunDLL " + library_ + ",Varnox",
                   [&](UiDriver& ui) { ExpectOwnVersion(ui, L" ( Control panel applet )"); });
}

}  // namespace
}  // namespace varnox::test
