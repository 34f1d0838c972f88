#pragma once
// The one writer of registry files: the text regedit and "reg import" read.
// REGEDIT4 files are ANSI text of the system's code page (Windows NT 4.0);
// version 5.00 files are UTF-16 LE with a byte-order mark (Windows 2000 and
// later), so names in any language survive. Each value keeps its type: text
// as "text", numbers as dword:, binary as hex:, every other type as hex(t):
// with, in a UTF-16 file, its text in UTF-16 as regedit writes it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/reg_file_format.h"
#include "settings/registry_edit.h"

namespace varnox {

enum class RegFileFormat { Regedit4, Version5 };

// The whole file: the format's first line, then the edits in order, each
// value under its key's section line. Lines end in CR LF.
// The bytes that lead a two-byte character of the code page (932, 936, 949
// and 950 have them), learnt from the codec: a lead byte takes the backslash
// after it into one character. Its trail byte may equal '\\' or '"', which
// then neither escapes nor ends a quoted string.
class LeadBytes {
 public:
  explicit LeadBytes(const AnsiCodec& codec);
  bool operator()(char c) const { return lead_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> lead_{};
};

std::vector<std::uint8_t> RegFileBytes(RegFileFormat format, const std::vector<RegistryEdit>& edits,
                                       const AnsiCodec& codec);

// The long name of a root, "HKEY_LOCAL_MACHINE" say; "" for a key handle.
std::string RootName(RegKey root);

}  // namespace varnox
