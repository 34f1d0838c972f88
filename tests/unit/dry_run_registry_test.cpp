// The recording registry behind "Save changes as...": it must answer as
// the real registry would after the calls so far, and record only what
// would really change.

#include <gtest/gtest.h>

#include "memory_registry.h"
#include "settings/dry_run_registry.h"
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

}  // namespace
}  // namespace varnox
