#include "settings/text_number.h"

#include <optional>

namespace varnox {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::optional<unsigned> DigitValue(char c, unsigned base) {
  unsigned value = 0;
  if (c >= '0' && c <= '9') {
    value = static_cast<unsigned>(c - '0');
  } else if (c >= 'a' && c <= 'f') {
    value = static_cast<unsigned>(c - 'a' + 10);
  } else if (c >= 'A' && c <= 'F') {
    value = static_cast<unsigned>(c - 'A' + 10);
  } else {
    return std::nullopt;
  }
  if (value >= base) return std::nullopt;
  return value;
}

// All of `digits` as one number no larger than `limit`; nullopt when a
// character is not a digit, there are none, or the number grows past it.
std::optional<std::uint64_t> ParseDigits(std::string_view digits, unsigned base, std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t number = 0;
  for (char c : digits) {
    const std::optional<unsigned> digit = DigitValue(c, base);
    if (!digit) return std::nullopt;
    number = number * base + *digit;
    if (number > limit) return std::nullopt;
  }
  return number;
}

}  // namespace

std::int32_t TextToNumber(std::string_view text, std::int32_t defaultValue) {
  std::size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  text.remove_prefix(start);
  if (text.empty()) return defaultValue;

  if (text.front() == '$') {
    const std::optional<std::uint64_t> number = ParseDigits(text.substr(1), 16, 0xFFFFFFFFu);
    if (!number) return defaultValue;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
  }

  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // The magnitude of the most negative number is one more than the largest positive one.
  const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  const std::optional<std::uint64_t> number = ParseDigits(text, 10, limit);
  if (!number) return defaultValue;
  const std::int64_t value = negative ? -static_cast<std::int64_t>(*number) : static_cast<std::int64_t>(*number);
  return static_cast<std::int32_t>(value);
}

}  // namespace varnox
