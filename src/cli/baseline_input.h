#pragma once
// A baseline file read for check and apply: a .reg file of either version,
// a registry policy file, or LGPO's text form. A file that cannot be read,
// is not what its name says, or holds a line that cannot be read is bad
// input: nothing is compared or written.

#include <optional>
#include <string>

#include "platform/system_api.h"
#include "settings/reg_file_reader.h"

namespace varnox::cli {

struct BaselineInput {
  RegFileContents contents;
  std::string error;  // empty when the file was read whole
};

// `policyRoot`: "machine" or "user" from the command line; without it a
// registry policy file's root comes from its folder's name (Machine, User),
// as Group Policy keeps them.
BaselineInput ReadBaselineInput(const std::string& path, const std::optional<std::string>& policyRoot,
                                SystemApi& system);

}  // namespace varnox::cli
