#include "window/form/marquee.h"

#include <algorithm>

#include "toolkit/edit.h"

namespace varnox {

namespace {

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Bytes of the character at the start of `text`: its lead byte and the
// continuation bytes behind it.
std::size_t FirstCharacterBytes(const std::string& text) {
  std::size_t bytes = 1;
  while (bytes < text.size() && IsContinuationByte(text[bytes])) ++bytes;
  return bytes;
}

}  // namespace

std::string RotateMarquee(std::string& text) {
  if (text.empty()) return {};
  const auto first = static_cast<std::ptrdiff_t>(FirstCharacterBytes(text));
  std::rotate(text.begin(), text.begin() + first, text.end());
  return LeadingCharacters(text, kMarqueeVisibleCharacters);
}

}  // namespace varnox
