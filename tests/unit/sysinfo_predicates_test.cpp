#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "scripted_system.h"
#include "sysinfo/os_predicates.h"

namespace varnox {
namespace {

// The six answers in the order NT4, 2000, XP, 2003, Vista, 7.
using Answers = std::array<bool, 6>;

Answers AskAll(SystemApi& system) {
  return {IsWinNT4(system), IsWin2000(system), IsWinXP(system), IsWin2003(system), IsWinVista(system), IsWin7(system)};
}

TEST(OsPredicates, EachPresetMatchesExactlyItsOwnRelease) {
  const std::map<std::string, Answers> expected = {
      {"WinNT4Sp6Workstation", {true, false, false, false, false, false}},
      {"Win2000Professional", {false, true, false, false, false, false}},
      {"WinXPSp3", {false, false, true, false, false, false}},
      {"Win2003Server", {false, false, false, true, false, false}},
      {"WinVista", {false, false, false, false, true, false}},
      {"Win7X64", {false, false, false, false, false, true}},
      {"Win98SE", {false, false, false, false, false, false}},
      {"WinNT351", {false, false, false, false, false, false}},
      {"Win8", {false, false, false, false, false, false}},
  };
  ASSERT_EQ(expected.size(), AllScriptedPresets().size());
  for (const ScriptedPreset& preset : AllScriptedPresets()) {
    SCOPED_TRACE(preset.name);
    ScriptedSystem system = preset.make();
    EXPECT_EQ(expected.at(preset.name), AskAll(system));
  }
}

TEST(OsPredicates, OnlyTheNTPlatformCounts) {
  // Versions the NT predicates know, reported by a platform that is not NT.
  struct Case {
    std::uint32_t platform, major, minor;
  };
  for (const Case c : {Case{kPlatformWin32s, 5, 1}, Case{kPlatformWindows9x, 4, 0}, Case{3, 5, 1}, Case{3, 6, 1}}) {
    SCOPED_TRACE(testing::Message() << "platform " << c.platform << " version " << c.major << "." << c.minor);
    ScriptedSystem system;
    system.version.platform = c.platform;
    system.version.major = c.major;
    system.version.minor = c.minor;
    EXPECT_EQ(Answers{}, AskAll(system));
  }
}

TEST(OsPredicates, NT4IgnoresTheMinorVersionAndTheOthersDoNot) {
  ScriptedSystem system = ScriptedSystem::WinNT4Sp6Workstation();
  system.version.minor = 10;
  EXPECT_TRUE(IsWinNT4(system));

  system = ScriptedSystem::WinXPSp3();
  system.version.minor = 3;  // 5.3 is no release the program knows
  EXPECT_EQ(Answers{}, AskAll(system));
}

TEST(OsPredicates, AskTheSystemOnEveryCall) {
  ScriptedSystem system = ScriptedSystem::WinXPSp3();
  EXPECT_TRUE(IsWinXP(system));
  const int queries = system.versionQueries;

  system.version.minor = 2;
  EXPECT_FALSE(IsWinXP(system));
  EXPECT_TRUE(IsWin2003(system));
  EXPECT_EQ(queries + 2, system.versionQueries);
}

}  // namespace
}  // namespace varnox
