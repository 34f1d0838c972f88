// Text-to-number with a default, and numbers into a spinner's 16 bits.

#include "settings/text_number.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/spinner_range.h"

namespace varnox {
namespace {

constexpr std::int32_t kDefault = -77;

TEST(TextToNumber, ReadsDecimalWithOptionalSignAfterBlanks) {
  EXPECT_EQ(TextToNumber("0", kDefault), 0);
  EXPECT_EQ(TextToNumber("42", kDefault), 42);
  EXPECT_EQ(TextToNumber("+42", kDefault), 42);
  EXPECT_EQ(TextToNumber("-42", kDefault), -42);
  EXPECT_EQ(TextToNumber("  \t 7", kDefault), 7);
  EXPECT_EQ(TextToNumber("007", kDefault), 7);
}

TEST(TextToNumber, ReadsHexadecimalAfterADollarSign) {
  EXPECT_EQ(TextToNumber("$1F", kDefault), 31);
  EXPECT_EQ(TextToNumber("$1f", kDefault), 31);
  EXPECT_EQ(TextToNumber(" $0", kDefault), 0);
  EXPECT_EQ(TextToNumber("$7FFFFFFF", kDefault), 2147483647);
  EXPECT_EQ(TextToNumber("$FFFFFFFF", kDefault), -1) << "hexadecimal fills all 32 bits";
  EXPECT_EQ(TextToNumber("$80000000", kDefault), -2147483647 - 1);
  EXPECT_EQ(TextToNumber("$0000000000FF", kDefault), 255) << "leading zeros do not count against the width";
}

TEST(TextToNumber, KeepsTheLimitsOf32Bits) {
  EXPECT_EQ(TextToNumber("2147483647", kDefault), 2147483647);
  EXPECT_EQ(TextToNumber("-2147483648", kDefault), -2147483647 - 1);
  EXPECT_EQ(TextToNumber("2147483648", kDefault), kDefault);
  EXPECT_EQ(TextToNumber("-2147483649", kDefault), kDefault);
  EXPECT_EQ(TextToNumber("4294967295", kDefault), kDefault);
  EXPECT_EQ(TextToNumber("99999999999999999999999", kDefault), kDefault);
  EXPECT_EQ(TextToNumber("$100000000", kDefault), kDefault);
}

TEST(TextToNumber, GivesTheDefaultForAnythingElse) {
  for (const char* text : {"", "   ", "+", "-", "$", "-$1F", "+$1F", "$-1", "12 ", "1 2", "12a", "0x1F", "1.5", "--1",
                           "+-1", "$G", "\xB9"}) {
    EXPECT_EQ(TextToNumber(text, kDefault), kDefault) << '"' << text << '"';
  }
  EXPECT_EQ(TextToNumber(std::string("1\0"
                                     "2",
                                     3),
                         kDefault),
            kDefault)
      << "an inner NUL is a character too";
}

TEST(SpinnerPosition, FitsSixteenBitsOrRaisesTheRangeError) {
  EXPECT_EQ(ToSpinnerPosition(32767), 32767);
  EXPECT_EQ(ToSpinnerPosition(-32768), -32768);
  EXPECT_EQ(ToSpinnerPosition(0), 0);
  for (std::int64_t number : {std::int64_t{32768}, std::int64_t{-32769}, std::int64_t{4294967295}}) {
    try {
      ToSpinnerPosition(number);
      ADD_FAILURE() << number << " should not fit";
    } catch (const ERangeError& error) {
      EXPECT_STREQ(error.what(), "Range check error");
    }
  }
}

}  // namespace
}  // namespace varnox
