// Proves that the rig's per-test Windows version reaches the program: the
// version record GetVersionExA returns must be the one the test asked for,
// given as VARNOX_EXPECTED_VERSION="major.minor platform".
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Expected {
  unsigned long major = 0;
  unsigned long minor = 0;
  unsigned long platform = 0;
};

bool ReadExpected(Expected &expected) {
  const char *text = std::getenv("VARNOX_EXPECTED_VERSION");
  return text && std::sscanf(text, "%lu.%lu %lu", &expected.major, &expected.minor, &expected.platform) == 3;
}

TEST(WineVersion, GetVersionExReportsTheEmulatedVersion) {
  Expected expected;
  ASSERT_TRUE(ReadExpected(expected)) << "VARNOX_EXPECTED_VERSION is missing or malformed";

  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(info.dwMajorVersion, expected.major);
  EXPECT_EQ(info.dwMinorVersion, expected.minor);
  EXPECT_EQ(info.dwPlatformId, expected.platform);
}

}  // namespace
