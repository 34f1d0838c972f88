#include "toolkit/layout_scale.h"

namespace varnox {

namespace {

// A ratio below one would shrink the layout; it stays as designed instead.
void SetRatio(int real, int design, long long& num, long long& den) {
  if (real <= 0 || design <= 0 || real <= design) return;
  num = real;
  den = design;
}

}  // namespace

LayoutScale::LayoutScale(FontMetrics real, FontMetrics design) {
  SetRatio(real.sampleWidth, design.sampleWidth, xNum_, xDen_);
  SetRatio(real.height, design.height, yNum_, yDen_);
}

// Rounded to the nearest pixel, halves away from zero, the same on both
// sides of the origin.
int LayoutScale::Apply(int value, long long num, long long den) {
  const long long scaled = static_cast<long long>(value) * num;
  const long long rounded = scaled >= 0 ? (scaled * 2 + den) / (den * 2) : -((-scaled * 2 + den) / (den * 2));
  return static_cast<int>(rounded);
}

int LayoutScale::Unscale(int start, int real, long long num, long long den) {
  if (real <= 0) return real;
  // A first guess from the ratio, then up to the first size that is enough;
  // rounding moves it by a pixel at most.
  int size = static_cast<int>(static_cast<long long>(real) * den / num);
  while (Apply(start + size, num, den) - Apply(start, num, den) < real) ++size;
  while (size > 0 && Apply(start + size - 1, num, den) - Apply(start, num, den) >= real) --size;
  return size;
}

void LayoutScale::FitText(int real, int design) {
  if (real <= 0 || design <= 0) return;
  if (static_cast<long long>(real) * xDen_ > static_cast<long long>(design) * xNum_) {
    xNum_ = real;
    xDen_ = design;
  }
}

int LayoutScale::X(int x) const { return Apply(x, xNum_, xDen_); }

int LayoutScale::Y(int y) const { return Apply(y, yNum_, yDen_); }

LayoutBounds LayoutScale::Scale(const LayoutBounds& design) const {
  const int left = X(design.left);
  const int top = Y(design.top);
  return {left, top, X(design.left + design.width) - left, Y(design.top + design.height) - top};
}

int LayoutScale::DesignWidth(int left, int real) const { return Unscale(left, real, xNum_, xDen_); }

int LayoutScale::DesignHeight(int top, int real) const { return Unscale(top, real, yNum_, yDen_); }

}  // namespace varnox
