#pragma once
// How long Windows has been running, as "<days> days, hh:nn:ss  ".

#include <cstdint>
#include <string>

#include "platform/system_api.h"

namespace varnox {

// Milliseconds since start: the performance counter scaled to milliseconds and
// rounded half to even, or the tick count where there is no counter.
std::uint64_t UpTimeMilliseconds(SystemApi& system);

// Days without leading zeros, then the time of day with two digits each;
// the milliseconds are dropped, not rounded. Days are not limited.
std::string FormatUpTime(std::uint64_t milliseconds);

std::string GetUpTimeText(SystemApi& system);

}  // namespace varnox
