// varnox.exe end to end in a prefix of the version under test, its output
// captured as an agent captures it: the report against the registry value by
// value, a backup that checks compliant until another program changes a
// value, apply and a second apply that writes nothing, every baseline form,
// another user's settings (a logged-on hive, and one loaded from its file),
// a standard user's refused apply, and bad input that changes nothing.

#include <gtest/gtest.h>
#include <windows.h>
// Needs <windows.h> first.
#include <aclapi.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "registry_dump.h"
#include "registry_probe.h"
#include "settings/lgpo_text.h"
#include "settings/policy_file.h"
#include "settings/reg_file_writer.h"

namespace varnox::test {
namespace {

constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kProfileList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
// A user who is not logged on: a profile folder with its hive file.
constexpr char kOtherSid[] = "S-1-5-21-1111-2222-3333-1500";
constexpr char kOtherFolder[] = "C:\\users\\other";

const AnsiCodec kSame{[](const std::string& text) { return text; }, [](const std::string& text) { return text; }};

struct Outcome {
  DWORD exit = 0;
  std::string out;
  std::string err;
  std::string LastLine() const {
    std::string text = out;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const auto newline = text.rfind('\n');
    return newline == std::string::npos ? text : text.substr(newline + 1);
  }
};

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteAll(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

void WriteAll(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// Runs varnox.exe from this folder with its output into files, as an agent
// that reads both streams does.
Outcome Varnox(const std::string& arguments) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const auto open = [&](const char* path) {
    return CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE out = open("C:\\test\\out.txt");
  HANDLE err = open("C:\\test\\err.txt");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = out;
  startup.hStdError = err;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::string command = "C:\\test\\varnox.exe " + arguments;
  PROCESS_INFORMATION process{};
  Outcome run;
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, "C:\\test", &startup, &process)) {
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &run.exit);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    run.exit = 0xDEAD;
  }
  CloseHandle(out);
  CloseHandle(err);
  run.out = ReadAll("C:\\test\\out.txt");
  run.err = ReadAll("C:\\test\\err.txt");
  return run;
}

RegistryEdit Set(RegKey root, const std::string& key, const std::string& name, const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return {RegistryEdit::Kind::SetValue, root, key, name, kRegSz, data};
}

void WriteReg(const std::string& path, const std::vector<RegistryEdit>& edits, RegFileFormat format) {
  WriteAll(path, RegFileBytes(format, edits, kSame));
}

// This user's SID as text, written out here: the call that does it is not
// declared for the oldest Windows this builds for.
std::string OwnSid() {
  HANDLE token = nullptr;
  OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
  BYTE buffer[256];
  DWORD size = sizeof buffer;
  GetTokenInformation(token, TokenUser, buffer, size, &size);
  CloseHandle(token);
  const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid;
  unsigned long long authority = 0;
  for (BYTE part : GetSidIdentifierAuthority(sid)->Value) authority = authority << 8 | part;
  std::string text = "S-1-" + std::to_string(authority);
  for (UCHAR i = 0; i < *GetSidSubAuthorityCount(sid); ++i) text += "-" + std::to_string(*GetSidSubAuthority(sid, i));
  return text;
}

bool EnablePrivilege(const char* name) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token)) return false;
  TOKEN_PRIVILEGES privileges{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
  LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid);
  const bool done = AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  CloseHandle(token);
  return done;
}

// Another user's profile that is not loaded: this user's hive saved as its
// file, listed in the profile list.
void MakeOtherProfile() {
  EnablePrivilege("SeBackupPrivilege");
  EnablePrivilege("SeRestorePrivilege");
  CreateDirectoryA("C:\\users", nullptr);
  CreateDirectoryA(kOtherFolder, nullptr);
  const std::string file = std::string(kOtherFolder) + "\\NTUSER.DAT";
  DeleteFileA(file.c_str());
  HKEY user = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "", 0, KEY_READ, &user), ERROR_SUCCESS);
  ASSERT_EQ(RegSaveKeyA(user, file.c_str(), nullptr), ERROR_SUCCESS);
  RegCloseKey(user);
  HKEY profile = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kProfileList) + "\\" + kOtherSid).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &profile, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(profile, "ProfileImagePath", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(kOtherFolder),
                 sizeof kOtherFolder);
  RegCloseKey(profile);
}

// A value of the other user's hive file, read by loading it for a moment.
std::optional<std::string> OtherUsersString(const std::string& path, const std::string& name) {
  const std::string file = std::string(kOtherFolder) + "\\NTUSER.DAT";
  if (RegLoadKeyA(HKEY_USERS, "VarnoxTestProbe", file.c_str()) != ERROR_SUCCESS) return std::nullopt;
  auto value = ReadString(HKEY_USERS, "VarnoxTestProbe\\" + path, name);
  RegUnLoadKeyA(HKEY_USERS, "VarnoxTestProbe");
  return value;
}

