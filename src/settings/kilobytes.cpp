#include "settings/kilobytes.h"

namespace varnox {

std::uint64_t Kilobytes(std::uint64_t bytes) {
  // Integer arithmetic keeps the rounding exact for every 64-bit count.
  const std::uint64_t whole = bytes >> 10;
  const std::uint64_t rest = bytes & 1023;
  if (rest > 512) return whole + 1;
  if (rest == 512) return whole + (whole & 1);
  return whole;
}

std::string KilobytesText(std::uint64_t bytes) { return std::to_string(Kilobytes(bytes)) + " Kb"; }

}  // namespace varnox
