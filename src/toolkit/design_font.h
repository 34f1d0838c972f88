#pragma once
// The widths of the font the layout is drawn for (MS Sans Serif, 8 points,
// 96 dots per inch), so that a caption's design width is known without that
// font: the real font's width of the same text, against this, says how much
// room the caption needs more.

#include <optional>
#include <string_view>

namespace varnox {

// The width in pixels of a one-line text in the design font; nothing for a
// text with characters outside printable ASCII, whose widths are not held.
std::optional<int> DesignTextWidth(std::string_view text);

}  // namespace varnox
