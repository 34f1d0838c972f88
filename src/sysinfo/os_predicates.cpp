#include "sysinfo/os_predicates.h"

namespace varnox {
namespace {

bool IsNTVersion(SystemApi& system, std::uint32_t major, std::uint32_t minor) {
  const OsVersion version = system.Version();
  return version.platform == kPlatformNT && version.major == major && version.minor == minor;
}

}  // namespace

bool IsWinNT4(SystemApi& system) {
  const OsVersion version = system.Version();
  return version.platform == kPlatformNT && version.major == 4;
}

bool IsWin2000(SystemApi& system) { return IsNTVersion(system, 5, 0); }
bool IsWinXP(SystemApi& system) { return IsNTVersion(system, 5, 1); }
bool IsWin2003(SystemApi& system) { return IsNTVersion(system, 5, 2); }
bool IsWinVista(SystemApi& system) { return IsNTVersion(system, 6, 0); }
bool IsWin7(SystemApi& system) { return IsNTVersion(system, 6, 1); }

bool IsWin8OrLater(SystemApi& system) { return IsWin8OrLater(system.Version()); }

bool IsWin8OrLater(const OsVersion& version) {
  return version.platform == kPlatformNT && (version.major > 6 || (version.major == 6 && version.minor >= 2));
}

}  // namespace varnox