// A 32-bit test on 64-bit Windows reads the 64-bit view, which Windows reads
// and the program must too.
std::map<std::string, RegistryData> NativeValuesOf(HKEY root, const std::string& path) {
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  return ValuesOf(root, path, wow64 ? KEY_WOW64_64KEY : 0);
}

// The report alone, for the 32-bit program in a 64-bit prefix.
bool ReportOnly() { return std::getenv("VARNOX_CLI_REPORT_ONLY") != nullptr; }

TEST(CommandLine, ReportsEveryValueAsTheRegistryHoldsIt) {
  const Outcome json = Varnox("report --json");
  ASSERT_EQ(json.exit, 0u) << json.err;
  const auto report = nlohmann::json::parse(json.out);
  const auto& rows = report["values"];
  ASSERT_GT(rows.size(), 40u);
  int compared = 0;
  for (const auto& row : rows) {
    const std::string key = row["key"];
    if (key.empty()) continue;
    const HKEY root = row["root"] == "HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    const std::string name = row["value"];
    const auto values = NativeValuesOf(root, key);
    const auto stored = std::find_if(values.begin(), values.end(),
                                     [&](const auto& v) { return lstrcmpiA(v.first.c_str(), name.c_str()) == 0; });
    EXPECT_EQ(row["present"].get<bool>(), stored != values.end()) << key << "\\" << name;
    if (stored == values.end() || name == "DefaultPassword") continue;
    const RegistryData& data = stored->second;
    if (data.type == REG_DWORD && data.bytes.size() == 4) {
      DWORD number = 0;
      std::memcpy(&number, data.bytes.data(), 4);
      EXPECT_EQ(row["data"], std::to_string(number)) << name;
      ++compared;
    } else if (data.type == REG_SZ || data.type == REG_EXPAND_SZ) {
      EXPECT_EQ(row["data"], std::string(reinterpret_cast<const char*>(data.bytes.data()))) << name;
      ++compared;
    }
  }
  EXPECT_GT(compared, 20);
  const Outcome csv = Varnox("report --csv");
  ASSERT_EQ(csv.exit, 0u);
  EXPECT_EQ(static_cast<std::size_t>(std::count(csv.out.begin(), csv.out.end(), '\n')), rows.size() + 1);
}

