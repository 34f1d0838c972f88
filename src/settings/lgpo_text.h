#pragma once
// LGPO text: the plain-text form of registry policy that security baselines
// ship, read and written by Microsoft's LGPO tool. Records of four lines:
//
//   Computer               or User, in any case: HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER
//   Software\Policies\Key  the key path below the root
//   ValueName              empty for the key's default value; * for the key actions
//   DWORD:1                the action
//
// Actions: DWORD:n (decimal, or 0x and hexadecimal), SZ:text, EXSZ:text,
// MULTISZ:one\0two (the strings separated by the two characters \0), DELETE
// (the value), DELETEALLVALUES and CREATEKEY (the key). Blank lines and lines
// that start with ';' come between records. Lines 1, 2 and 4 are read
// without the blanks around them; a value name and the text after SZ:,
// EXSZ: and MULTISZ: are kept as written, only the line's CR taken off. The
// text is UTF-16 LE with a byte-order mark, UTF-8 with a mark or valid
// without one, or else ANSI of the system's code page.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/policy_entries.h"
#include "settings/reg_file_format.h"
#include "settings/reg_file_reader.h"
#include "settings/registry_edit.h"

namespace varnox {

// One entry a record: SetValue (DWORD, SZ, EXSZ as REG_EXPAND_SZ, MULTISZ as
// REG_MULTI_SZ), DeleteValue, CreateKey (no name), and for DELETEALLVALUES a
// key instruction named kPolicyDeleteAllValues (see policy_entries.h). An
// entry's line is its record's first. An unreadable record is an error on
// its broken line (a record cut short, on its first); reading goes on after
// a broken action, and otherwise at the next blank line, or at a record that
// stands where an action is missing. `recognised` is false, with nothing
// read, when the first record does not start with Computer or User; a file
// of comments and blank lines alone is recognised and empty. The strings of
// MULTISZ never include an empty one, which would end the list: "\0\0" and
// a closing "\0" add none.
RegFileContents ParseLgpoText(std::span<const std::uint8_t> bytes, const AnsiCodec& codec);

// Whether LgpoText writes the edit and ParseLgpoText reads it back the same:
// a value set (REG_DWORD of 4 bytes; REG_SZ and REG_EXPAND_SZ with one
// closing NUL; REG_MULTI_SZ as ParseLgpoText makes it) or deleted, a key
// made, or the instruction to delete a key's values; under
// HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, with a key path that reads as
// one, and no line break or other NUL in a path, name or text.
bool LgpoWritable(const RegistryEdit& edit, const AnsiCodec& codec);

// The text of the edits LgpoWritable accepts, in their order (the others are
// left out): UTF-8 without a byte-order mark, CR LF line ends, a comment line
// first, one blank line before each record.
std::string LgpoText(const std::vector<RegistryEdit>& edits, const AnsiCodec& codec);

}  // namespace varnox
