#pragma once
// The scrolling line of the Information page.

#include <cstddef>
#include <string>

namespace varnox {

// How many characters of the marquee the line shows at once.
inline constexpr std::size_t kMarqueeVisibleCharacters = 50;

// Moves the first character of `text` (UTF-8) to its end, so the line
// scrolls left by one character per call and wraps around; a character of
// several bytes moves whole. Returns the first kMarqueeVisibleCharacters
// characters of the result. An empty text stays empty.
std::string RotateMarquee(std::string& text);

}  // namespace varnox
