// The recording registry behind "Save changes as...": it must answer as
// the real registry would after the calls so far, and record only what
// would really change.

#include <gtest/gtest.h>

#include "latin1_codec.h"
#include "memory_registry.h"
#include "settings/dry_run_registry.h"
#include "settings/read_log_registry.h"
#include "settings/reg_file_reader.h"
#include "settings/registry.h"

namespace varnox {
namespace {

using Kind = RegistryEdit::Kind;

TEST(DryRunRegistry, RecordsOnlyRealChangesAndAnswersAsAfterThem) {
  MemoryRegistry real;
  real.SetDword(kHkeyLocalMachine, "SOFTWARE\\There", "Old", 1);
  const auto before = real.Dump();
  DryRunRegistry dryRun(real);
  {
    TRegistry reg(dryRun);
    reg.SetRoot(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey("software\\there", true)) << "an existing key is opened, not made";
    EXPECT_FALSE(reg.DeleteValue("Missing")) << "deleting what is not there changes nothing";
    EXPECT_TRUE(reg.DeleteValue("Old"));
    EXPECT_FALSE(reg.ValueExists("OLD")) << "a recorded deletion is seen";
    reg.WriteText("New", "text");
    EXPECT_EQ(reg.ReadText("new"), "text") << "a recorded write is seen";
    EXPECT_FALSE(reg.OpenKey("SOFTWARE\\Missing", false));
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Missing\\Made", true));
    reg.WriteDword("Number", 7);
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Missing\\Made", false)) << "a recorded key opens";
    EXPECT_EQ(reg.ReadDword("Number"), 7);
  }
  EXPECT_EQ(real.Dump(), before);
  EXPECT_FALSE(real.KeyExists(kHkeyLocalMachine, "SOFTWARE\\Missing"));
  EXPECT_EQ(real.OpenHandleCount(), 0u);

  std::vector<std::pair<Kind, std::string>> edits;
  for (const RegistryEdit& edit : dryRun.Edits()) edits.emplace_back(edit.kind, edit.keyPath + ":" + edit.name);
  EXPECT_EQ(edits, (std::vector<std::pair<Kind, std::string>>{{Kind::DeleteValue, "software\\there:Old"},
                                                              {Kind::SetValue, "software\\there:New"},
                                                              {Kind::CreateKey, "SOFTWARE\\Missing\\Made:"},
                                                              {Kind::SetValue, "SOFTWARE\\Missing\\Made:Number"}}));
  EXPECT_EQ(dryRun.Edits()[1].type, kRegSz);
  EXPECT_EQ(dryRun.Edits()[1].data, (std::vector<std::uint8_t>{'t', 'e', 'x', 't', 0}));
}

// A key name from the registry's own data may end in a backslash (an
// adapter's service name, say), so a path built from it holds an empty
// part. The registry passes over it; the records name the key that really
// opened, so the file written from them reads back.
TEST(DryRunRegistry, RecordsKeysAsTheRegistryResolvesThem) {
  MemoryRegistry real;
  real.SetDword(kHkeyLocalMachine, "SOFTWARE\\There\\Sub", "Old", 1);
  DryRunRegistry dryRun(real);
  ReadLogRegistry reads(dryRun);
  reads.SetRecording(true);
  {
    TRegistry reg(reads);
    reg.SetRoot(kHkeyLocalMachine);
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\There\\\\Sub\\", false));
    EXPECT_EQ(reg.ReadDword("Old"), 1);
    reg.WriteDword("Old", 2);
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\\\Made\\", true));
  }
  ASSERT_EQ(dryRun.Edits().size(), 2u);
  EXPECT_EQ(dryRun.Edits()[0].keyPath, "SOFTWARE\\There\\Sub");
  EXPECT_EQ(dryRun.Edits()[1].keyPath, "SOFTWARE\\Made");
  EXPECT_TRUE(reads.Reads().Has({kHkeyLocalMachine, "SOFTWARE\\There\\Sub", "Old"}));
  EXPECT_TRUE(reads.Keys().Has({kHkeyLocalMachine, "SOFTWARE\\Made", ""}));

  const RegFileContents file = ParseRegFile(RegFileBytes(RegFileFormat::Version5, dryRun.Edits(), kLatin1), kLatin1);
  EXPECT_TRUE(file.errors.empty());
  std::vector<std::pair<Kind, std::string>> read;
  for (const RegFileEntry& entry : file.entries) read.emplace_back(entry.edit.kind, entry.edit.keyPath);
  EXPECT_EQ(read, (std::vector<std::pair<Kind, std::string>>{{Kind::CreateKey, "SOFTWARE\\There\\Sub"},
                                                             {Kind::SetValue, "SOFTWARE\\There\\Sub"},
                                                             {Kind::CreateKey, "SOFTWARE\\Made"}}));
}

}  // namespace
}  // namespace varnox
