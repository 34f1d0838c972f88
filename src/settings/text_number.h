#pragma once
// Numbers that the registry keeps as text become numbers with a default:
// leading blanks, then an optional sign and decimal digits, or "$" and
// hexadecimal digits, and nothing after them. Anything else, or a number
// that does not fit 32 bits, gives the default.

#include <cstdint>
#include <string_view>

namespace varnox {

// A sign goes only with decimal digits: "-$1F" and "$-1" give the default.
// Hexadecimal takes all 32 bits, so "$FFFFFFFF" is -1; decimal must fit the
// signed range.
std::int32_t TextToNumber(std::string_view text, std::int32_t defaultValue);

}  // namespace varnox
