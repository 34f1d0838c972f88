#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "scripted_system.h"
#include "sysinfo/os_predicates.h"
#include "sysinfo/setting_support.h"

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
      {"Win81X64", {false, false, false, false, false, false}},
      {"Win10X64", {false, false, false, false, false, false}},
      {"Win11X64", {false, false, false, false, false, false}},
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

// Each setting family, across the releases and at the edges of the ranges:
// the answers are prefetcher, SuperFetch, idle tasks and user accounts,
// values that may be absent, and the managed last-access form.
TEST(SettingSupport, EachFamilyByRelease) {
  struct Case {
    const char* what;
    std::uint32_t platform, major, minor, build;
    std::array<bool, 5> answers;
  };
  const Case cases[] = {
      {"Vista", kPlatformNT, 6, 0, 6002, {true, true, false, false, false}},
      {"7", kPlatformNT, 6, 1, 7601, {true, true, true, false, false}},
      {"8", kPlatformNT, 6, 2, 9200, {true, true, true, true, false}},
      {"10 1709", kPlatformNT, 10, 0, 16299, {true, true, true, true, false}},
      {"10 1803", kPlatformNT, 10, 0, 17134, {true, true, true, true, true}},
      {"11", kPlatformNT, 10, 0, 22631, {true, true, true, true, true}},
      {"a later major", kPlatformNT, 11, 0, 30000, {true, true, true, true, true}},
      {"98 with a large build field", kPlatformWindows9x, 10, 0, 0x040A08AE, {false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedSystem system;
    system.version.platform = c.platform;
    system.version.major = c.major;
    system.version.minor = c.minor;
    system.version.build = c.build;
    EXPECT_EQ(c.answers, (std::array<bool, 5>{HonoursPrefetcher(system), HonoursSuperFetch(system),
                                              HasIdleTasksAndUserAccounts(system), ValuesMayBeAbsent(system),
                                              HasManagedLastAccess(system)}));
  }
}

}  // namespace
}  // namespace varnox
