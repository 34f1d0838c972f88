#include "platform/win32/win32_registry.h"

namespace varnox {

namespace {

constexpr DWORD kKeyWow64SixtyFourKey = 0x0100;

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);

bool RunsUnderWow64() {
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel == nullptr) return false;
  // Through void(*)() so that the compiler accepts the change of signature.
  const auto isWow64Process =
      reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void (*)()>(GetProcAddress(kernel, "IsWow64Process")));
  if (isWow64Process == nullptr) return false;
  BOOL wow64 = FALSE;
  return isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

RegKey FromHkey(HKEY key) { return reinterpret_cast<RegKey>(key); }

}  // namespace

HKEY ToHkey(RegKey key) {
  if (key == kHkeyCurrentUser) return HKEY_CURRENT_USER;
  if (key == kHkeyLocalMachine) return HKEY_LOCAL_MACHINE;
  if (key == kHkeyUsers) return HKEY_USERS;
  return reinterpret_cast<HKEY>(key);
}

Win32RegistryApi::Win32RegistryApi() : viewFlag_(RunsUnderWow64() ? kKeyWow64SixtyFourKey : 0) {}

long Win32RegistryApi::OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  HKEY key = nullptr;
  const LONG status = RegOpenKeyExA(ToHkey(root), path.c_str(), 0, access | viewFlag_, &key);
  if (status == ERROR_SUCCESS && result != nullptr) *result = FromHkey(key);
  return status;
}

long Win32RegistryApi::CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  HKEY key = nullptr;
  const LONG status = RegCreateKeyExA(ToHkey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access | viewFlag_, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS && result != nullptr) *result = FromHkey(key);
  return status;
}

long Win32RegistryApi::QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* size) {
  // DWORD is not uint32_t's type under MinGW, so the results pass through locals.
  DWORD storedType = 0;
  DWORD storedSize = size != nullptr ? *size : 0;
  const LONG status = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, type != nullptr ? &storedType : nullptr,
                                       data, size != nullptr ? &storedSize : nullptr);
  if (type != nullptr) *type = storedType;
  if (size != nullptr) *size = storedSize;
  return status;
}

long Win32RegistryApi::SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data, size);
}

long Win32RegistryApi::DeleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

long Win32RegistryApi::QueryInfoKey(RegKey key, RegKeyInfo* info) {
  if (info == nullptr) return ERROR_INVALID_PARAMETER;
  DWORD subKeys = 0;
  DWORD maxSubKeyName = 0;
  DWORD values = 0;
  DWORD maxValueName = 0;
  DWORD maxValueData = 0;
  FILETIME lastWrite = {};
  const LONG status = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyName, nullptr,
                                       &values, &maxValueName, &maxValueData, nullptr, &lastWrite);
  if (status == ERROR_SUCCESS) {
    info->subKeyCount = subKeys;
    info->maxSubKeyNameLength = maxSubKeyName;
    info->valueCount = values;
    info->maxValueNameLength = maxValueName;
    info->maxValueDataLength = maxValueData;
    info->lastWriteTime = std::uint64_t{lastWrite.dwHighDateTime} << 32 | lastWrite.dwLowDateTime;
  }
  return status;
}

long Win32RegistryApi::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

namespace {
// Made as the library loads, so that no first call has to be guarded; all it
// asks is kernel32, which is always loaded by then.
Win32RegistryApi systemRegistry;
}  // namespace

RegistryApi& SystemRegistry() { return systemRegistry; }

}  // namespace varnox
