#pragma once
// The layout is drawn for one font: MS Sans Serif, 8 points, at 96 dots per
// inch. A window that gets another font keeps its proportions the way a
// dialog template does: every position and size is scaled by how much wider
// (horizontally) and taller (vertically) the real font is than that one.
// The model keeps the design coordinates; the view asks this class where a
// control really goes.
//
// Edges are scaled, not sizes: two controls that touch or keep apart in the
// design still do on the screen, and a design coordinate maps to itself when
// the real font measures as the design font. A smaller font never shrinks
// the layout: what fits the design font fits it too.

namespace varnox {

// What a font measures: its line height and the width of kFontSample.
struct FontMetrics {
  int height = 0;
  int sampleWidth = 0;
};

// The 52 letters whose width stands for a font's width, as dialog templates
// measure their font.
inline constexpr char kFontSample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// MS Sans Serif 8 points at 96 dots per inch: 13 pixels a line, 323 the sample.
inline constexpr FontMetrics kDesignFontMetrics = {13, 323};

struct LayoutBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const LayoutBounds&) const = default;
};

class LayoutScale {
 public:
  // The design font itself: nothing moves.
  LayoutScale() = default;
  // Metrics that are missing (zero or less) count as the design font's.
  explicit LayoutScale(FontMetrics real, FontMetrics design = kDesignFontMetrics);

  // Widens the scale so that a text the design font draws `design` pixels
  // wide, and the real font `real`, keeps its room: the font's average width
  // may understate what a caption with many blanks or brackets needs.
  void FitText(int real, int design);

  bool IsIdentity() const { return xNum_ == xDen_ && yNum_ == yDen_; }
  int X(int x) const;
  int Y(int y) const;
  LayoutBounds Scale(const LayoutBounds& design) const;
  // The smallest design width (height) that gives at least `real` pixels
  // when the control starts at `left` (`top`): what a control that sizes
  // itself to its content tells the model.
  int DesignWidth(int left, int real) const;
  int DesignHeight(int top, int real) const;
  // A font height in pixels, negative as in LOGFONT, for a text with a font
  // of its own: it grows with the line height.
  int FontHeight(int designHeight) const { return Y(designHeight); }

  bool operator==(const LayoutScale&) const = default;

 private:
  static int Apply(int value, long long num, long long den);
  static int Unscale(int start, int real, long long num, long long den);

  long long xNum_ = 1;
  long long xDen_ = 1;
  long long yNum_ = 1;
  long long yDen_ = 1;
};

}  // namespace varnox