TEST(CommandLine, NeverPrintsThePassword) {
  if (ReportOnly()) GTEST_SKIP();
  ASSERT_TRUE(SetString(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultPassword", "hunter2-secret"));
  WriteReg("C:\\test\\password.reg", {Set(kHkeyLocalMachine, kWinlogon, "DefaultPassword", "other-secret")},
           RegFileFormat::Regedit4);
  for (const char* arguments : {"report", "report --json", "report --csv", "check C:\\test\\password.reg",
                                "apply --what-if C:\\test\\password.reg"}) {
    const Outcome run = Varnox(arguments);
    // The window cannot take the file's password while autologon is off:
    // bad input, but never printed either.
    EXPECT_LE(run.exit, 2u) << arguments << run.err;
    for (const char* secret : {"hunter2", "other-secret"}) {
      EXPECT_EQ((run.out + run.err).find(secret), std::string::npos) << arguments;
    }
  }
}

TEST(CommandLine, BackupCheckDriftApplyAndASecondApplyThatWritesNothing) {
  if (ReportOnly()) GTEST_SKIP();
  Outcome run = Varnox("backup C:\\test\\backup.reg");
  ASSERT_EQ(run.exit, 0u) << run.err;
  run = Varnox("check C:\\test\\backup.reg");
  ASSERT_EQ(run.exit, 0u) << run.out << run.err;
  const std::string compliant = run.LastLine();
  EXPECT_EQ(compliant.rfind("COMPLIANT ", 0), 0u) << compliant;

  // Another program changes one managed value.
  ASSERT_TRUE(SetString(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay", "100"));
  run = Varnox("check C:\\test\\backup.reg --json C:\\test\\details.json");
  EXPECT_EQ(run.exit, 1u);
  EXPECT_NE(run.LastLine().find("MenuShowDelay=100 (want 400)"), std::string::npos) << run.LastLine();
  EXPECT_EQ(nlohmann::json::parse(ReadAll("C:\\test\\details.json"))["result"], run.LastLine());

  const Dump drifted = DumpRegistry();
  run = Varnox("apply C:\\test\\backup.reg --what-if");
  EXPECT_EQ(run.exit, 0u);
  EXPECT_EQ(run.LastLine(), "WOULD CHANGE 1");
  EXPECT_TRUE(Differences(drifted, DumpRegistry()).empty());

  run = Varnox("apply C:\\test\\backup.reg");
  EXPECT_EQ(run.exit, 0u) << run.err;
  EXPECT_EQ(run.LastLine(), "CHANGED 1");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay"), "400");
  run = Varnox("check C:\\test\\backup.reg");
  EXPECT_EQ(run.exit, 0u);
  EXPECT_EQ(run.LastLine(), compliant);

  const Dump applied = DumpRegistry();
  run = Varnox("apply C:\\test\\backup.reg");
  EXPECT_EQ(run.exit, 0u);
  EXPECT_EQ(run.LastLine(), "UNCHANGED");
  EXPECT_TRUE(Differences(applied, DumpRegistry()).empty());
}

TEST(CommandLine, EveryBaselineFormGivesTheSameResult) {
  if (ReportOnly()) GTEST_SKIP();
  const std::vector<RegistryEdit> wanted = {Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "250")};
  WriteReg("C:\\test\\wanted4.reg", wanted, RegFileFormat::Regedit4);
  WriteReg("C:\\test\\wanted5.reg", wanted, RegFileFormat::Version5);
  WriteAll("C:\\test\\wanted.txt", LgpoText(wanted, kSame));
  CreateDirectoryA("C:\\test\\gpo", nullptr);
  CreateDirectoryA("C:\\test\\gpo\\User", nullptr);
  WriteAll("C:\\test\\gpo\\User\\Registry.pol", *MergePolicyFile({}, wanted, kSame));
  const Dump before = DumpRegistry();
  for (const char* file : {"wanted4.reg", "wanted5.reg", "wanted.txt", "gpo\\User\\Registry.pol"}) {
    const Outcome check = Varnox(std::string("check C:\\test\\") + file);
    EXPECT_EQ(check.exit, 1u) << file << check.err;
    EXPECT_EQ(check.LastLine(), "NONCOMPLIANT 1 of 1: MenuShowDelay=400 (want 250)") << file;
    const Outcome whatIf = Varnox(std::string("apply --what-if C:\\test\\") + file);
    EXPECT_EQ(whatIf.LastLine(), "WOULD CHANGE 1") << file;
  }
  EXPECT_TRUE(Differences(before, DumpRegistry()).empty());
  const Outcome apply = Varnox("apply C:\\test\\gpo\\User\\Registry.pol");
  EXPECT_EQ(apply.exit, 0u) << apply.err;
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay"), "250");
}

TEST(CommandLine, OtherUsersSettingsLoggedOnOrLoadedFromTheirFile) {
  if (ReportOnly()) GTEST_SKIP();
  WriteReg("C:\\test\\user.reg", {Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "300")}, RegFileFormat::Regedit4);
  // A logged-on user: the hive under HKEY_USERS.
  Outcome run = Varnox("apply C:\\test\\user.reg --user " + OwnSid());
  EXPECT_EQ(run.exit, 0u) << run.out << run.err;
  EXPECT_NE(run.out.find("user "), std::string::npos);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay"), "300");

  // A user who is not: the hive file loaded for the run and unloaded after.
  // This user's own value differs from then on, so that a value read shows
  // whose hive it came from. Wine 8 does not write a loaded hive back to its
  // file when it is unloaded, as Windows does: what apply wrote there cannot
  // be read back afterwards, so its output and this user's hive say it.
  MakeOtherProfile();
  ASSERT_EQ(OtherUsersString(kDesktop, "MenuShowDelay"), "300");
  ASSERT_TRUE(SetString(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay", "111"));
  WriteReg("C:\\test\\other.reg", {Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "350")}, RegFileFormat::Regedit4);
  run = Varnox(std::string("check C:\\test\\other.reg --user ") + kOtherSid);
  EXPECT_EQ(run.exit, 1u) << run.out << run.err;
  EXPECT_EQ(run.LastLine(), "NONCOMPLIANT 1 of 1: MenuShowDelay=300 (want 350)");
  EXPECT_NE(run.out.find(std::string("user ") + kOtherSid), std::string::npos) << run.out;
  run = Varnox(std::string("apply C:\\test\\other.reg --user ") + kOtherSid);
  EXPECT_EQ(run.exit, 0u) << run.out << run.err;
  EXPECT_EQ(run.LastLine(), "CHANGED 1");
  EXPECT_NE(run.out.find("MenuShowDelay: REG_SZ 300 -> REG_SZ 350"), std::string::npos) << run.out;
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "MenuShowDelay"), "111");
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD size = sizeof name;
    if (RegEnumKeyExA(HKEY_USERS, index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    EXPECT_NE(std::string(name, size).rfind("VarnoxProfile", 0), 0u) << "left loaded: " << name;
  }

  // Every profile the machine lists, the other one among them.
  WriteReg("C:\\test\\all.reg", {Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "320")}, RegFileFormat::Regedit4);
  run = Varnox("check C:\\test\\all.reg --all-users");
  EXPECT_EQ(run.exit, 1u) << run.out << run.err;
  EXPECT_NE(run.out.find(std::string("user ") + kOtherSid + ": MenuShowDelay=300 (want 320)"), std::string::npos)
      << run.out;
  run = Varnox("apply C:\\test\\all.reg --all-users");
  EXPECT_EQ(run.exit, 0u) << run.out << run.err;

  run = Varnox("report --user S-1-5-21-9-9-9-9");
  EXPECT_EQ(run.exit, 2u);
  EXPECT_NE(run.LastLine().find("no profile of S-1-5-21-9-9-9-9"), std::string::npos) << run.LastLine();
}

// Wine gives every account every right; a key whose list grants everyone
// reading alone stands for a machine key as a standard user meets it.
void MakeReadOnly(const std::string& path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  EXPLICIT_ACCESSA access{};
  access.grfAccessPermissions = KEY_READ;
  access.grfAccessMode = SET_ACCESS;
  access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
  access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  access.Trustee.ptstrName = static_cast<LPSTR>(everyone);
  PACL list = nullptr;
  ASSERT_EQ(SetEntriesInAclA(1, &access, nullptr, &list), ERROR_SUCCESS);
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE);
  ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor), ERROR_SUCCESS);
  RegCloseKey(key);
  LocalFree(list);
  FreeSid(everyone);
  HKEY probe = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &probe), ERROR_ACCESS_DENIED);
}

