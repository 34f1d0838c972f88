// The window as a standard user meets it, end to end on each emulated
// version. Wine grants every account everything, so the library's registry
// imports are pointed at stand-ins that refuse write access under
// HKEY_LOCAL_MACHINE as Windows does for such an account; the elevated
// start is caught on its way into the shell (the library looks
// ShellExecuteExA up at run time, so its import of GetProcAddress is the
// one pointed at a stand-in), so nothing starts.

#include <gtest/gtest.h>
#include <windows.h>
// Needs <windows.h> first.
#include <shellapi.h>
// Needs <windows.h> first.
#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

#include "import_patch.h"
#include "page_scenario.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kLogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
constexpr char kServer[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr wchar_t kAdministratorOnly[] = L"Only an administrator can change this value";

struct ElevatedStart {
  std::string verb, file, parameters;
};
std::vector<ElevatedStart> elevatedStarts;

BOOL WINAPI RecordShellExecuteEx(SHELLEXECUTEINFOA* info) {
  elevatedStarts.push_back({info->lpVerb ? info->lpVerb : "", info->lpFile ? info->lpFile : "",
                            info->lpParameters ? info->lpParameters : ""});
  return TRUE;
}

FARPROC WINAPI LookUpWithRecorder(HMODULE module, LPCSTR name) {
  if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0 && std::strcmp(name, "ShellExecuteExA") == 0) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordShellExecuteEx));
  }
  return GetProcAddress(module, name);
}

// The Open dialog's answer.
BOOL WINAPI AnswerOpenDialog(OPENFILENAMEW* dialog) {
  lstrcpynW(dialog->lpstrFile, L"C:\\test\\foreign.reg", static_cast<int>(dialog->nMaxFile));
  return TRUE;
}

bool WaitUntilClosed(HWND form) {
  for (int i = 0; i < 250 && IsWindow(form) && IsWindowVisible(form); ++i) Sleep(20);
  return !IsWindow(form) || !IsWindowVisible(form);
}

class StandardUser : public PageScenario {
 protected:
  void SetUp() override {
    PageScenario::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(RefuseLocalMachineChanges(cpl_.Module()));
    ASSERT_TRUE(
        PatchImport(cpl_.Module(), "kernel32.dll", "GetProcAddress", reinterpret_cast<void*>(&LookUpWithRecorder)));
    elevatedStarts.clear();
    ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, kLogon, "DefaultUserName", "Alice"));
    ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, kLogon, "AutoAdminLogon", "1"));
    ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, kServer, "DiskSpaceThreshold", 15));
  }
};

TEST_F(StandardUser, SeesTheStoredValuesChangesOnlyItsOwnSettingsAndIsToldWhy) {
  const auto machineBefore = ValuesOf(HKEY_LOCAL_MACHINE, kLogon);
  Run([](UiDriver& ui) {
    EXPECT_TRUE(ui.Visible("btnRunAsAdmin"));
    EXPECT_EQ(ui.Text("btnRunAsAdmin"), L"Run as administrator");
    ui.SelectTab("PageControl", L"Logon");
    EXPECT_EQ(ui.Text("LoginNameEdit"), L"Alice");
    EXPECT_FALSE(ui.Enabled("LoginNameEdit"));
    EXPECT_EQ(ui.CheckState("cbEnableAutoLogon"), BST_CHECKED);
    for (const char* name : {"cbEnableAutoLogon", "cbDisableCAD", "cbClearPageFileAtShutdown"}) {
      EXPECT_FALSE(ui.Enabled(name)) << name;
    }
    EXPECT_TRUE(ui.Enabled("edHungApplication")) << "the user's own settings stay editable";
    ui.Click("cbDisableCAD");  // refused by the disabled box
    ui.ArrowClick("udHungApplication", true);

    ui.SelectTab("PageControl", L"Network");
    EXPECT_EQ(ui.Text("edDiskAlert"), L"15");
    EXPECT_EQ(ui.Text("lblDiskAlert"), kAdministratorOnly);
    EXPECT_FALSE(ui.Enabled("sbCreateDiskAlert"));
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "HungAppTimeout"), "5001");
  EXPECT_EQ(ValuesOf(HKEY_LOCAL_MACHINE, kLogon), machineBefore);
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kServer, "DiskSpaceThreshold"), 15u);
}

