#include "registry_probe.h"

#include <cstdlib>

namespace varnox::test {

namespace {

class Key {
 public:
  Key(HKEY root, const std::string& path, REGSAM access) {
    if (RegOpenKeyExA(root, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::optional<RegistryData> Read(HKEY root, const std::string& path, const std::string& name) {
  Key key(root, path, KEY_READ);
  if (!key.get()) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  RegistryData data{type, std::vector<BYTE>(size)};
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, data.bytes.data(), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.bytes.resize(size);
  return data;
}

}  // namespace

std::map<std::string, RegistryData> ValuesOf(HKEY root, const std::string& path, REGSAM view) {
  std::map<std::string, RegistryData> values;
  Key key(root, path, KEY_READ | view);
  if (!key.get()) return values;
  for (DWORD index = 0;; ++index) {
    char name[512];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    BYTE data[4096];
    DWORD size = sizeof data;
    if (RegEnumValueA(key.get(), index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    values[std::string(name, nameLength)] = RegistryData{type, std::vector<BYTE>(data, data + size)};
  }
  return values;
}

std::optional<std::string> ReadString(HKEY root, const std::string& path, const std::string& name) {
  auto data = Read(root, path, name);
  if (!data || (data->type != REG_SZ && data->type != REG_EXPAND_SZ)) return std::nullopt;
  std::string text(data->bytes.begin(), data->bytes.end());
  return text.substr(0, text.find('\0'));
}

std::optional<DWORD> ReadDword(HKEY root, const std::string& path, const std::string& name) {
  auto data = Read(root, path, name);
  if (!data || data->type != REG_DWORD || data->bytes.size() != 4) return std::nullopt;
  DWORD value;
  memcpy(&value, data->bytes.data(), 4);
  return value;
}

bool SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
  Key key(root, path, KEY_SET_VALUE);
  return key.get() && RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
  Key key(root, path, KEY_SET_VALUE);
  return key.get() && RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                     sizeof value) == ERROR_SUCCESS;
}

bool DeleteValue(HKEY root, const std::string& path, const std::string& name) {
  Key key(root, path, KEY_SET_VALUE);
  return key.get() && RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS;
}

DWORD RunToEnd(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return GetLastError() | 0x80000000u;
  }
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

bool ImportWithRegedit(const std::string& file) {
  const DWORD code = RunToEnd("regedit.exe /s \"" + file + "\"");
  return code != STILL_ACTIVE && (code & 0x80000000u) == 0;
}

std::string ApplyPolicyProgram() {
  std::string path = "Z:";
  for (const char* c = std::getenv("VARNOX_APPLY_POLICY"); c && *c; ++c) path += *c == '/' ? '\\' : *c;
  return path;
}

}  // namespace varnox::test
