// Registry policy files: the bytes of each kind of record, what the parser
// accepts and refuses, and the merge with a file already there.

#include "settings/policy_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "latin1_codec.h"

namespace varnox {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kHeader = {'P', 'R', 'e', 'g', 1, 0, 0, 0};

Bytes Wide(const std::string& utf8) {
  Bytes out;
  AppendUtf16(out, utf8);
  return out;
}

// A record spelled out piece by piece, as the format describes it.
Bytes Record(const std::string& key, const std::string& name, std::uint32_t type, const Bytes& data) {
  Bytes out = Wide("[" + key);
  out.insert(out.end(), {0, 0});
  const Bytes middle = Wide(";" + name);
  out.insert(out.end(), middle.begin(), middle.end());
  out.insert(out.end(), {0, 0, ';', 0});
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(type >> shift));
  out.insert(out.end(), {';', 0});
  const auto size = static_cast<std::uint32_t>(data.size());
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(size >> shift));
  out.insert(out.end(), {';', 0});
  out.insert(out.end(), data.begin(), data.end());
  out.insert(out.end(), {']', 0});
  return out;
}

Bytes File(std::initializer_list<Bytes> records) {
  Bytes out = kHeader;
  for (const Bytes& record : records) out.insert(out.end(), record.begin(), record.end());
  return out;
}

RegistryEdit Set(const std::string& key, const std::string& name, std::uint32_t type, const Bytes& data) {
  return {RegistryEdit::Kind::SetValue, kHkeyLocalMachine, key, name, type, data};
}

RegistryEdit Delete(const std::string& key, const std::string& name) {
  return {RegistryEdit::Kind::DeleteValue, kHkeyLocalMachine, key, name, kRegNone, {}};
}

const Bytes kDeletionData = {' ', 0, 0, 0};

TEST(PolicyRecord, EachKindOfValueIsWrittenAsTheFormatSpellsIt) {
  // Latin-1 "é" in the key, the name and the text: UTF-16 U+00E9 in the file.
  const std::string key = "Software\\Caf\xE9";
  EXPECT_EQ(PolicyRecordBytes(Set(key, "Level", kRegDword, {5, 0, 0, 0}), kLatin1),
            Record("Software\\Café", "Level", kRegDword, {5, 0, 0, 0}));
  EXPECT_EQ(PolicyRecordBytes(Set(key, "N\xE9", kRegSz, {'a', 0xE9, 0}), kLatin1),
            Record("Software\\Café", "Né", kRegSz, {'a', 0, 0xE9, 0, 0, 0}));
  EXPECT_EQ(PolicyRecordBytes(Set(key, "Paths", kRegMultiSz, {'a', 0, 'b', 0, 0}), kLatin1),
            Record("Software\\Café", "Paths", kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}));
  EXPECT_EQ(PolicyRecordBytes(Set(key, "Raw", kRegBinary, {0xE9, 0}), kLatin1),
            Record("Software\\Café", "Raw", kRegBinary, {0xE9, 0}));
  EXPECT_EQ(PolicyRecordBytes(Delete(key, "Level"), kLatin1),
            Record("Software\\Café", "**del.Level", kRegSz, kDeletionData));
  EXPECT_TRUE(PolicyRecordBytes({RegistryEdit::Kind::CreateKey, kHkeyLocalMachine, key}, kLatin1).empty());
  EXPECT_TRUE(PolicyRecordBytes(RegistryEdit{.name = "a comment"}, kLatin1).empty());
}

