// Baseline files: the content decides the format, the name may not claim
// another, a policy file needs its root, and faults of lines stay in the
// contents.

#include "settings/baseline_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "latin1_codec.h"

namespace varnox {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(const std::string& text) { return {text.begin(), text.end()}; }

Bytes Utf16(const std::string& text) {
  Bytes out = {0xFF, 0xFE};
  AppendUtf16(out, text);
  return out;
}

const Bytes kPolicy = {'P', 'R', 'e', 'g', 1, 0, 0, 0};
const Bytes kRegedit4 = Of("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\K]\r\n\"V\"=dword:00000001\r\n");
const Bytes kLgpo = Of("Computer\r\nK\r\nV\r\nDWORD:1\r\n");

struct Case {
  std::string name;
  Bytes bytes;
  std::optional<RegKey> root;
  BaselineKind kind;
  std::string error;  // empty when the file reads
};

TEST(ReadBaseline, TheContentDecidesAndTheNameMayNotClaimAnotherFormat) {
  Bytes cut = kPolicy;
  cut.push_back('[');
  const std::vector<Case> cases = {
      {"a.reg", kRegedit4, std::nullopt, BaselineKind::RegEdit4, ""},
      {"a.txt", Utf16("Windows Registry Editor Version 5.00\r\n"), std::nullopt, BaselineKind::RegEdit5, ""},
      {"Machine\\Registry.pol", kPolicy, kHkeyLocalMachine, BaselineKind::Policy, ""},
      {"policy.bin", kPolicy, kHkeyCurrentUser, BaselineKind::Policy, ""},
      {"empty.POL", {}, kHkeyLocalMachine, BaselineKind::Policy, ""},
      {"baseline.txt", kLgpo, std::nullopt, BaselineKind::LgpoText, ""},
      {"Registry.pol", kPolicy, std::nullopt, BaselineKind::Policy,
       "Registry.pol is a registry policy file of a root not known"},
      {"Registry.pol", cut, kHkeyLocalMachine, BaselineKind::Policy, "Registry.pol is not a registry policy file"},
      {"x.REG", kLgpo, std::nullopt, BaselineKind::LgpoText, "x.REG is not a registry file"},
      {"x.reg", kPolicy, kHkeyLocalMachine, BaselineKind::Policy, "x.reg is not a registry file"},
      {"x.pol", kRegedit4, kHkeyLocalMachine, BaselineKind::RegEdit4, "x.pol is not a registry policy file"},
      {"notes.txt", Of("Remember the milk\r\n"), std::nullopt, BaselineKind::LgpoText, "notes.txt is neither"},
  };
  for (const Case& c : cases) {
    const BaselineRead read = ReadBaseline(c.name, c.bytes, c.root, kLatin1);
    EXPECT_EQ(read.kind, c.kind) << c.name;
    if (c.error.empty()) {
      EXPECT_EQ(read.error, "") << c.name;
      EXPECT_TRUE(read.contents.recognised) << c.name;
    } else {
      EXPECT_EQ(read.error.substr(0, c.error.size()), c.error) << c.name;
      EXPECT_TRUE(read.contents.entries.empty()) << c.name << ": nothing to apply from a file in error";
    }
  }
}

TEST(ReadBaseline, FaultsOfLinesStayInTheContentsForTheCallerToJudge) {
  const BaselineRead read =
      ReadBaseline("b.txt", Of("User\r\nK\r\nV\r\nDELETE\r\n\r\nUser\r\nK\r\nW\r\nDWORD:x\r\n"), std::nullopt, kLatin1);
  EXPECT_EQ(read.error, "");
  EXPECT_EQ(read.contents.entries.size(), 1u);
  EXPECT_EQ(FirstErrorText(read.contents), "line 9: DWORD: needs a decimal or 0x hexadecimal number of 32 bits");
  EXPECT_EQ(FirstErrorText(RegFileContents{}), "");
}

}  // namespace
}  // namespace varnox
