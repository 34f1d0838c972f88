// LGPO text: each kind of record in every encoding, the faults with their
// lines and what is read after them, and the writer's text reading back.

#include "settings/lgpo_text.h"
#include "settings/baseline_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "latin1_codec.h"

namespace varnox {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Kind = RegistryEdit::Kind;

Bytes Of(const std::string& text) { return {text.begin(), text.end()}; }

RegistryEdit Set(RegKey root, const std::string& key, const std::string& name, std::uint32_t type, const Bytes& data) {
  return {Kind::SetValue, root, key, name, type, data};
}

std::vector<RegistryEdit> Edits(const RegFileContents& contents) {
  std::vector<RegistryEdit> edits;
  for (const RegFileEntry& entry : contents.entries) edits.push_back(entry.edit);
  return edits;
}

// UTF-8, with the ways people write it: comments, blanks around lines, any
// case, a default value's empty name line, LF and CR LF alike.
const std::string kEveryKind =
    "; Baseline caf\xC3\xA9\r\n"
    "\r\n"
    "  computer \r\n"
    " Software\\Caf\xC3\xA9 \r\n"
    "N\xC3\xA9\r\n"
    "DWORD:4294967295\r\n"
    "\r\n"
    "; between records\n"
    "User\nK\n\n  dword: 0x1F \n"
    "\n"
    "Computer\nK\nText\nSZ:  two  blanks  \r\n"
    "Computer\nK\nPath\nEXSZ:%SystemRoot%\\caf\xC3\xA9\n"
    "Computer\nK\nList\nMULTISZ:a\\0\\0b\\\\0c\\0\n"
    "Computer\nK\nNone\nMULTISZ:\n"
    "Computer\nK\nGone\nDELETE\n"
    "Computer\nK\\Sub\n*\nCREATEKEY\n"
    "User\nK\n*\nDELETEALLVALUES\n";

const std::vector<RegistryEdit> kEveryKindEdits = {
    Set(kHkeyLocalMachine, "Software\\Caf\xE9", "N\xE9", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}),
    Set(kHkeyCurrentUser, "K", "", kRegDword, {0x1F, 0, 0, 0}),
    Set(kHkeyLocalMachine, "K", "Text", kRegSz, Of(std::string("  two  blanks  \0", 16))),
    Set(kHkeyLocalMachine, "K", "Path", kRegExpandSz, Of(std::string("%SystemRoot%\\caf\xE9\0", 18))),
    Set(kHkeyLocalMachine, "K", "List", kRegMultiSz, Of(std::string("a\0b\\\0c\0\0", 8))),
    Set(kHkeyLocalMachine, "K", "None", kRegMultiSz, {0}),
    {Kind::DeleteValue, kHkeyLocalMachine, "K", "Gone"},
    {Kind::CreateKey, kHkeyLocalMachine, "K\\Sub"},
    {Kind::Comment, kHkeyCurrentUser, "K", "**delvals."},
};

TEST(LgpoTextReader, ReadsEveryKindOfRecordInEveryEncoding) {
  Bytes utf16 = {0xFF, 0xFE};
  AppendUtf16(utf16, kEveryKind);
  const std::vector<std::pair<std::string, Bytes>> files = {
      {"UTF-8", Of(kEveryKind)},
      {"UTF-8 with a mark", Of("\xEF\xBB\xBF" + kEveryKind)},
      {"UTF-16", utf16},
      {"ANSI", Of(Utf8ToLatin1(kEveryKind))},
  };
  for (const auto& [name, bytes] : files) {
    const RegFileContents contents = ParseLgpoText(bytes, kLatin1);
    EXPECT_TRUE(contents.recognised) << name;
    EXPECT_TRUE(contents.errors.empty()) << name << ": line " << contents.errors.front().line;
    EXPECT_EQ(contents.unicode, name != "ANSI");
    EXPECT_EQ(contents.firstComment, "Baseline caf\xC3\xA9") << name;
    EXPECT_EQ(Edits(contents), kEveryKindEdits) << name;
    ASSERT_EQ(contents.entries.size(), kEveryKindEdits.size());
    EXPECT_EQ(contents.entries[0].line, 3) << name << ": a record's line is its first";
    EXPECT_EQ(contents.entries[1].line, 9) << name;
  }
}

struct Broken {
  std::string record;  // between two good records, with the blank line after it
  int line;            // counted from the broken record's first line
  RegFileFault fault;
};