// A file of another machine opened by a standard user: its own setting
// shows as changed; what the window does not manage, a key deletion, a value
// under another root, a machine-wide value and a line it cannot read are
// each named, and nothing is written.
TEST_F(StandardUser, OpensAFileAndNamesEachEntryItLeavesOut) {
  ASSERT_TRUE(
      PatchImport(cpl_.Module(), "comdlg32.dll", "GetOpenFileNameW", reinterpret_cast<void*>(&AnswerOpenDialog)));
  CreateDirectoryA("C:\\test", nullptr);
  const char file[] =
      "REGEDIT4\r\n\r\n; from the reference machine\r\n\r\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"HungAppTimeout\"=\"4321\"\r\n\"Foreign\"=\"x\"\r\n\r\n"
      "[-HKEY_CURRENT_USER\\Software\\Varnox Test]\r\n\r\n"
      "[HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop]\r\n\"HungAppTimeout\"=\"1\"\r\n\r\n"
      "[HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon]\r\n\"DefaultUserName\"=\"Bob\"\r\n"
      "\"AutoAdminLogon\"=dword:1x\r\n";
  const HANDLE out = CreateFileA("C:\\test\\foreign.reg", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(out, file, sizeof file - 1, &written, nullptr);
  CloseHandle(out);
  const auto machineBefore = ValuesOf(HKEY_LOCAL_MACHINE, kLogon);
  const auto ownBefore = ValuesOf(HKEY_CURRENT_USER, kDesktop);
  Run([&](UiDriver& ui) {
    ui.Click("OptionsBtn");
    PostMessageW(ui.Find("btnOpenSettings"), BM_CLICK, 0, 0);
    const std::wstring message = ui.DismissMessageBox(30000);
    for (const wchar_t* part :
         {L"from the reference machine", L"1 settings changed in the window",
          L"line 7: HKEY_CURRENT_USER\\Control Panel\\Desktop\\Foreign: not a value this window manages",
          L"line 9: [-HKEY_CURRENT_USER\\Software\\Varnox Test]: a key deletion",
          L"line 12: HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop\\HungAppTimeout: under a root key",
          L"line 15: HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon\\DefaultUserName: "
          L"a machine-wide value only an administrator can change",
          L"line 16: unreadable: dword: needs 1 to 8 hexadecimal digits"}) {
      EXPECT_NE(message.find(part), std::wstring::npos) << part << "\n in: " << message;
    }
    EXPECT_EQ(ValuesOf(HKEY_CURRENT_USER, kDesktop), ownBefore) << "nothing is written before OK";
    EXPECT_TRUE(ui.Enabled("ApplyBtn"));
    ui.SelectTab("PageControl", L"Logon");
    EXPECT_EQ(ui.Text("edHungApplication"), L"4321");
    EXPECT_EQ(ui.Text("LoginNameEdit"), L"Alice");
    ui.Click("CancelBtn");
  });
  EXPECT_EQ(ValuesOf(HKEY_CURRENT_USER, kDesktop), ownBefore) << "Cancel leaves everything";
  EXPECT_EQ(ValuesOf(HKEY_LOCAL_MACHINE, kLogon), machineBefore);
}

TEST_F(StandardUser, RunAsAdministratorStartsTheAppletElevatedOrSaysHowOnNT4) {
  const bool nt4 = Version() == "nt40";
  Run([nt4](UiDriver& ui) {
    // Posted: on NT 4.0 the click answers with a message box, which this
    // thread must be free to read.
    PostMessageW(ui.Find("btnRunAsAdmin"), BM_CLICK, 0, 0);
    if (nt4) {
      EXPECT_EQ(ui.DismissMessageBox(), L"Log on as an administrator to change these settings.");
      EXPECT_TRUE(IsWindowVisible(ui.Form())) << "the window stays";
      ui.Click("CancelBtn");
    } else {
      EXPECT_TRUE(WaitUntilClosed(ui.Form())) << "the window gives way to the elevated one";
    }
  });
  if (nt4) {
    EXPECT_TRUE(elevatedStarts.empty());
    return;
  }
  ASSERT_EQ(elevatedStarts.size(), 1u);
  char library[MAX_PATH] = {};
  GetModuleFileNameA(cpl_.Module(), library, MAX_PATH);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(elevatedStarts[0].verb, "runas");
  EXPECT_EQ(elevatedStarts[0].file, std::string(system) + "\\rundll32.exe");
  const std::string expected = "shell32.dll,Control_RunDLL \"" + std::string(library) + "\",Varnox,/user:S-1-5-";
  EXPECT_EQ(elevatedStarts[0].parameters.substr(0, expected.size()), expected);
}

// A window started for another user (the parameter an elevated start
// carries) shows and saves that user's hive, not the running account's.
TEST_F(StandardUser, AWindowStartedForAnotherUserKeepsToThatUsersSettings) {
  const std::string hive = "S-1-5-21-71-72-73-1001\\";
  HKEY made = nullptr;
  ASSERT_EQ(
      RegCreateKeyExA(HKEY_USERS, (hive + kDesktop).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made, nullptr),
      ERROR_SUCCESS);
  RegCloseKey(made);
  ASSERT_TRUE(SetString(HKEY_USERS, hive + kDesktop, "HungAppTimeout", "7000"));
  ASSERT_TRUE(SetString(HKEY_USERS, hive + kDesktop, "WaitToKillAppTimeout", "9000"));
  const auto ownBefore = ValuesOf(HKEY_CURRENT_USER, kDesktop);
  LONG answer = 0;
  const bool ran = RunAppletWithParameter(
      cpl_, L"/user:S-1-5-21-71-72-73-1001",
      [](UiDriver& ui) {
        ui.SelectTab("PageControl", L"Logon");
        EXPECT_EQ(ui.Text("edHungApplication"), L"7000");
        ui.ArrowClick("udWaitToKillApp", false);
        ui.Click("ApplyBtn");
      },
      answer);
  EXPECT_TRUE(ran);
  EXPECT_EQ(answer, 1) << "the applet took the start itself";
  EXPECT_EQ(ReadString(HKEY_USERS, hive + kDesktop, "WaitToKillAppTimeout"), "8999");
  EXPECT_EQ(ValuesOf(HKEY_CURRENT_USER, kDesktop), ownBefore);
}

}  // namespace
}  // namespace varnox::test
