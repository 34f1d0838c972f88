#pragma once
// Reads and seeds the real registry around an end-to-end scenario.

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace varnox::test {

struct RegistryData {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  bool operator==(const RegistryData&) const = default;
};

// Every value of the key, by name; empty when the key is missing. `view`
// adds KEY_WOW64_64KEY, say, for the 64-bit view from a 32-bit test.
std::map<std::string, RegistryData> ValuesOf(HKEY root, const std::string& path, REGSAM view = 0);
std::optional<std::string> ReadString(HKEY root, const std::string& path, const std::string& name);
std::optional<DWORD> ReadDword(HKEY root, const std::string& path, const std::string& name);
bool SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text);
bool SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
bool DeleteValue(HKEY root, const std::string& path, const std::string& name);
// Imports `file` with Wine's regedit, as a logon script runs it, and waits
// for it to end.
bool ImportWithRegedit(const std::string& file);

// Runs a command line and waits for it (a minute at most): its exit code,
// STILL_ACTIVE when it did not end, or the start's error with the high bit set.
DWORD RunToEnd(std::string command);
// apply_policy.exe of the build, as $VARNOX_APPLY_POLICY names it, as a path
// inside the prefix.
std::string ApplyPolicyProgram();

}  // namespace varnox::test