TEST(CommandLine, AStandardUsersApplyOfMachineValuesWritesNothing) {
  if (ReportOnly()) GTEST_SKIP();
  MakeReadOnly(kWinlogon);
  WriteReg("C:\\test\\machine.reg",
           {Set(kHkeyLocalMachine, kWinlogon, "DontDisplayLastUserName", "1"),
            Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "200")},
           RegFileFormat::Regedit4);
  const Dump before = DumpRegistry();
  const Outcome run = Varnox("apply C:\\test\\machine.reg");
  EXPECT_EQ(run.exit, 3u) << run.out << run.err;
  EXPECT_EQ(run.LastLine(), "FAILED: nothing written; only an administrator can change DontDisplayLastUserName");
  EXPECT_TRUE(Differences(before, DumpRegistry()).empty());
}

TEST(CommandLine, BadInputChangesNothingAndSaysWhy) {
  if (ReportOnly()) GTEST_SKIP();
  WriteAll("C:\\test\\unreadable.reg",
           "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"MenuShowDelay\"=dword:zz\r\n");
  WriteReg("C:\\test\\range.reg", {Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "99999999")},
           RegFileFormat::Regedit4);
  WriteAll("C:\\test\\lying.reg", *MergePolicyFile({}, {Set(kHkeyCurrentUser, kDesktop, "X", "1")}, kSame));
  WriteAll("C:\\test\\cut.txt", "Computer\r\nSoftware\\X\r\n");
  const Dump before = DumpRegistry();
  const struct {
    const char* arguments;
    const char* says;
  } cases[] = {
      {"apply C:\\test\\unreadable.reg", "line 4"},
      {"apply C:\\test\\range.reg", "MenuShowDelay"},
      {"apply C:\\test\\lying.reg", "not a registry file"},
      {"apply C:\\test\\cut.txt", "cut.txt"},
      {"apply C:\\test\\missing.reg", "cannot read"},
      {"apply", "INVALID command line"},
      {"frobnicate", "INVALID command line"},
      {"check C:\\test\\range.reg --sideways", "INVALID command line"},
  };
  for (const auto& c : cases) {
    const Outcome run = Varnox(c.arguments);
    EXPECT_EQ(run.exit, 2u) << c.arguments << "\n" << run.out << run.err;
    EXPECT_NE(run.LastLine().find(c.says), std::string::npos) << c.arguments << ": " << run.LastLine();
    EXPECT_FALSE(run.err.empty()) << c.arguments;
  }
  EXPECT_TRUE(Differences(before, DumpRegistry()).empty());
}

}  // namespace
}  // namespace varnox::test
