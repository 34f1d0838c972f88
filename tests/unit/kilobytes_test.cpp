// Byte counts as the kilobyte figures of the Information page.

#include "settings/kilobytes.h"

#include <gtest/gtest.h>

namespace varnox {
namespace {

TEST(Kilobytes, RoundsToTheNearestWithHalvesToEven) {
  EXPECT_EQ(Kilobytes(0), 0u);
  EXPECT_EQ(Kilobytes(511), 0u);
  EXPECT_EQ(Kilobytes(512), 0u) << "half of one kilobyte goes to the even 0";
  EXPECT_EQ(Kilobytes(513), 1u);
  EXPECT_EQ(Kilobytes(1536), 2u);
  EXPECT_EQ(Kilobytes(2560), 2u);
  EXPECT_EQ(Kilobytes(2561), 3u);
  EXPECT_EQ(Kilobytes(3584), 4u);
  EXPECT_EQ(Kilobytes(268435456), 262144u);
}

TEST(Kilobytes, TakesCountsBeyondFourGibibytes) {
  EXPECT_EQ(Kilobytes(3ull << 30), 3145728u);
  EXPECT_EQ(Kilobytes(6ull << 30), 6291456u);
  EXPECT_EQ(Kilobytes(0xFFFFFFFFFFFFFFFFull), 0x40000000000000ull) << "rounds up without overflowing";
}

TEST(Kilobytes, TextIsPlainDecimalAndKb) {
  EXPECT_EQ(KilobytesText(0), "0 Kb");
  EXPECT_EQ(KilobytesText(268435456), "262144 Kb");
  EXPECT_EQ(KilobytesText(6ull << 30), "6291456 Kb");
}

}  // namespace
}  // namespace varnox
