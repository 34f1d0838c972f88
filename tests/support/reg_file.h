#pragma once
// A reader for REGEDIT4 registry files, the ANSI text that regedit imports:
// "[ROOT\path]" section lines and the value lines under them. Tests use it to
// seed the in-memory registry from the files under fixtures/, the same files
// the Wine runs import with regedit, so both see one set of values.
//
// It reads the subset that regedit reads the same way everywhere and reports
// anything else as a problem rather than guessing: ";" comment lines,
// "name"="text" with \\ and \" escapes, "name"=dword:hhhhhhhh, "name"=hex:..
// and "name"=hex(t):.. with lines continued by a trailing backslash, @ for the
// default value and "name"=- to delete a value.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace varnox {

struct RegFileValue {
  std::string name;     // "" for the default value (@)
  bool remove = false;  // "name"=- : no type, no data
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // as stored: text with its NUL, a DWORD little-endian
  int line = 0;
};

struct RegFileSection {
  std::string root;  // as spelled in the file, e.g. "HKEY_LOCAL_MACHINE"
  std::string path;  // below the root, without a leading backslash; "" for the root itself
  std::vector<RegFileValue> values;
  int line = 0;
};

struct RegFileProblem {
  int line = 0;  // 1-based; 0 for the file as a whole
  std::string message;
};

struct RegFile {
  std::vector<RegFileSection> sections;
  std::vector<RegFileProblem> problems;  // empty when the whole text was understood
};

// Lines may end in CR LF or LF alone.
RegFile ParseRegText(std::string_view text);

// A file that cannot be read gives one problem at line 0.
RegFile ReadRegFile(const std::filesystem::path& path);

// "line 7: unterminated string" for each problem, one per line.
std::string DescribeProblems(const RegFile& file);

}  // namespace varnox
