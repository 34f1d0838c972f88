// The standard containers' own errors, raised through the library's
// replacements: they arrive as the library's Error, with the run-time's
// message and its numbers filled in, and the catch-all handler reports them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "toolkit/dispatch.h"

namespace varnox {
namespace {

template <class Action>
std::string ErrorText(Action action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  } catch (const std::exception& error) {
    return std::string("not the library's error: ") + error.what();
  }
  return "nothing thrown";
}

TEST(RunTimeErrors, IndexErrorsCarryTheirNumbers) {
  const std::string text = "abc";
  EXPECT_EQ(ErrorText([&] { (void)text.substr(5); }),
            "basic_string::substr: __pos (which is 5) > this->size() (which is 3)");
  const std::vector<int> empty;
  EXPECT_EQ(ErrorText([&] { (void)empty.at(2); }),
            "vector::_M_range_check: __n (which is 2) >= this->size() (which is 0)");
  EXPECT_EQ(ErrorText([&] { (void)text.at(7); }), "basic_string::at: __n (which is 7) >= this->size() (which is 3)");
}

TEST(RunTimeErrors, SizeErrorsCarryTheRunTimesText) {
  std::string text;
  EXPECT_EQ(ErrorText([&] { text.reserve(text.max_size() + 1); }), "basic_string::_M_create");
  std::vector<int> numbers;
  EXPECT_EQ(ErrorText([&] { numbers.reserve(numbers.max_size() + 1); }), "vector::reserve");
}

struct RecordingSink : ErrorSink {
  std::vector<std::string> shown;
  void ShowError(const std::string& message) override { shown.push_back(message); }
};

TEST(RunTimeErrors, AHandlerThatHitsOneReportsItsMessage) {
  RecordingSink sink;
  EXPECT_FALSE(RunHandler([] { (void)std::string("ab").substr(3); }, sink));
  ASSERT_EQ(sink.shown.size(), 1u);
  EXPECT_EQ(sink.shown[0], "basic_string::substr: __pos (which is 3) > this->size() (which is 2)");
}

}  // namespace
}  // namespace varnox
