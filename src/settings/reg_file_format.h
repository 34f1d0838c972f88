#pragma once
// The vocabulary registry files share (.reg files and registry policy
// files, writers and readers alike): the two first lines of a .reg file, the
// root names, the registry's ANSI text to and from UTF-8, and UTF-16 LE from
// and to UTF-8.

#include <cstdint>
#include <functional>
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

// Between the registry's ANSI text and the program's UTF-8.
struct AnsiCodec {
  std::function<std::string(const std::string&)> toUtf8;
  std::function<std::string(const std::string&)> fromUtf8;
};

inline bool TextType(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

// Text data of the registry (ANSI) as a UTF-16 file holds it: each string
// between NULs in UTF-16 LE, each NUL as two zero bytes.
std::vector<std::uint8_t> WideTextData(const std::vector<std::uint8_t>& ansi, const AnsiCodec& codec);

// Appends the UTF-16 LE bytes of UTF-8 text; a broken sequence gives U+FFFD.
void AppendUtf16(std::vector<std::uint8_t>& out, const std::string& utf8);
// UTF-8 of UTF-16 LE bytes (an odd last byte is ignored); a lone surrogate
// gives U+FFFD.
std::string Utf16ToUtf8(std::span<const std::uint8_t> bytes);

}  // namespace varnox
