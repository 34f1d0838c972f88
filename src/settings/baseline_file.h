#pragma once
// A baseline file as the console program takes it: a registry file of
// either format, a registry policy file or LGPO text, told apart by what it
// holds, while its name may not claim another format.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/registry_api.h"
#include "settings/reg_file_format.h"
#include "settings/reg_file_reader.h"

namespace varnox {

enum class BaselineKind { RegEdit4, RegEdit5, Policy, LgpoText };

struct BaselineRead {
  BaselineKind kind = BaselineKind::LgpoText;
  RegFileContents contents;  // empty when there is an error
  std::string error;         // UTF-8, empty when the file reads as its kind
};

// "PReg" at the start (or no bytes in a .pol file, which Group Policy reads
// as no settings) makes a registry policy file, read under
// `policyRoot` (which the caller knows from its folder, Machine or User, or
// an option; without it the file is an error); a first line that names one
// of the two .reg formats makes a registry file; anything else is LGPO
// text. A file that does not read as the kind it is taken for, or whose
// name ends in .reg or .pol (any case) while it is of another kind, is an
// error. Errors of lines and records are left in the contents, for the
// caller to decide on.
BaselineRead ReadBaseline(std::string_view fileName, std::span<const std::uint8_t> bytes,
                          std::optional<RegKey> policyRoot, const AnsiCodec& codec);

// The English text of any reader's fault.
const char* FileFaultText(RegFileFault fault);

// "line N: fault" of the contents' first error; empty when there is none.
std::string FirstErrorText(const RegFileContents& contents);

}  // namespace varnox
