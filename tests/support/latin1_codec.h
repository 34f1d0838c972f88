#pragma once
// Latin-1 as the ANSI code page of the registry file tests: one that differs
// from UTF-8 in every byte above 0x7F, so a conversion left out shows.

#include <string>

#include "settings/reg_file_writer.h"

namespace varnox {

inline std::string Latin1ToUtf8(const std::string& latin1) {
  std::string out;
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | c >> 6));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

inline std::string Utf8ToLatin1(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>((c & 0x03) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F)));
    }
  }
  return out;
}

inline const AnsiCodec kLatin1{Latin1ToUtf8, Utf8ToLatin1};

}  // namespace varnox
