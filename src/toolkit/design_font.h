#pragma once
// The widths of the font the layout is drawn for (MS Sans Serif, 8 points,
// 96 dots per inch), so that a caption's design width is known without that
// font: the real font's width of the same text, against this, says how much
// room the caption needs more. Its heights and sizes are pixels at 96 dots
// per inch; a screen of another density gets them the way a dialog template
// gets its font: in whole points, made pixels at that screen's density.

#include <optional>
#include <string_view>

namespace varnox {

// The width in pixels of a one-line text in the design font; nothing for a
// text with characters outside printable ASCII, whose widths are not held.
std::optional<int> DesignTextWidth(std::string_view text);

// The dots per inch the layout is drawn at.
inline constexpr int kDesignDpi = 96;

// A font height of the layout (pixels at kDesignDpi, negative as in
// LOGFONT) on a screen of `dpi`: whole points, then pixels at `dpi`, so
// -11 (8 points) is -13 at 120 and -16 at 144. At kDesignDpi, or for a
// density that is not known (zero or less), the height itself.
int FontHeightAtDpi(int designHeight, int dpi);

// A picture's design size in pixels on a screen of `dpi`, rounded to the
// nearest; the size itself at kDesignDpi or an unknown density.
int SizeAtDpi(int designPixels, int dpi);

}  // namespace varnox
