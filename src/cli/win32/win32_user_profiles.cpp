#include "cli/win32/win32_user_profiles.h"

#include <windows.h>

#include "base/concat.h"
#include "platform/win32/look_up.h"
#include "platform/win32/win32_registry.h"
#include "settings/user_hive_registry.h"

namespace varnox::cli {

namespace {

constexpr char kProfileList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr char kSystemSid[] = "S-1-5-18";

using OpenProcessTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
using LookupPrivilegeValueAFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, PLUID);
using AdjustTokenPrivilegesFn = BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
using LookupAccountNameAFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, PSID, LPDWORD, LPSTR, LPDWORD, PSID_NAME_USE);

// A SID as text ("S-1-5-21-..."), written out here: the call that does it
// came with Windows 2000.
std::string SidText(PSID sid) {
  const SID_IDENTIFIER_AUTHORITY* authority = GetSidIdentifierAuthority(sid);
  unsigned long long value = 0;
  for (BYTE part : authority->Value) value = value << 8 | part;
  std::string text = Concat({"S-1-", std::to_string(value)});
  const UCHAR count = *GetSidSubAuthorityCount(sid);
  for (UCHAR i = 0; i < count; ++i) text += Concat({"-", std::to_string(*GetSidSubAuthority(sid, i))});
  return text;
}

bool LooksLikeSid(const std::string& text) {
  return text.size() > 4 && (text[0] == 'S' || text[0] == 's') && text[1] == '-';
}

std::optional<std::string> SidOfName(const std::string& name) {
  const auto lookUp = LookUp<LookupAccountNameAFn>("advapi32.dll", "LookupAccountNameA");
  if (!lookUp) return std::nullopt;
  std::vector<unsigned char> sid(SECURITY_MAX_SID_SIZE);
  DWORD sidSize = static_cast<DWORD>(sid.size());
  char domain[256] = {};
  DWORD domainSize = sizeof domain;
  SID_NAME_USE use{};
  if (!lookUp(nullptr, name.c_str(), sid.data(), &sidSize, domain, &domainSize, &use)) return std::nullopt;
  return SidText(sid.data());
}

// Loading and unloading hives takes these two rights, which administrators
// and the system account hold but have switched off.
bool EnableHiveRights() {
  const auto openToken = LookUp<OpenProcessTokenFn>("advapi32.dll", "OpenProcessToken");
  const auto lookUpPrivilege = LookUp<LookupPrivilegeValueAFn>("advapi32.dll", "LookupPrivilegeValueA");
  const auto adjust = LookUp<AdjustTokenPrivilegesFn>("advapi32.dll", "AdjustTokenPrivileges");
  if (!openToken || !lookUpPrivilege || !adjust) return false;
  HANDLE token = nullptr;
  if (!openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  bool enabled = true;
  for (const char* right : {"SeRestorePrivilege", "SeBackupPrivilege"}) {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!lookUpPrivilege(nullptr, right, &privileges.Privileges[0].Luid) ||
        !adjust(token, FALSE, &privileges, 0, nullptr, nullptr) || GetLastError() != ERROR_SUCCESS) {
      enabled = false;
    }
  }
  CloseHandle(token);
  return enabled;
}

// A text value of the machine's registry, environment variables expanded.
std::optional<std::string> MachineText(RegistryApi& registry, const std::string& path, const std::string& name) {
  RegKey key = 0;
  if (registry.OpenKey(kHkeyLocalMachine, path, kKeyRead, &key) != kErrorSuccess) return std::nullopt;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  std::optional<std::string> text;
  if (registry.QueryValue(key, name, &type, nullptr, &size) == kErrorSuccess &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0 && size < 32768) {
    std::string data(size, '\0');
    if (registry.QueryValue(key, name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size) == kErrorSuccess) {
      data.resize(std::min<std::size_t>(size, data.size()));
      while (!data.empty() && data.back() == '\0') data.pop_back();
      char expanded[32768];
      const DWORD length = ExpandEnvironmentStringsA(data.c_str(), expanded, sizeof expanded);
      text = length > 0 && length <= sizeof expanded ? std::string(expanded) : data;
    }
  }
  registry.CloseKey(key);
  return text;
}

// A hive that is loaded already: its user is logged on.
class LoadedHive final : public ProfileHive {
 public:
  LoadedHive(RegistryApi& machine, const std::string& keyName, std::string whose)
      : registry_(machine, keyName), whose_(std::move(whose)) {}
  std::string Whose() const override { return whose_; }
  RegistryApi& Registry() override { return registry_; }

 private:
  UserHiveRegistry registry_;
  std::string whose_;
};

