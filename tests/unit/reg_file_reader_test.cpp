// The registry file reader on files as Windows writes them (the writer's
// hand-written golden files, in both encodings and in UTF-8 as editors save
// them) and on broken ones: each fault with its line, and the lines after
// it still read.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/reg_file_format.h"
#include "settings/reg_file_reader.h"

#include "latin1_codec.h"

namespace varnox {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::uint8_t> Golden(const char* name) {
  std::ifstream file(std::filesystem::path(VARNOX_GOLDEN_DIR) / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

RegistryEdit Set(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data) {
  return {RegistryEdit::Kind::SetValue, kHkeyLocalMachine, "SOFTWARE\\Varnox Test", name, type, std::move(data)};
}

// The values of the golden files, as the registry holds them (Latin-1).
std::vector<RegistryEdit> GoldenValues() {
  std::vector<std::uint8_t> counting;
  for (std::uint8_t b = 0; b < 40; ++b) counting.push_back(b);
  return {
      Set("Path", kRegSz, Bytes(std::string("C:\\Dir \"q\" caf\xE9") + '\0')),
      Set("", kRegSz, Bytes(std::string("default") + '\0')),
      Set("Quote\"d", kRegDword, {0x0a, 0, 0, 0}),
      Set("Bytes", kRegBinary, {0x01, 0xff}),
      Set("Long", kRegBinary, counting),
      Set("Expand", kRegExpandSz, Bytes(std::string("%SystemRoot%\\caf\xE9") + '\0')),
      Set("Multi", kRegMultiSz, Bytes(std::string("a\0b\0\0", 5))),
      Set("Lines", kRegSz, Bytes(std::string("one\r\ntwo") + '\0')),
      Set("Short", kRegDword, {1, 2, 3}),
      {RegistryEdit::Kind::DeleteValue, kHkeyLocalMachine, "SOFTWARE\\Varnox Test", "Gone", kRegNone, {}},
      Set("Empty", kRegBinary, {}),
      {RegistryEdit::Kind::SetValue, kHkeyCurrentUser, "Control Panel\\Desktop", "MenuShowDelay", kRegSz,
       Bytes(std::string("400") + '\0')},
  };
}

std::vector<RegistryEdit> Values(const RegFileContents& contents) {
  std::vector<RegistryEdit> values;
  for (const RegFileEntry& entry : contents.entries) {
    if (entry.edit.kind != RegistryEdit::Kind::CreateKey) values.push_back(entry.edit);
  }
  return values;
}

// A UTF-16 file's text as UTF-8 (without its mark).
std::string Utf8Of(const std::vector<std::uint8_t>& utf16) { return Utf16ToUtf8(std::span(utf16).subspan(2)); }

TEST(RegFileReader, ReadsTheFilesWindowsWritesInEveryEncoding) {
  const std::vector<std::uint8_t> unicode = Golden("version5.reg");
  const std::string utf8 = Utf8Of(unicode);
  const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files = {
      {"REGEDIT4", Golden("regedit4.reg")},
      {"UTF-16", unicode},
      {"UTF-8 with a mark", Bytes("\xEF\xBB\xBF" + utf8)},
      {"UTF-8", Bytes(utf8)},
  };
  for (const auto& [name, bytes] : files) {
    const RegFileContents contents = ParseRegFile(bytes, kLatin1);
    EXPECT_TRUE(contents.recognised) << name;
    EXPECT_TRUE(contents.errors.empty()) << name << ": line " << contents.errors.front().line;
    EXPECT_EQ(Values(contents), GoldenValues()) << name;
    EXPECT_EQ(contents.firstComment, "Windows NT 4.0, 2026-12-07 21:40:05: caf\xC3\xA9") << name;
    // The key made on its own reads as a key line, with its line number.
    ASSERT_GE(contents.entries.size(), 2u);
    EXPECT_EQ(contents.entries[0].edit.kind, RegistryEdit::Kind::CreateKey);
    EXPECT_EQ(contents.entries[0].edit.keyPath, "SOFTWARE\\Varnox Test\\Created");
    EXPECT_EQ(contents.entries[0].line, 5) << name;
  }
}

TEST(RegFileReader, ReadsWhatRegeditAcceptsBeyondWhatItWrites) {
  const RegFileContents contents = ParseRegFile(Bytes("REGEDIT4\n"
                                                      "; first\n"
                                                      "  ; second\n"
                                                      "\n"
                                                      "[HKLM\\Software\\A]  \n"
                                                      "\"x\" = DWORD:FfFf\n"
                                                      "\"y\"=hex(7):61,00, \\\n"
                                                      "   62,00,\\\n"
                                                      "  00\n"
                                                      "\"z\"=-\n"
                                                      "[-hkey_current_user\\Software\\B]\n"
                                                      "[HKU\\.DEFAULT\\C]\n"
                                                      "@=\"back\\\\slash\"\n"),
                                                kLatin1);
  EXPECT_TRUE(contents.errors.empty());
  EXPECT_EQ(contents.firstComment, "first");
  const std::vector<RegFileEntry>& e = contents.entries;
  ASSERT_EQ(e.size(), 7u);
  EXPECT_EQ(e[0].edit, (RegistryEdit{RegistryEdit::Kind::CreateKey, kHkeyLocalMachine, "Software\\A"}));
  EXPECT_EQ(e[1].edit.data, (std::vector<std::uint8_t>{0xff, 0xff, 0, 0}));
  EXPECT_EQ(e[2].edit.type, kRegMultiSz);
  EXPECT_EQ(e[2].edit.data, (std::vector<std::uint8_t>{'a', 0, 'b', 0, 0}));
  EXPECT_EQ(e[3].line, 10) << "a folded value takes up its lines";
  EXPECT_EQ(e[3].edit.kind, RegistryEdit::Kind::DeleteValue);
  EXPECT_EQ(e[4].edit, (RegistryEdit{RegistryEdit::Kind::DeleteKey, kHkeyCurrentUser, "Software\\B"}));
  EXPECT_EQ(e[5].edit.root, kHkeyUsers);
  EXPECT_EQ(e[6].edit.name, "");
  EXPECT_EQ(e[6].edit.data, Bytes(std::string("back\\slash") + '\0'));
}

struct Broken {
  std::string text;  // after the REGEDIT4 line
  int line;
  RegFileFault fault;
};

TEST(RegFileReader, ReportsEachFaultWithItsLineAndReadsOn) {
  const std::vector<Broken> cases = {
      {"[HKEY_LOCAL_MACHINE\\SOFT", 2, RegFileFault::UnclosedKey},
      {"[HKEY_LOCAL_MACHINE\\A]\n\"n\"=qword:1", 3, RegFileFault::UnknownType},
      {"[HKEY_LOCAL_MACHINE\\A]\n\"n\"=\"open", 3, RegFileFault::UnterminatedString},
      {"[HKEY_LOCAL_MACHINE\\A]\n\"open=dword:1", 3, RegFileFault::UnterminatedString},
      {"[HKEY_LOCAL_MACHINE\\A]\n\"n\"=\"a\\tb\"", 3, RegFileFault::UnknownEscape},
      {"[HKEY_LOCAL_MACHINE\\A]\n\"n\"=dword:123456789", 3, RegFileFault::BadDword},
      {"[HKEY_LOCAL_MACHINE\\A]\n\"n\"=hex:1,2g", 3, RegFileFault::BadByte},
      {"[HKEY_LOCAL_MACHINE\\A]\n\"n\"=hex(x):01", 3, RegFileFault::BadHexType},
      {"[HKEY_LOCAL_MACHINE\\A]\n\"n\" \"m\"", 3, RegFileFault::MissingEquals},
      {"[HKEY_LOCAL_MACHINE\\A]\n\"n\"=\"t\" x", 3, RegFileFault::TextAfterData},
      {"\"n\"=dword:1", 2, RegFileFault::ValueOutsideKey},
      {"[HKEY_NOWHERE\\A]", 2, RegFileFault::UnknownRoot},
      {"[HKEY_LOCAL_MACHINE\\A\\\\B]", 2, RegFileFault::EmptyKeyName},
      {"name=1", 2, RegFileFault::NotAKeyOrValue},
  };
  for (const Broken& broken : cases) {
    const std::string text = "REGEDIT4\r\n" + broken.text + "\r\n[HKCU\\After]\r\n\"v\"=dword:2\r\n";
    const RegFileContents contents = ParseRegFile(Bytes(text), kLatin1);
    ASSERT_EQ(contents.errors.size(), 1u) << broken.text;
    EXPECT_EQ(contents.errors[0].line, broken.line) << broken.text;
    EXPECT_EQ(contents.errors[0].fault, broken.fault)
        << broken.text << ": " << RegFileFaultText(contents.errors[0].fault);
    ASSERT_FALSE(contents.entries.empty()) << broken.text;
    EXPECT_EQ(contents.entries.back().edit.name, "v") << broken.text << ": the lines after the fault still read";
  }
}

TEST(RegFileReader, AValueUnderAnUnreadableKeyGoesWithItsKeyLine) {
  const RegFileContents contents =
      ParseRegFile(Bytes("REGEDIT4\n[HKEY_NOWHERE\\A]\n\"a\"=dword:1\n\"b\"=hex:01,\\\n 02\n"), kLatin1);
  ASSERT_EQ(contents.errors.size(), 1u);
  EXPECT_EQ(contents.errors[0].line, 2);
  EXPECT_TRUE(contents.entries.empty());
}

TEST(RegFileReader, WholeFileFaults) {
  // Not a registry file: nothing read, whatever follows.
  for (const std::string& text : {std::string(), std::string("REGEDIT5\n[HKLM\\A]"), std::string("\xFF\xFE", 2)}) {
    const RegFileContents contents = ParseRegFile(Bytes(text), kLatin1);
    EXPECT_FALSE(contents.recognised);
    EXPECT_TRUE(contents.entries.empty());
    ASSERT_FALSE(contents.errors.empty());
    EXPECT_EQ(contents.errors.back().line, 1);
    EXPECT_EQ(contents.errors.back().fault, RegFileFault::NotARegistryFile);
  }
  // A UTF-16 file cut in the middle of a character: the lines before the
  // cut read, and the cut is named on the last line.
  std::vector<std::uint8_t> cut = Golden("version5.reg");
  const auto lines = static_cast<int>(std::count(cut.begin(), cut.end(), '\n'));
  cut.resize(cut.size() - 1);
  const RegFileContents contents = ParseRegFile(cut, kLatin1);
  EXPECT_TRUE(contents.recognised);
  ASSERT_EQ(contents.errors.size(), 1u);
  EXPECT_EQ(contents.errors[0].fault, RegFileFault::OddLength);
  EXPECT_EQ(contents.errors[0].line, lines) << "the last line, whose line break is cut";
  EXPECT_EQ(Values(contents), GoldenValues());
  // A value whose last line goes on past the end of the file.
  const RegFileContents past =
      ParseRegFile(Bytes("REGEDIT4\r\n[HKLM\\A]\r\n\"a\"=dword:1\r\n\"n\"=hex:01,\\\r\n  02,\\\r\n"), kLatin1);
  ASSERT_EQ(past.errors.size(), 1u);
  EXPECT_EQ(past.errors[0].line, 4);
  EXPECT_EQ(past.errors[0].fault, RegFileFault::EndsInsideContinued);
  EXPECT_EQ(past.entries.size(), 2u) << "the key and the value before";
  // Text data of a 5.00 file is UTF-16: an odd number of bytes is half a character.
  const std::string odd = "Windows Registry Editor Version 5.00\n[HKLM\\A]\n\"x\"=hex(2):41,00,42\n";
  const RegFileContents oddText = ParseRegFile(Bytes(odd), kLatin1);
  ASSERT_EQ(oddText.errors.size(), 1u);
  EXPECT_EQ(oddText.errors[0].line, 3);
  EXPECT_EQ(oddText.errors[0].fault, RegFileFault::OddTextData);
}

// Text that came broken from the code page must not swallow the quote or
// the line break after it when the writer makes it UTF-16.
TEST(RegFileFormat, ABrokenCharacterBecomesOneReplacementAndTakesNothingAfterIt) {
  std::vector<std::uint8_t> wide;
  AppendUtf16(wide, "a\xF1\"\r\n\xE2\x82");
  EXPECT_EQ(Utf16ToUtf8(wide), "a\xEF\xBF\xBD\"\r\n\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace varnox
