#pragma once
// A spinner holds a 16-bit position; setting one outside that range is the
// toolkit's range error. Stored numbers never reach it: a spinner shows a
// number it cannot hold in its edit instead (TUpDown::ShowNumber).

#include <cstdint>

#include "base/error.h"

namespace varnox {

class ERangeError : public Error {
 public:
  ERangeError() : Error("Range check error") {}
};

inline constexpr std::int64_t kSpinnerMin = -32768;
inline constexpr std::int64_t kSpinnerMax = 32767;

// The number as a spinner position; throws ERangeError when it does not fit.
inline std::int16_t ToSpinnerPosition(std::int64_t number) {
  if (number < kSpinnerMin || number > kSpinnerMax) throw ERangeError();
  return static_cast<std::int16_t>(number);
}

}  // namespace varnox
