#pragma once
// Registry policy files (Registry.pol, format version 1), what Group Policy
// applies to one root: the signature "PReg" and the version 1 as a DWORD,
// then records [key;value;type;size;data] with the brackets, semicolons,
// key and value name in UTF-16 LE (key and name ending in a NUL), type and
// size as little-endian DWORDs, and the data as the registry holds it, text
// in UTF-16 LE. A value to delete is the record of "**del." and its name.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/reg_file_format.h"
#include "settings/registry_edit.h"

namespace varnox {

inline constexpr std::string_view kPolicyDeletePrefix = "**del.";
inline constexpr std::string_view kPolicyDeleteAllValues = "**delvals.";

// One record of a file as found: where its bytes lie, and its key and value
// name (UTF-8).
struct PolicyRecord {
  std::size_t offset = 0;
  std::size_t size = 0;
  std::string key;
  std::string valueName;
  std::uint32_t type = 0;
  std::span<const std::uint8_t> data;  // into the parsed bytes
};

// The records of a whole file, or nullopt when the bytes are not a
// registry policy file of version 1 (any byte out of place, a record cut
// short). No file (empty bytes) has no records.
std::optional<std::vector<PolicyRecord>> ParsePolicyFile(std::span<const std::uint8_t> bytes);

// The record of one edit: a value set or deleted. Other edits (keys made,
// comments) have none: Group Policy makes keys as it sets values in them.
std::vector<std::uint8_t> PolicyRecordBytes(const RegistryEdit& edit, const AnsiCodec& codec);

// `existing` with the records of `edits` after its own: each record of
// `existing` is kept byte for byte unless an edit names its key and value
// (case aside; "**del.NAME" and "NAME" name the same value). nullopt when
// `existing` is not a registry policy file: then it must stay as it is.
std::optional<std::vector<std::uint8_t>> MergePolicyFile(std::span<const std::uint8_t> existing,
                                                         const std::vector<RegistryEdit>& edits,
                                                         const AnsiCodec& codec);

}  // namespace varnox
