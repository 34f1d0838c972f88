#pragma once
// What the file readers' fuzzers share: text passed through unchanged as if
// the code page were UTF-8, a finding that stops the run, and the input as
// the bytes of a file (by its first byte: as it is, or as text in UTF-16 LE
// or UTF-8 with its byte-order mark).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/reg_file_format.h"

namespace varnox::fuzz {

inline const AnsiCodec kSame{[](const std::string& text) { return text; },
                             [](const std::string& text) { return text; }};

[[noreturn]] inline void Finding(const char* what) {
  std::fprintf(stderr, "FINDING: %s\n", what);
  std::abort();
}

// Whether FileBytes takes the input's bytes as they are.
inline bool AsTheyAre(const std::uint8_t* data) { return data[0] % 3 == 0; }

// `size` is at least 1.
inline std::vector<std::uint8_t> FileBytes(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes;
  const std::uint8_t how = data[0] % 3;
  if (how == 1) {
    bytes = {0xFF, 0xFE};
    AppendUtf16(bytes, std::string(data + 1, data + size));
  } else {
    if (how == 2) bytes = {0xEF, 0xBB, 0xBF};
    bytes.insert(bytes.end(), data + 1, data + size);
  }
  return bytes;
}

}  // namespace varnox::fuzz
