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
