#pragma once
// Memory figures on the Information page are shown in kilobytes: a byte
// count divided by 1024, rounded to the nearest whole number with a half
// going to the even neighbour, in plain decimal.

#include <cstdint>
#include <string>

namespace varnox {

std::uint64_t Kilobytes(std::uint64_t bytes);

// The kilobytes in decimal followed by " Kb", as the labels show them.
std::string KilobytesText(std::uint64_t bytes);

}  // namespace varnox
