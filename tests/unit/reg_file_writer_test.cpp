// The registry file writer against files written out by hand: every value
// kind, escaping, deletions, a key on its own, hex folding, and both
// encodings, on an ANSI code page (Latin-1 here) that differs from UTF-8.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/reg_file_writer.h"

#include "latin1_codec.h"

namespace varnox {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

RegistryEdit Set(RegKey root, const std::string& key, const std::string& name, std::uint32_t type,
                 std::vector<std::uint8_t> data) {
  return {RegistryEdit::Kind::SetValue, root, key, name, type, std::move(data)};
}

std::vector<RegistryEdit> EveryKind() {
  const std::string key = "SOFTWARE\\Varnox Test";
  std::vector<std::uint8_t> counting;
  for (std::uint8_t b = 0; b < 40; ++b) counting.push_back(b);
  return {
      {RegistryEdit::Kind::Comment, 0, {}, "Windows NT 4.0, 2026-12-07 21:40:05: caf\xC3\xA9", kRegNone, {}},
      {RegistryEdit::Kind::CreateKey, kHkeyLocalMachine, key + "\\Created", {}, kRegNone, {}},
      Set(kHkeyLocalMachine, key, "Path", kRegSz, Bytes(std::string("C:\\Dir \"q\" caf\xE9") + '\0')),
      Set(kHkeyLocalMachine, key, "", kRegSz, Bytes(std::string("default") + '\0')),
      Set(kHkeyLocalMachine, key, "Quote\"d", kRegDword, {0x0a, 0, 0, 0}),
      Set(kHkeyLocalMachine, key, "Bytes", kRegBinary, {0x01, 0xff}),
      Set(kHkeyLocalMachine, key, "Long", kRegBinary, counting),
      Set(kHkeyLocalMachine, key, "Expand", kRegExpandSz, Bytes(std::string("%SystemRoot%\\caf\xE9") + '\0')),
      Set(kHkeyLocalMachine, key, "Multi", kRegMultiSz, Bytes(std::string("a\0b\0\0", 5))),
      // Text that "text" cannot carry goes as hex(1).
      Set(kHkeyLocalMachine, key, "Lines", kRegSz, Bytes(std::string("one\r\ntwo") + '\0')),
      Set(kHkeyLocalMachine, key, "Short", kRegDword, {1, 2, 3}),
      {RegistryEdit::Kind::DeleteValue, kHkeyLocalMachine, key, "Gone", kRegNone, {}},
      Set(kHkeyLocalMachine, key, "Empty", kRegBinary, {}),
      Set(kHkeyCurrentUser, "Control Panel\\Desktop", "MenuShowDelay", kRegSz, Bytes(std::string("400") + '\0')),
  };
}

std::vector<std::uint8_t> Golden(const char* name) {
  std::ifstream file(std::filesystem::path(VARNOX_GOLDEN_DIR) / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Printable(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  for (std::uint8_t b : bytes) {
    if (b != 0) text.push_back(static_cast<char>(b));
  }
  return text;
}

TEST(RegFileWriter, WritesEveryKindAsTheHandWrittenFiles) {
  for (const auto& [format, golden] :
       {std::pair{RegFileFormat::Regedit4, "regedit4.reg"}, std::pair{RegFileFormat::Version5, "version5.reg"}}) {
    const std::vector<std::uint8_t> expected = Golden(golden);
    ASSERT_FALSE(expected.empty()) << golden;
    const std::vector<std::uint8_t> written = RegFileBytes(format, EveryKind(), kLatin1);
    EXPECT_EQ(written, expected) << golden << ":\n" << Printable(written);
  }
}

TEST(RegFileWriter, SplitsSectionsOnlyWhereTheKeyChanges) {
  // Key names compare without case, as the registry compares them.
  const std::vector<RegistryEdit> edits = {
      Set(kHkeyLocalMachine, "SOFTWARE\\A", "x", kRegDword, {1, 0, 0, 0}),
      Set(kHkeyLocalMachine, "software\\a", "y", kRegDword, {2, 0, 0, 0}),
      Set(kHkeyCurrentUser, "SOFTWARE\\A", "z", kRegDword, {3, 0, 0, 0}),
      {RegistryEdit::Kind::Comment, 0, {}, "HKEY_LOCAL_MACHINE\\B does not exist", kRegNone, {}},
      Set(kHkeyCurrentUser, "SOFTWARE\\A", "w", kRegDword, {4, 0, 0, 0}),
  };
  const std::vector<std::uint8_t> written = RegFileBytes(RegFileFormat::Regedit4, edits, kLatin1);
  EXPECT_EQ(std::string(written.begin(), written.end()),
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\r\n\"x\"=dword:00000001\r\n\"y\"=dword:00000002\r\n\r\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\A]\r\n\"z\"=dword:00000003\r\n\r\n"
            "; HKEY_LOCAL_MACHINE\\B does not exist\r\n\r\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\A]\r\n\"w\"=dword:00000004\r\n\r\n");
}

}  // namespace
}  // namespace varnox
