#pragma once
// One change to the registry as a registry file states it: a key to make or
// delete, a value to set or delete, or a comment line. Registry names and data are as
// the ANSI calls see them; a comment is UTF-8.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace varnox {

struct RegistryEdit {
  enum class Kind { Comment, CreateKey, SetValue, DeleteValue, DeleteKey };

  Kind kind = Kind::Comment;
  RegKey root = 0;
  std::string keyPath;  // below the root, no leading backslash
  std::string name;     // the value name; a comment's text
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;  // as stored: text with its NUL, a DWORD little-endian

  bool operator==(const RegistryEdit&) const = default;
};

}  // namespace varnox
