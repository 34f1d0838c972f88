// A registry policy file read as entries: what each kind of record becomes,
// and files the parser refuses.

#include "settings/policy_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "latin1_codec.h"

namespace varnox {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Kind = RegistryEdit::Kind;

const Bytes kHeader = {'P', 'R', 'e', 'g', 1, 0, 0, 0};

// A record as the writer makes it, whatever its name means (Latin-1 in, UTF-16 in the file).
Bytes Record(const std::string& key, const std::string& name, std::uint32_t type, const Bytes& data) {
  return PolicyRecordBytes({Kind::SetValue, kHkeyLocalMachine, key, name, type, data}, kLatin1);
}

Bytes File(std::initializer_list<Bytes> records) {
  Bytes out = kHeader;
  for (const Bytes& record : records) out.insert(out.end(), record.begin(), record.end());
  return out;
}

TEST(PolicyFileEntries, EachRecordBecomesTheEntryItStandsFor) {
  // Text data of an odd size: a binary record, its type then made REG_MULTI_SZ.
  Bytes odd = Record("K", "Odd", kRegBinary, {'a', 0, 0});
  odd[18] = kRegMultiSz;
  const Bytes file =
      File({Record("Software\\Caf\xE9", "N\xE9", kRegSz, {0xE9, 0}), Record("K", "**del.Gone", kRegSz, {' ', 0}),
            Record("K", "**DelVals.", kRegSz, {' ', 0}), Record("K", "**DeleteValues", kRegSz, {'a', ';', 'b', 0}),
            Record("K\\New", "", kRegNone, {}), odd, Record("K", "Level", kRegDword, {2, 0, 0, 0})});

  const RegFileContents contents = PolicyFileEntries(file, kHkeyCurrentUser, kLatin1);
  EXPECT_TRUE(contents.recognised);
  ASSERT_EQ(contents.errors.size(), 1u);
  EXPECT_EQ(contents.errors[0].line, 6) << "text data in half a character";
  EXPECT_EQ(contents.errors[0].fault, RegFileFault::OddTextData);
  std::vector<RegistryEdit> edits;
  std::vector<int> lines;
  for (const RegFileEntry& entry : contents.entries) {
    edits.push_back(entry.edit);
    lines.push_back(entry.line);
  }
  EXPECT_EQ(edits, (std::vector<RegistryEdit>{
                       {Kind::SetValue, kHkeyCurrentUser, "Software\\Caf\xE9", "N\xE9", kRegSz, {0xE9, 0}},
                       {Kind::DeleteValue, kHkeyCurrentUser, "K", "Gone"},
                       {Kind::Comment, kHkeyCurrentUser, "K", "**delvals."},
                       {Kind::Comment, kHkeyCurrentUser, "K", "**DeleteValues", kRegSz, {'a', ';', 'b', 0}},
                       {Kind::CreateKey, kHkeyCurrentUser, "K\\New"},
                       {Kind::SetValue, kHkeyCurrentUser, "K", "Level", kRegDword, {2, 0, 0, 0}},
                   }));
  EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 4, 5, 7}));
  EXPECT_TRUE(KeyInstruction(edits[2]) && KeyInstruction(edits[3]));
  EXPECT_FALSE(KeyInstruction(RegistryEdit{.name = "a comment"}));
}

TEST(PolicyFileEntries, AFileTheParserRefusesIsNotRecognisedAndGivesNothing) {
  Bytes cut = File({Record("K", "V", kRegDword, {1, 0, 0, 0})});
  cut.pop_back();
  for (const Bytes& bytes : {cut, Bytes{'R', 'E', 'G', 'E', 'D', 'I', 'T', '4'}}) {
    const RegFileContents contents = PolicyFileEntries(bytes, kHkeyLocalMachine, kLatin1);
    EXPECT_FALSE(contents.recognised);
    EXPECT_TRUE(contents.entries.empty());
    ASSERT_EQ(contents.errors.size(), 1u);
    EXPECT_EQ(contents.errors[0].fault, RegFileFault::NotAPolicyFile);
  }
  const RegFileContents none = PolicyFileEntries({}, kHkeyLocalMachine, kLatin1);
  EXPECT_TRUE(none.recognised && none.entries.empty() && none.errors.empty()) << "no file has no records";
}

}  // namespace
}  // namespace varnox
