#include "sysinfo/up_time_text.h"

#include "base/concat.h"

#include <cmath>
#include <limits>

namespace varnox {
namespace {

// numerator / denominator rounded to the nearest integer, a half to the even
// neighbour.
std::uint64_t DivideRoundHalfEven(std::uint64_t numerator, std::uint64_t denominator) {
  std::uint64_t quotient = numerator / denominator;
  const std::uint64_t remainder = numerator % denominator;
  const std::uint64_t rest = denominator - remainder;  // compared instead of 2*remainder, which may overflow
  if (remainder > rest || (remainder == rest && (quotient & 1) != 0)) ++quotient;
  return quotient;
}

// counter × 1000 / frequency without overflow: whole seconds first, then the
// rounded milliseconds of the remainder.
std::uint64_t CounterToMilliseconds(std::uint64_t counter, std::uint64_t frequency) {
  const std::uint64_t seconds = counter / frequency;
  const std::uint64_t remainder = counter % frequency;
  std::uint64_t fraction;
  if (frequency <= std::numeric_limits<std::uint64_t>::max() / 1000) {
    fraction = DivideRoundHalfEven(remainder * 1000, frequency);
  } else {
    // Not a frequency any hardware has; keep it from overflowing all the same.
    const long double exact = static_cast<long double>(remainder) * 1000.0L / static_cast<long double>(frequency);
    fraction = static_cast<std::uint64_t>(std::nearbyint(exact));
  }
  return seconds * 1000 + fraction;
}

// Two decimal digits, zero first when below ten.
std::string TwoDigits(std::uint64_t number) {
  return {static_cast<char>('0' + number / 10 % 10), static_cast<char>('0' + number % 10)};
}

}  // namespace

std::uint64_t UpTimeMilliseconds(SystemApi& system) {
  const std::optional<std::int64_t> frequency = system.PerformanceFrequency();
  if (!frequency || *frequency <= 0) return system.TickCount();
  const std::int64_t counter = system.PerformanceCounter();
  if (counter <= 0) return 0;
  return CounterToMilliseconds(static_cast<std::uint64_t>(counter), static_cast<std::uint64_t>(*frequency));
}

std::string FormatUpTime(std::uint64_t milliseconds) {
  constexpr std::uint64_t kMillisecondsPerDay = 86'400'000;
  const std::uint64_t days = milliseconds / kMillisecondsPerDay;
  const std::uint64_t secondsOfDay = (milliseconds % kMillisecondsPerDay) / 1000;
  return Concat({std::to_string(days), " days, ", TwoDigits(secondsOfDay / 3600), ":",
                 TwoDigits(secondsOfDay / 60 % 60), ":", TwoDigits(secondsOfDay % 60), "  "});
}

std::string GetUpTimeText(SystemApi& system) { return FormatUpTime(UpTimeMilliseconds(system)); }

}  // namespace varnox
