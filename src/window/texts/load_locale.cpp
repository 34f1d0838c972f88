#include "window/texts/load_locale.h"

namespace varnox {

namespace {
std::uint32_t g_loadLocale = 0;
}

void RecordLibraryLoadLocale(std::uint32_t locale) { g_loadLocale = locale; }

std::uint32_t LibraryLoadLocale() { return g_loadLocale; }

}  // namespace varnox
