#pragma once
// The vocabulary registry files share, for the writer and the reader alike:
// the two first lines, the root names, and UTF-16 LE from and to UTF-8.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_api.h"

namespace varnox {

inline constexpr std::string_view kRegedit4Header = "REGEDIT4";
inline constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";

struct RegRootName {
  RegKey root;
  std::string_view longName;
  std::string_view shortName;
};

inline constexpr RegRootName kRegRootNames[] = {
    {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {kHkeyCurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {kHkeyUsers, "HKEY_USERS", "HKU"},
    {kHkeyClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {kHkeyCurrentConfig, "HKEY_CURRENT_CONFIG", "HKCC"},
};

// Appends the UTF-16 LE bytes of UTF-8 text; a broken sequence gives U+FFFD.
void AppendUtf16(std::vector<std::uint8_t>& out, const std::string& utf8);
// UTF-8 of UTF-16 LE bytes (an odd last byte is ignored); a lone surrogate
// gives U+FFFD.
std::string Utf16ToUtf8(std::span<const std::uint8_t> bytes);

}  // namespace varnox
