#pragma once
// Case folding for the registry's English words ("yes", driver names): plain
// ASCII, so neither the C library's locale nor an import is involved.

#include <string>

namespace varnox {

inline std::string AsciiLowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace varnox
