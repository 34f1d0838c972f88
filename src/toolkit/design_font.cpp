#include "toolkit/design_font.h"

#include <array>

namespace varnox {

namespace {

// From the blank (32) to the tilde (126).
constexpr char kFirst = ' ';
constexpr std::array<unsigned char, 95> kWidths = {
    3,  3, 5, 7, 6, 8, 6, 2, 3, 3, 4, 6, 3, 3, 3, 5, 6, 6, 6, 6, 6, 6, 6, 6,  6, 6, 3, 3, 6, 6, 6, 6,
    11, 7, 7, 7, 8, 7, 6, 8, 8, 3, 5, 7, 6, 9, 8, 8, 7, 8, 8, 7, 7, 8, 7, 11, 7, 7, 7, 3, 5, 3, 6, 6,
    3,  6, 6, 6, 6, 6, 3, 6, 6, 2, 2, 6, 2, 8, 6, 6, 6, 6, 3, 5, 3, 6, 6, 8,  5, 5, 5, 4, 2, 4, 7};

// value × num ÷ den, rounded to the nearest, halves away from zero (MulDiv).
int MulDivRounded(int value, int num, int den) {
  const long long product = (value < 0 ? -static_cast<long long>(value) : value) * num;
  const auto magnitude = static_cast<int>((product * 2 + den) / (static_cast<long long>(den) * 2));
  return value < 0 ? -magnitude : magnitude;
}

constexpr int kPointsPerInch = 72;

}  // namespace

std::optional<int> DesignTextWidth(std::string_view text) {
  int width = 0;
  for (const char c : text) {
    const int index = static_cast<unsigned char>(c) - kFirst;
    if (index < 0 || index >= static_cast<int>(kWidths.size())) return std::nullopt;
    width += kWidths[static_cast<std::size_t>(index)];
  }
  return width;
}

int FontHeightAtDpi(int designHeight, int dpi) {
  if (dpi <= 0 || dpi == kDesignDpi) return designHeight;
  const int points = MulDivRounded(designHeight, kPointsPerInch, kDesignDpi);
  return MulDivRounded(points, dpi, kPointsPerInch);
}

int SizeAtDpi(int designPixels, int dpi) {
  if (dpi <= 0 || dpi == kDesignDpi) return designPixels;
  return MulDivRounded(designPixels, dpi, kDesignDpi);
}

}  // namespace varnox
