#pragma once
// Where users reach the program's page and its maintainer.

namespace varnox {

inline constexpr char kMaintainerEmail[] = "varnox@example.org";
inline constexpr char kWebPageAddress[] = "http://www.example.org/varnox/";

}  // namespace varnox
