#pragma once
// Joins texts into one string in a single call. A chain of `+` on strings
// makes a temporary, a call and a cleanup for each piece, which in a library
// with a size budget adds up; this makes one string, sized once.

#include <initializer_list>
#include <string>
#include <string_view>

namespace varnox {

std::string Concat(std::initializer_list<std::string_view> pieces);

}  // namespace varnox
