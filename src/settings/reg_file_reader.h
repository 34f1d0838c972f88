#pragma once
// The reader of registry files, beside the writer and in its vocabulary:
// what regedit imports. "REGEDIT4" files are ANSI text of the system's code
// page; "Windows Registry Editor Version 5.00" files are UTF-16 LE with a
// byte-order mark, or UTF-8 with or without one, as editors save them.
// Comment and blank lines, [key] and [-key], "name"= and @= with "text",
// dword:, hex:, hex(t): (continued over lines ending in a backslash) and -.
// A line it cannot read is reported with its number and left out, never
// guessed at; a value under such a key line goes with it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "settings/reg_file_writer.h"
#include "settings/registry_edit.h"

namespace varnox {

// One key or value line: CreateKey for [key], DeleteKey for [-key], and
// SetValue or DeleteValue. Names, paths and data as the ANSI calls see them.
struct RegFileEntry {
  RegistryEdit edit;
  int line = 0;  // where it starts, from 1
};

// What made a line unreadable.
enum class RegFileFault : std::uint8_t {
  NotARegistryFile,     // the first line names neither format
  OddLength,            // UTF-16 text with half a character at its end
  NotAKeyOrValue,       // a line that is neither key, value, comment nor blank
  ValueOutsideKey,      // a value line before any key line
  UnclosedKey,          // [ without its ]
  UnknownRoot,          // a key under none of the roots
  EmptyKeyName,         // a key path with an empty part
  UnterminatedString,   // a name or text without its closing quote
  UnknownEscape,        // a backslash before anything but \ or "
  TextAfterData,        // more on the line after the value
  MissingEquals,        // no = after the value's name
  UnknownType,          // data of no kind regedit writes
  BadDword,             // dword: without 1 to 8 hexadecimal digits
  BadHexType,           // hex( without 1 to 8 hexadecimal digits and )
  BadByte,              // a byte of a hex list that is not 1 or 2 hexadecimal digits
  OddTextData,          // text as UTF-16 bytes with half a character
  EndsInsideContinued,  // the last line ends in a backslash: the value goes on past the file
  // The other readers' (lgpo_text.h, policy_entries.h): never from a .reg file.
  // LGPO text
  UnknownConfiguration,  // a record that starts with neither Computer nor User
  IncompleteRecord,      // a record without all four of its lines
  UnknownAction,         // an action line of no kind LGPO text knows
  BadNumber,             // DWORD: without a decimal or 0x hexadecimal number of 32 bits
  NulCharacter,          // a NUL in a key path, value name or text, which would end it early
  // Registry policy files
  NotAPolicyFile,  // no "PReg" of version 1, or a record cut short
};
// The faults of .reg files, which the window names in its own languages.
inline constexpr std::size_t kRegFileFaultCount = 17;
// Every fault, the other readers' included.
inline constexpr std::size_t kFileFaultCount = 23;

// The English text of a .reg file's fault, e.g. "unterminated string"; empty
// for the other readers' (FileFaultText in baseline_file.h has them), whose
// texts the library that reads only .reg files does not carry.
const char* RegFileFaultText(RegFileFault fault);

struct RegFileError {
  int line = 0;
  RegFileFault fault = RegFileFault::NotARegistryFile;
};

struct RegFileContents {
  bool recognised = false;  // the bytes are of the reader's format (for .reg, the first line names one)
  bool unicode = false;     // its text came through UTF-8 or UTF-16
  std::vector<RegFileEntry> entries;
  std::vector<RegFileError> errors;
  std::string firstComment;  // UTF-8, the first comment line without its ';' and blanks
};

RegFileContents ParseRegFile(std::span<const std::uint8_t> bytes, const AnsiCodec& codec);

// Text data as UTF-16 files hold it (each string between NULs in UTF-16 LE)
// as the registry's ANSI; nullopt for half a character.
std::optional<std::vector<std::uint8_t>> AnsiTextData(std::span<const std::uint8_t> wide, const AnsiCodec& codec);

}  // namespace varnox
