#pragma once
// A registry policy file (Registry.pol) read as the entries of a registry
// file, so that what reads baselines treats both alike.

#include <cstdint>
#include <span>

#include "platform/registry_api.h"
#include "settings/policy_file.h"
#include "settings/reg_file_format.h"
#include "settings/reg_file_reader.h"
#include "settings/registry_edit.h"

namespace varnox {

// A record about a key as a whole rather than one value: "**delvals." (and
// LGPO text's DELETEALLVALUES), "**DeleteValues", "**DeleteKeys",
// "**SecureKey" and any other "**" name. It is an entry of kind Comment with
// the key's root and path, the record's value name (UTF-8) as its name, and
// the record's type and data (for "**delvals.", in any case, the name
// kPolicyDeleteAllValues and neither), so that a caller that manages single
// values can tell it from them and leave it out, never take it for a value.
inline bool KeyInstruction(const RegistryEdit& edit) {
  return edit.kind == RegistryEdit::Kind::Comment && edit.root != 0;
}

// Each record an entry under `root`, its line the record's number from 1:
// "**del.NAME" a DeleteValue of NAME; an empty value name with no type
// (REG_NONE) or no data a CreateKey; other "**" names key instructions;
// every other record a SetValue, text data from UTF-16 to ANSI (text data in
// half a character is an error of its record). Bytes ParsePolicyFile refuses
// are not recognised: no entries and one error. No bytes, no entries.
RegFileContents PolicyFileEntries(std::span<const std::uint8_t> bytes, RegKey root, const AnsiCodec& codec);

}  // namespace varnox
