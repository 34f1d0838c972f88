// Starting a program with an administrator's rights, and the identity of the
// process's user. Every call here is newer than, or missing from the import
// list of, Windows NT 4.0: all are looked up at run time.

#include <windows.h>
// These need <windows.h> first.
#include <shellapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/look_up.h"
#include "platform/win32/win32_system.h"

namespace varnox {

namespace {

using ShellExecuteExAFn = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
using OpenProcessTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE*);
using GetTokenInformationFn = BOOL(WINAPI*)(HANDLE, TOKEN_INFORMATION_CLASS, void*, DWORD, DWORD*);
using ConvertSidToStringSidAFn = BOOL(WINAPI*)(PSID, char**);
using LocalFreeFn = HLOCAL(WINAPI*)(HLOCAL);
using ConvertStringSidToSidAFn = BOOL(WINAPI*)(const char*, PSID*);
using LookupAccountSidAFn = BOOL(WINAPI*)(const char*, PSID, char*, DWORD*, char*, DWORD*, SID_NAME_USE*);

// A token handle closed on every path.
struct TokenHandle {
  HANDLE handle = nullptr;
  ~TokenHandle() {
    if (handle) CloseHandle(handle);
  }
};

}  // namespace

long Win32System::StartAsAdministrator(const std::string& program, const std::string& parameters) {
  const auto shellExecuteEx = LookUp<ShellExecuteExAFn>("shell32.dll", "ShellExecuteExA");
  if (!shellExecuteEx) return ERROR_CALL_NOT_IMPLEMENTED;
  SHELLEXECUTEINFOA info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  // The window reports a failure itself, in its own words.
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "runas";
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (shellExecuteEx(&info)) return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? static_cast<long>(error) : ERROR_GEN_FAILURE;
}

std::optional<std::string> Win32System::UserSid() {
  const auto openProcessToken = LookUp<OpenProcessTokenFn>("advapi32.dll", "OpenProcessToken");
  const auto getTokenInformation = LookUp<GetTokenInformationFn>("advapi32.dll", "GetTokenInformation");
  const auto convertSid = LookUp<ConvertSidToStringSidAFn>("advapi32.dll", "ConvertSidToStringSidA");
  const auto localFree = LookUp<LocalFreeFn>("kernel32.dll", "LocalFree");
  if (!openProcessToken || !getTokenInformation || !convertSid || !localFree) return std::nullopt;

  TokenHandle token;
  if (!openProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token.handle)) return std::nullopt;
  DWORD size = 0;
  getTokenInformation(token.handle, TokenUser, nullptr, 0, &size);
  if (size < sizeof(TOKEN_USER) || size > 4096) return std::nullopt;
  std::vector<unsigned char> buffer(size);
  if (!getTokenInformation(token.handle, TokenUser, buffer.data(), size, &size)) return std::nullopt;
  TOKEN_USER user;
  std::memcpy(&user, buffer.data(), sizeof user);
  char* text = nullptr;
  if (!convertSid(user.User.Sid, &text) || text == nullptr) return std::nullopt;
  std::string sid(text);
  localFree(text);
  return sid;
}

std::optional<std::string> Win32System::AccountName(const std::string& sid) {
  const auto toSid = LookUp<ConvertStringSidToSidAFn>("advapi32.dll", "ConvertStringSidToSidA");
  const auto lookUpAccount = LookUp<LookupAccountSidAFn>("advapi32.dll", "LookupAccountSidA");
  const auto localFree = LookUp<LocalFreeFn>("kernel32.dll", "LocalFree");
  if (!toSid || !lookUpAccount || !localFree) return std::nullopt;
  PSID binary = nullptr;
  if (!toSid(sid.c_str(), &binary) || binary == nullptr) return std::nullopt;
  char name[257] = {};
  char domain[257] = {};
  DWORD nameSize = sizeof name;
  DWORD domainSize = sizeof domain;
  SID_NAME_USE use{};
  const bool found = lookUpAccount(nullptr, binary, name, &nameSize, domain, &domainSize, &use) != FALSE;
  localFree(binary);
  if (!found) return std::nullopt;
  return std::string(name);
}

}  // namespace varnox