TEST(PolicyFileParser, ReadsEveryRecordWhereItLies) {
  const Bytes first = Record("K\\A", "One", kRegDword, {1, 0, 0, 0});
  const Bytes second = Record("K\\B", "", kRegSz, {});
  const Bytes file = File({first, second});
  const auto records = ParsePolicyFile(file);
  ASSERT_TRUE(records);
  ASSERT_EQ(records->size(), 2u);
  EXPECT_EQ((*records)[0].offset, kHeader.size());
  EXPECT_EQ((*records)[0].size, first.size());
  EXPECT_EQ((*records)[0].key, "K\\A");
  EXPECT_EQ((*records)[0].valueName, "One");
  EXPECT_EQ((*records)[0].type, kRegDword);
  EXPECT_EQ(Bytes((*records)[0].data.begin(), (*records)[0].data.end()), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ((*records)[1].offset, kHeader.size() + first.size());
  EXPECT_EQ((*records)[1].valueName, "");
  EXPECT_TRUE((*records)[1].data.empty());
  EXPECT_TRUE(ParsePolicyFile(kHeader) && ParsePolicyFile(kHeader)->empty());
  EXPECT_TRUE(ParsePolicyFile({}) && ParsePolicyFile({})->empty()) << "no file has no records";
}

TEST(PolicyFileParser, EveryCutThroughARecordAndEveryForeignByteIsRefused) {
  const Bytes file = File({Record("K", "V", kRegSz, Wide(std::string("x\0", 2))), Record("K", "W", kRegDword, {})});
  const std::size_t boundary = file.size() - Record("K", "W", kRegDword, {}).size();
  for (std::size_t length = 1; length < file.size(); ++length) {
    const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_EQ(ParsePolicyFile(cut).has_value(), length == kHeader.size() || length == boundary) << length;
  }
  // The signature, the version, a bracket, a semicolon, the last bracket.
  for (const std::size_t at : {std::size_t{0}, std::size_t{4}, kHeader.size(), kHeader.size() + 6, file.size() - 2}) {
    Bytes changed = file;
    changed[at] ^= 0x40;
    EXPECT_FALSE(ParsePolicyFile(changed).has_value()) << at;
  }
  EXPECT_FALSE(ParsePolicyFile(Bytes{'R', 'E', 'G', 'E', 'D', 'I', 'T', '4', '\r', '\n'}));
  // A size past the end is refused without reading there.
  Bytes huge = File({Record("K", "V", kRegBinary, {1})});
  huge[huge.size() - 9] = 0xFF;
  huge[huge.size() - 8] = 0xFF;
  huge[huge.size() - 7] = 0xFF;
  huge[huge.size() - 6] = 0xFF;
  EXPECT_FALSE(ParsePolicyFile(huge));
}

TEST(PolicyFileMerge, OtherRecordsStayByteForByteAndTheSameValueIsReplacedWhateverItsCase) {
  // The existing file's own bytes, one of them a record no writer of ours makes.
  const Bytes keep1 = Record("Software\\Other", "Level", kRegDword, {7, 0, 0, 0});
  const Bytes replacedSet = Record("SOFTWARE\\Varnox", "LEVEL", kRegDword, {1, 0, 0, 0});
  const Bytes keep2 = Record("Software\\Varnox", "**delvals.", kRegSz, kDeletionData);
  const Bytes replacedDeletion = Record("software\\varnox", "**DEL.gone", kRegSz, kDeletionData);
  const Bytes keep3 = Record("Software\\Varnox", "Levels", kRegBinary, {0xAB});
  const Bytes existing = File({keep1, replacedSet, keep2, replacedDeletion, keep3});

  const std::vector<RegistryEdit> edits = {
      Set("Software\\Varnox", "Level", kRegDword, {2, 0, 0, 0}),
      {RegistryEdit::Kind::CreateKey, kHkeyLocalMachine, "Software\\Varnox\\New"},
      Set("Software\\Varnox", "Gone", kRegSz, {'x', 0}),
  };
  const auto merged = MergePolicyFile(existing, edits, kLatin1);
  ASSERT_TRUE(merged);
  EXPECT_EQ(*merged, File({keep1, keep2, keep3, Record("Software\\Varnox", "Level", kRegDword, {2, 0, 0, 0}),
                           Record("Software\\Varnox", "Gone", kRegSz, {'x', 0, 0, 0})}));

  // Deleting a value replaces its setting, too.
  const auto again = MergePolicyFile(*merged, {Delete("SOFTWARE\\VARNOX", "level")}, kLatin1);
  ASSERT_TRUE(again);
  EXPECT_EQ(*again, File({keep1, keep2, keep3, Record("Software\\Varnox", "Gone", kRegSz, {'x', 0, 0, 0}),
                          Record("SOFTWARE\\VARNOX", "**del.level", kRegSz, kDeletionData)}));
}

TEST(PolicyFileMerge, NoFileBecomesANewOneAndAForeignFileIsLeftAlone) {
  const std::vector<RegistryEdit> edits = {Set("K", "V", kRegDword, {1, 0, 0, 0})};
  EXPECT_EQ(MergePolicyFile({}, edits, kLatin1), File({Record("K", "V", kRegDword, {1, 0, 0, 0})}));
  EXPECT_EQ(MergePolicyFile({}, {}, kLatin1), kHeader);
  const Bytes regFile = {'R', 'E', 'G', 'E', 'D', 'I', 'T', '4'};
  EXPECT_FALSE(MergePolicyFile(regFile, edits, kLatin1));
  Bytes cut = File({Record("K", "W", kRegDword, {1, 0, 0, 0})});
  cut.pop_back();
  EXPECT_FALSE(MergePolicyFile(cut, edits, kLatin1)) << "a record cut short is no file to rewrite";
}

}  // namespace
}  // namespace varnox