TEST(LgpoTextReader, ReportsEachFaultWithItsLineAndReadsOn) {
  const std::vector<Broken> cases = {
      {"Machine\nK\nV\nDWORD:1\n\n", 1, RegFileFault::UnknownConfiguration},
      {"Computer\n\n", 1, RegFileFault::IncompleteRecord},
      {"Computer\nK\\\\L\nV\nDWORD:1\n\n", 2, RegFileFault::EmptyKeyName},
      {"Computer\nK\nV\nQWORD:1\n\n", 4, RegFileFault::UnknownAction},
      {"Computer\nK\nV\nDWORD:4294967296\n\n", 4, RegFileFault::BadNumber},
      {"Computer\nK\nV\nDWORD:0x100000000\n\n", 4, RegFileFault::BadNumber},
      {std::string("Computer\nK\nV\0W\nDWORD:1\n\n", 24), 3, RegFileFault::NulCharacter},
      {std::string("Computer\nK\nV\nSZ:a\0b\n\n", 21), 4, RegFileFault::NulCharacter},
      // A value without its action, the next record straight after or after a blank line.
      {"Computer\nK\nV\n", 1, RegFileFault::IncompleteRecord},
      {"Computer\nK\nV\n\n", 1, RegFileFault::IncompleteRecord},
  };
  for (const Broken& broken : cases) {
    const std::string text = "Computer\nK\nBefore\nDWORD:1\n\n" + broken.record + "User\nK\nAfter\nSZ:x\n";
    const RegFileContents contents = ParseLgpoText(Of(text), kLatin1);
    EXPECT_TRUE(contents.recognised) << broken.record;
    ASSERT_EQ(contents.errors.size(), 1u) << broken.record;
    EXPECT_EQ(contents.errors[0].line, 5 + broken.line) << broken.record;
    EXPECT_EQ(contents.errors[0].fault, broken.fault)
        << broken.record << ": " << FileFaultText(contents.errors[0].fault);
    ASSERT_EQ(contents.entries.size(), 2u) << broken.record << ": the records around it read, nothing of it";
    EXPECT_EQ(contents.entries.back().edit.name, "After") << broken.record;
  }
}

TEST(LgpoTextReader, WholeFileFaults) {
  // A record cut short by the end of the file is named on its first line.
  const RegFileContents cut = ParseLgpoText(Of("Computer\nK\nV\nDWORD:1\n\nUser\nK\nV"), kLatin1);
  ASSERT_EQ(cut.errors.size(), 1u);
  EXPECT_EQ(cut.errors[0].line, 6);
  EXPECT_EQ(cut.errors[0].fault, RegFileFault::IncompleteRecord);
  EXPECT_EQ(cut.entries.size(), 1u);
  // Text of another kind is not read at all, even where a record follows.
  const RegFileContents other = ParseLgpoText(Of("hello\n\nUser\nK\nV\nDELETE\n"), kLatin1);
  EXPECT_FALSE(other.recognised);
  EXPECT_TRUE(other.entries.empty());
  ASSERT_EQ(other.errors.size(), 1u);
  EXPECT_EQ(other.errors[0].line, 1);
  // Comments alone are a file with no records.
  const RegFileContents empty = ParseLgpoText(Of("; nothing yet\r\n\r\n"), kLatin1);
  EXPECT_TRUE(empty.recognised && empty.entries.empty() && empty.errors.empty());
  // UTF-16 with half a character at its end.
  Bytes odd = {0xFF, 0xFE};
  AppendUtf16(odd, "User\r\nK\r\nV\r\nDELETE\r\n");
  odd.push_back('x');
  const RegFileContents half = ParseLgpoText(odd, kLatin1);
  ASSERT_EQ(half.errors.size(), 1u);
  EXPECT_EQ(half.errors[0].fault, RegFileFault::OddLength);
  EXPECT_EQ(half.entries.size(), 1u);
}

TEST(LgpoTextWriter, WritesWhatReadsBackTheSameAndLeavesOutTheRest) {
  std::vector<RegistryEdit> unwritable = {
      Set(kHkeyUsers, "S-1-5-18\\K", "V", kRegDword, {1, 0, 0, 0}),
      Set(kHkeyLocalMachine, "K", "Bin", kRegBinary, {1}),
      Set(kHkeyLocalMachine, "K", "Lines", kRegSz, Of(std::string("a\r\nb\0", 5))),
      Set(kHkeyLocalMachine, "K", "Inner", kRegSz, Of(std::string("a\0b\0", 4))),
      Set(kHkeyLocalMachine, "K", "Mark", kRegMultiSz, Of(std::string("a\\0b\0\0", 6))),
      Set(kHkeyLocalMachine, "K", "Hole", kRegMultiSz, Of(std::string("a\0\0b\0\0", 6))),
      Set(kHkeyLocalMachine, "K ", "Blank", kRegDword, {1, 0, 0, 0}),
      Set(kHkeyLocalMachine, "K", "Two\nlines", kRegDword, {1, 0, 0, 0}),
      {Kind::DeleteKey, kHkeyLocalMachine, "K"},
      {Kind::Comment, kHkeyLocalMachine, "K", "**DeleteKeys"},
  };
  std::vector<RegistryEdit> writable = kEveryKindEdits;
  writable.push_back(Set(kHkeyLocalMachine, "K", "Ends in CR", kRegSz, Of(std::string("x\r\0", 3))));
  writable.push_back(Set(kHkeyLocalMachine, "K", "Backslashes", kRegMultiSz, Of(std::string("a\\\0\\b\0\0", 7))));
  std::vector<RegistryEdit> all = writable;
  all.insert(all.begin() + 1, unwritable.begin(), unwritable.end());
  for (const RegistryEdit& edit : unwritable) EXPECT_FALSE(LgpoWritable(edit, kLatin1)) << edit.name;

  const std::string text = LgpoText(all, kLatin1);
  const RegFileContents reread = ParseLgpoText(Of(text), kLatin1);
  EXPECT_TRUE(reread.recognised);
  EXPECT_TRUE(reread.errors.empty());
  EXPECT_EQ(Edits(reread), writable);
  // One record as the format spells it, after the comment line and a blank one.
  EXPECT_EQ(LgpoText({writable[0]}, kLatin1).substr(text.find("\r\n")),
            "\r\n\r\nComputer\r\nSoftware\\Caf\xC3\xA9\r\nN\xC3\xA9\r\nDWORD:4294967295\r\n");
}

}  // namespace
}  // namespace varnox
