// Applies registry policy files to the registry as Group Policy's registry
// extension does, where there is no Group Policy engine (Wine):
//
//   apply_policy.exe HKLM|HKCU Registry.pol [HKLM|HKCU Registry.pol ...]
//
// Each record, in order: keys are made as needed; "**del.NAME" deletes the
// value NAME, "**delvals." every value of the key; a record with no value
// name, type or data only makes its key; any other record sets its value
// with its type and data, as the file holds them (text already UTF-16). The
// other "**" directives are not applied: the program names the first and
// exits with 3. A file that is not a registry policy file exits with 2, a
// registry call that fails with 1; 0 when every record is applied.

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "settings/policy_file.h"

namespace {

using varnox::EqualsIgnoringAsciiCase;
using varnox::kPolicyDeleteAllValues;
using varnox::kPolicyDeletePrefix;
using varnox::PolicyRecord;

std::wstring Wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoringAsciiCase(std::string_view(text).substr(0, prefix.size()), prefix);
}

LONG DeleteEveryValue(HKEY key) {
  for (;;) {
    wchar_t name[16384];
    DWORD length = static_cast<DWORD>(std::size(name));
    const LONG found = RegEnumValueW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (found == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (found != ERROR_SUCCESS) return found;
    if (const LONG deleted = RegDeleteValueW(key, name); deleted != ERROR_SUCCESS) return deleted;
  }
}

// 0, or the exit code.
int Apply(HKEY root, const PolicyRecord& record) {
  const std::string& name = record.valueName;
  if (StartsWith(name, "**") && !StartsWith(name, kPolicyDeletePrefix) &&
      !EqualsIgnoringAsciiCase(name, kPolicyDeleteAllValues)) {
    std::fprintf(stderr, "not applied: [%s;%s]\n", record.key.c_str(), name.c_str());
    return 3;
  }
  HKEY key = nullptr;
  LONG result = RegCreateKeyExW(root, Wide(record.key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (result == ERROR_SUCCESS) {
    if (EqualsIgnoringAsciiCase(name, kPolicyDeleteAllValues)) {
      result = DeleteEveryValue(key);
    } else if (StartsWith(name, kPolicyDeletePrefix)) {
      result = RegDeleteValueW(key, Wide(name.substr(kPolicyDeletePrefix.size())).c_str());
      if (result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
    } else if (!(name.empty() && record.type == REG_NONE && record.data.empty())) {
      result = RegSetValueExW(key, Wide(name).c_str(), 0, record.type, record.data.data(),
                              static_cast<DWORD>(record.data.size()));
    }
    RegCloseKey(key);
  }
  if (result == ERROR_SUCCESS) return 0;
  std::fprintf(stderr, "error %ld applying [%s;%s]\n", result, record.key.c_str(), name.c_str());
  return 1;
}

int ApplyFile(HKEY root, const char* path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto records = in ? varnox::ParsePolicyFile(bytes) : std::nullopt;
  if (!records) {
    std::fprintf(stderr, "%s: not a registry policy file\n", path);
    return 2;
  }
  for (const PolicyRecord& record : *records) {
    if (const int failed = Apply(root, record)) return failed;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: apply_policy HKLM|HKCU Registry.pol [HKLM|HKCU Registry.pol ...]\n");
    return 2;
  }
  for (int arg = 1; arg + 1 < argc; arg += 2) {
    const std::string root = argv[arg];
    if (root != "HKLM" && root != "HKCU") {
      std::fprintf(stderr, "unknown root %s\n", argv[arg]);
      return 2;
    }
    if (const int failed = ApplyFile(root == "HKLM" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, argv[arg + 1])) {
      return failed;
    }
  }
  return 0;
}