// A hive loaded from its file for the run, unloaded when it goes.
class FileHive final : public ProfileHive {
 public:
  FileHive(RegistryApi& machine, std::string keyName, std::string whose)
      : keyName_(std::move(keyName)), registry_(machine, keyName_), whose_(std::move(whose)) {}
  ~FileHive() override { RegUnLoadKeyA(HKEY_USERS, keyName_.c_str()); }
  FileHive(const FileHive&) = delete;
  FileHive& operator=(const FileHive&) = delete;
  std::string Whose() const override { return whose_; }
  RegistryApi& Registry() override { return registry_; }

 private:
  std::string keyName_;
  UserHiveRegistry registry_;
  std::string whose_;
};

}  // namespace

std::unique_ptr<ProfileHive> Win32UserProfiles::Open(const std::string& nameOrSid) {
  std::string sid = nameOrSid;
  if (!LooksLikeSid(nameOrSid)) {
    const auto found = SidOfName(nameOrSid);
    if (!found) throw ProfileError(Concat({"no local user named ", nameOrSid}));
    sid = *found;
  }
  const auto name = system_.AccountName(sid);
  const std::string whose = name ? Concat({"user ", *name, " (", sid, ")"}) : Concat({"user ", sid});
  RegKey key = 0;
  if (machine_.OpenKey(kHkeyUsers, sid, kKeyRead, &key) == kErrorSuccess) {
    machine_.CloseKey(key);
    return std::make_unique<LoadedHive>(machine_, sid, whose);
  }
  const auto folder = MachineText(machine_, Concat({kProfileList, "\\", sid}), "ProfileImagePath");
  if (!folder) throw ProfileError(Concat({"no profile of ", nameOrSid, " on this machine"}));
  return LoadHive(*folder, whose);
}

std::unique_ptr<ProfileHive> Win32UserProfiles::OpenDefaultUser() {
  // Vista and later name the folder; 2000 and XP name it within the
  // profiles' folder; NT 4.0 keeps it in the system's own.
  auto folder = MachineText(machine_, kProfileList, "Default");
  if (!folder) {
    const auto profiles = MachineText(machine_, kProfileList, "ProfilesDirectory");
    const auto defaultUser = MachineText(machine_, kProfileList, "DefaultUserProfile");
    if (profiles && defaultUser) folder = Concat({*profiles, "\\", *defaultUser});
  }
  if (!folder) {
    char windows[MAX_PATH] = {};
    if (GetWindowsDirectoryA(windows, MAX_PATH) > 0) folder = Concat({windows, "\\Profiles\\Default User"});
  }
  if (!folder) throw ProfileError("the default user's profile was not found");
  return LoadHive(*folder, "the default user (the profile new accounts start from)");
}

std::unique_ptr<ProfileHive> Win32UserProfiles::LoadHive(const std::string& folder, const std::string& whose) {
  const std::string file = Concat({folder, "\\NTUSER.DAT"});
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    throw ProfileError(Concat({"the profile of ", whose, " has no ", file}));
  }
  if (!EnableHiveRights()) {
    throw ProfileError(Concat({"loading the profile of ", whose, " takes an administrator's rights"}));
  }
  const std::string keyName = Concat({"VarnoxProfile-", std::to_string(GetCurrentProcessId())});
  const LONG status = RegLoadKeyA(HKEY_USERS, keyName.c_str(), file.c_str());
  if (status != ERROR_SUCCESS) {
    throw ProfileError(Concat({"cannot load ", file, ": ", system_.ErrorText(status)}));
  }
  return std::make_unique<FileHive>(machine_, keyName, whose);
}

std::vector<std::string> Win32UserProfiles::UserSids() {
  std::vector<std::string> sids;
  RegKey list = 0;
  if (machine_.OpenKey(kHkeyLocalMachine, kProfileList, kKeyRead, &list) != kErrorSuccess) return sids;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD size = sizeof name;
    if (RegEnumKeyExA(ToHkey(list), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::string sid(name, size);
    // Accounts of this machine or a domain, and of Microsoft Entra ID; not
    // the system's own service accounts.
    if (sid.rfind("S-1-5-21-", 0) == 0 || sid.rfind("S-1-12-1-", 0) == 0) sids.push_back(sid);
  }
  machine_.CloseKey(list);
  return sids;
}

bool Win32UserProfiles::RunsAsSystem() {
  const auto sid = system_.UserSid();
  return sid && *sid == kSystemSid;
}

std::string Win32UserProfiles::CurrentUser() {
  const auto name = system_.UserName();
  return name ? Concat({"the current user (", system_.AnsiToUtf8(*name), ")"}) : std::string("the current user");
}

}  // namespace varnox::cli
