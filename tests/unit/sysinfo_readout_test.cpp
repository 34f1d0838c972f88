#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "scripted_system.h"
#include "sysinfo/memory_text.h"
#include "sysinfo/up_time_text.h"

namespace varnox {
namespace {

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

TEST(MemoryText, TotalAndFreeInKilobytes) {
  struct Case {
    std::uint64_t bytes;
    const char* expected;
  };
  for (const Case c :
       {Case{268'435'456, "262144 Kb"}, Case{1'536, "2 Kb"}, Case{2'560, "2 Kb"}, Case{0, "0 Kb"}, Case{3'584, "4 Kb"},
        Case{4 * kGiB - 1, "4194304 Kb"}, Case{6 * kGiB, "6291456 Kb"}, Case{64 * kGiB + 512, "67108864 Kb"}}) {
    SCOPED_TRACE(c.bytes);
    ScriptedSystem system;
    system.memory = {c.bytes, 0};
    EXPECT_EQ(c.expected, TotalMemoryText(system));
    system.memory = {0, c.bytes};
    EXPECT_EQ(c.expected, FreeMemoryText(system));
  }
}

TEST(FileCacheText, SizesFailureAndMissingQuery) {
  ScriptedSystem system;
  system.fileCache = FileCacheInfo{0, 12 * 1024 * 1024, 30 * 1024 * 1024 + 1536};
  EXPECT_EQ("12288 Kb ( peak size 30722 Kb )", GetFileCacheText(system));

  system.fileCache = FileCacheInfo{0, 5 * kGiB, 6 * kGiB};
  EXPECT_EQ("5242880 Kb ( peak size 6291456 Kb )", GetFileCacheText(system));

  system.fileCache = FileCacheInfo{static_cast<long>(0xC0000004u - 0x100000000ll), 123456789, 987654321};
  EXPECT_EQ("File cache information not available", GetFileCacheText(system)) << "failed query, unfilled sizes";

  system.fileCache = std::nullopt;
  EXPECT_EQ("", GetFileCacheText(system));
}

TEST(UpTime, CounterScaledToMillisecondsRoundedHalfToEven) {
  struct Case {
    std::int64_t frequency, counter;
    std::uint64_t expected;
  };
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  for (const Case c : {
           Case{2'000, 1, 0},
           Case{2'000, 3, 2},
           Case{2'000, 5, 2},
           Case{2'000, 1'999, 1'000},
           Case{3'579'545, 3'579'545ll * 3600, 3'600'000},
           // 60 days, 1 hour, 1 minute, 1 second and a half tick: beyond what 32 bits of milliseconds hold.
           Case{3'579'545, 18'569'467'784'017, 5'187'661'500},
           // A 3 GHz counter 100 days up, half a millisecond before the next second.
           Case{3'000'000'000, 25'920'002'998'500'000, 8'640'001'000},
           Case{kMax, kMax - 1, 1'000},
           Case{1'000, -5, 0},
       }) {
    SCOPED_TRACE(testing::Message() << c.counter << " at " << c.frequency << " Hz");
    ScriptedSystem system;
    system.performanceFrequency = c.frequency;
    system.performanceCounter = c.counter;
    system.tickCount = 777;
    EXPECT_EQ(c.expected, UpTimeMilliseconds(system));
  }
}

TEST(UpTime, TickCountWithoutAPerformanceCounter) {
  ScriptedSystem system;
  system.tickCount = 50ull * 86'400'000 + 1'000;  // past the 49.7 days of a 32-bit tick count
  system.performanceCounter = 123;
  system.performanceFrequency = std::nullopt;
  EXPECT_EQ(system.tickCount, UpTimeMilliseconds(system));
  EXPECT_EQ("50 days, 00:00:01  ", GetUpTimeText(system));

  system.performanceFrequency = 0;  // a counter that does not count
  EXPECT_EQ(system.tickCount, UpTimeMilliseconds(system));
}

TEST(UpTime, TextFormat) {
  struct Case {
    std::uint64_t milliseconds;
    const char* expected;
  };
  for (const Case c : {
           Case{((3 * 24 + 4) * 60 + 5) * 60'000ull + 6'900, "3 days, 04:05:06  "},
           Case{0, "0 days, 00:00:00  "},
           Case{86'399'999, "0 days, 23:59:59  "},
           Case{86'400'000, "1 days, 00:00:00  "},
           Case{2'147'483'647, "24 days, 20:31:23  "},
           Case{2'147'483'648, "24 days, 20:31:23  "},
           Case{30ull * 86'400'000 + 45'296'000, "30 days, 12:34:56  "},
           Case{std::numeric_limits<std::uint64_t>::max(), "213503982334 days, 14:25:51  "},
       }) {
    SCOPED_TRACE(c.milliseconds);
    EXPECT_EQ(c.expected, FormatUpTime(c.milliseconds));
  }
}

TEST(UpTime, TextFromTheCounter) {
  ScriptedSystem system;
  system.performanceFrequency = 1'000;
  system.performanceCounter = ((3 * 24 + 4) * 60 + 5) * 60'000ll + 6'999;
  EXPECT_EQ("3 days, 04:05:06  ", GetUpTimeText(system)) << "milliseconds dropped, not rounded";
}

}  // namespace
}  // namespace varnox
