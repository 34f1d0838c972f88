// REGEDIT4 files on the double-byte code pages: a trail byte that equals a
// backslash is part of its character, so the writer does not escape it and
// the reader does not take it for an escape or the end of a string.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "settings/reg_file_reader.h"
#include "settings/reg_file_writer.h"

namespace varnox {
namespace {

// A code page by its lead and trail byte ranges. Two bytes make one
// character, carried in UTF-8 as U+100000 plus their value; other bytes
// above 0x7F as Latin-1; a lead byte without a trail as '?', as Windows
// gives the default character.
struct DoubleByteCodePage {
  int number;
  std::function<bool(unsigned char)> lead;
  std::function<bool(unsigned char)> trail;
  unsigned char leadBeforeBackslash;  // 0 where no trail byte is a backslash

  std::string ToUtf8(const std::string& ansi) const {
    std::string out;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
      const auto c = static_cast<unsigned char>(ansi[i]);
      if (c < 0x80) {
        out.push_back(static_cast<char>(c));
      } else if (lead(c) && i + 1 < ansi.size() && trail(static_cast<unsigned char>(ansi[i + 1]))) {
        const unsigned code = 0x100000 | c << 8 | static_cast<unsigned char>(ansi[++i]);
        out += {static_cast<char>(0xF0 | code >> 18), static_cast<char>(0x80 | (code >> 12 & 0x3F)),
                static_cast<char>(0x80 | (code >> 6 & 0x3F)), static_cast<char>(0x80 | (code & 0x3F))};
      } else if (lead(c)) {
        out.push_back('?');
      } else {
        out += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
      }
    }
    return out;
  }
  static std::string FromUtf8(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
      const auto c = static_cast<unsigned char>(utf8[i]);
      const auto at = [&](std::size_t k) {
        return static_cast<unsigned>(static_cast<unsigned char>(utf8[i + k]) & 0x3F);
      };
      if (c < 0x80) {
        out.push_back(static_cast<char>(c));
        i += 1;
      } else if (c >= 0xF0) {
        const unsigned code = (c & 0x07u) << 18 | at(1) << 12 | at(2) << 6 | at(3);
        out += {static_cast<char>(code >> 8 & 0xFF), static_cast<char>(code & 0xFF)};
        i += 4;
      } else {
        out.push_back(static_cast<char>((c & 0x03) << 6 | at(1)));
        i += 2;
      }
    }
    return out;
  }
  AnsiCodec Codec() const {
    return {[this](const std::string& ansi) { return ToUtf8(ansi); }, &DoubleByteCodePage::FromUtf8};
  }
};

bool In(unsigned char c, unsigned from, unsigned to) { return c >= from && c <= to; }

const std::vector<DoubleByteCodePage>& CodePages() {
  static const std::vector<DoubleByteCodePage> pages = {
      {932, [](unsigned char c) { return In(c, 0x81, 0x9F) || In(c, 0xE0, 0xFC); },
       [](unsigned char c) { return In(c, 0x40, 0x7E) || In(c, 0x80, 0xFC); }, 0x95},
      {936, [](unsigned char c) { return In(c, 0x81, 0xFE); },
       [](unsigned char c) { return In(c, 0x40, 0xFE) && c != 0x7F; }, 0x81},
      {949, [](unsigned char c) { return In(c, 0x81, 0xFE); },
       [](unsigned char c) { return In(c, 0x41, 0x5A) || In(c, 0x61, 0x7A) || In(c, 0x81, 0xFE); }, 0},
      {950, [](unsigned char c) { return In(c, 0x81, 0xFE); },
       [](unsigned char c) { return In(c, 0x40, 0x7E) || In(c, 0xA1, 0xFE); }, 0xA5},
  };
  return pages;
}

std::vector<std::uint8_t> Text(const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

// The values a file sets, its key lines aside.
std::vector<RegistryEdit> SetValues(const RegFileContents& read) {
  std::vector<RegistryEdit> values;
  for (const RegFileEntry& entry : read.entries) {
    if (entry.edit.kind == RegistryEdit::Kind::SetValue) values.push_back(entry.edit);
  }
  return values;
}

bool Holds(const std::vector<std::uint8_t>& bytes, const std::string& piece) {
  const std::vector<std::uint8_t> wanted(piece.begin(), piece.end());
  return std::search(bytes.begin(), bytes.end(), wanted.begin(), wanted.end()) != bytes.end();
}

TEST(RegFileDoubleByte, TrailBytesEqualToABackslashRoundTripUnescaped) {
  for (const DoubleByteCodePage& page : CodePages()) {
    SCOPED_TRACE(page.number);
    const AnsiCodec codec = page.Codec();
    const std::string pair = page.leadBeforeBackslash != 0
                                 ? std::string{static_cast<char>(page.leadBeforeBackslash), '\\'}
                                 : std::string{'\xB0', '\xA1'};
    // Each character next to an escaped backslash and quote, in a name and in text.
    const std::string text = pair + "\\" + pair + "\"" + pair;
    const std::vector<RegistryEdit> edits = {
        {RegistryEdit::Kind::SetValue, kHkeyCurrentUser, "Software\\Test", text, kRegSz, Text(text)}};
    const std::vector<std::uint8_t> bytes = RegFileBytes(RegFileFormat::Regedit4, edits, codec);
    EXPECT_TRUE(Holds(bytes, "\"" + pair + "\\\\" + pair + "\\\"" + pair + "\"="));
    const RegFileContents read = ParseRegFile(bytes, codec);
    EXPECT_TRUE(read.errors.empty());
    const std::vector<RegistryEdit> values = SetValues(read);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, text);
    EXPECT_EQ(values[0].data, Text(text));
  }
}

TEST(RegFileDoubleByte, AStringEndingInSuchACharacterEndsAtItsQuote) {
  const DoubleByteCodePage& shiftJis = CodePages().front();
  const std::string file = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n\"\x95\\\"=\"\x95\\\"\r\n";
  const RegFileContents read = ParseRegFile(std::vector<std::uint8_t>(file.begin(), file.end()), shiftJis.Codec());
  EXPECT_TRUE(read.errors.empty());
  const std::vector<RegistryEdit> values = SetValues(read);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "\x95\\");
  EXPECT_EQ(values[0].data, Text("\x95\\"));
}

}  // namespace
}  // namespace varnox
