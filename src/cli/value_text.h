#pragma once
// A stored value as the command line prints it: its type's name and its
// data as text (UTF-8), and a value's full name.

#include <string>

#include "settings/reg_file_format.h"
#include "settings/registry_edit.h"

namespace varnox::cli {

// "REG_DWORD", "REG_SZ", ...; "none" for an absent value.
std::string TypeText(const RegistryEdit& state);
// A number in decimal, text as it reads, several strings joined by " | ",
// other data as hexadecimal bytes; "(absent)" for an absent value.
std::string DataText(const RegistryEdit& state, const AnsiCodec& codec);
// "absent", or the type and data: "REG_DWORD 1".
std::string StateText(const RegistryEdit& state, const AnsiCodec& codec);
// HKEY_LOCAL_MACHINE\Key\Value (UTF-8).
std::string FullName(RegKey root, const std::string& key, const std::string& value, const AnsiCodec& codec);

}  // namespace varnox::cli
