#pragma once
// Applies a registry policy file to a registry as Group Policy's registry
// extension does, for the native tests: each record sets its value with its
// type and data (text converted back to the registry's ANSI), "**del.NAME"
// deletes NAME; keys are made as needed. Anything else (a file that does
// not parse, another "**" directive) throws: the files under test hold none.

#include <cstdint>
#include <span>

#include "platform/registry_api.h"
#include "settings/reg_file_format.h"

namespace varnox::test {

void ApplyPolicyFile(RegistryApi& registry, RegKey root, std::span<const std::uint8_t> bytes, const AnsiCodec& codec);

}  // namespace varnox::test
