#include "settings/reg_file_format.h"

#include <algorithm>

namespace varnox {

namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
    return;
  }
  const int tail = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
  constexpr unsigned kLead[] = {0, 0xC0, 0xE0, 0xF0};
  out.push_back(static_cast<char>(kLead[tail] | code >> (6 * tail)));
  for (int k = tail - 1; k >= 0; --k) out.push_back(static_cast<char>(0x80 | (code >> (6 * k) & 0x3F)));
}

}  // namespace

std::vector<std::uint8_t> WideTextData(const std::vector<std::uint8_t>& ansi, const AnsiCodec& codec) {
  std::vector<std::uint8_t> bytes;
  for (auto from = ansi.begin(); from != ansi.end();) {
    const auto nul = std::find(from, ansi.end(), std::uint8_t{0});
    if (nul != from) AppendUtf16(bytes, codec.toUtf8(std::string(from, nul)));
    if (nul == ansi.end()) break;
    bytes.insert(bytes.end(), {0, 0});
    from = nul + 1;
  }
  return bytes;
}

void AppendUtf16(std::vector<std::uint8_t>& out, const std::string& utf8) {
  const auto unit = [&out](char32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8 & 0xFF));
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t length = lead < 0x80    ? 1
                         : lead >= 0xF8 ? 0
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 0;
    // Only continuation bytes continue a character: a broken one must not
    // swallow the quote or line break after it.
    for (std::size_t k = 1; k < length; ++k) {
      if (i + k >= utf8.size() || (static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) length = 0;
    }
    if (length == 0) {
      unit(0xFFFD);
      ++i;
      continue;
    }
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    if (code >= 0x10000) {
      code -= 0x10000;
      unit(0xD800 + (code >> 10));
      unit(0xDC00 + (code & 0x3FF));
    } else {
      unit(code);
    }
    i += length;
  }
}

std::string Utf16ToUtf8(std::span<const std::uint8_t> bytes) {
  std::string out;
  const std::size_t units = bytes.size() / 2;
  const auto at = [&bytes](std::size_t u) -> char32_t { return bytes[2 * u] | bytes[2 * u + 1] << 8; };
  for (std::size_t u = 0; u < units; ++u) {
    char32_t code = at(u);
    if (code >= 0xD800 && code < 0xDC00 && u + 1 < units && at(u + 1) >= 0xDC00 && at(u + 1) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (at(++u) - 0xDC00);
    } else if (code >= 0xD800 && code < 0xE000) {
      code = 0xFFFD;
    }
    AppendUtf8(out, code);
  }
  return out;
}

}  // namespace varnox
