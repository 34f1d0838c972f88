#pragma once
// The thread locale as it was when the library was loaded; the window picks
// its language from it.

#include <cstdint>

namespace varnox {

void RecordLibraryLoadLocale(std::uint32_t locale);
std::uint32_t LibraryLoadLocale();

}  // namespace varnox
