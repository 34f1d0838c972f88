#include "sysinfo/setting_support.h"

#include "sysinfo/os_predicates.h"

namespace varnox {

bool HonoursPrefetcher(SystemApi& system) {
  return IsWinXP(system) || IsWin2003(system) || IsWinVista(system) || IsWin7(system) || IsWin8OrLater(system);
}

bool HonoursSuperFetch(SystemApi& system) { return IsWinVista(system) || IsWin7(system) || IsWin8OrLater(system); }

bool HasIdleTasksAndUserAccounts(SystemApi& system) {
  return IsWinXP(system) || IsWin2003(system) || IsWin7(system) || IsWin8OrLater(system);
}

bool HonoursIoPageLockLimit(SystemApi& system) { return IsWinNT4(system) || IsWin2000(system); }

bool HonoursFileCheckerCache(SystemApi& system) { return IsWin2000(system) || IsWinXP(system); }

bool KeepsXpEraValues(SystemApi& system) { return IsWinXP(system) || IsWin2003(system); }

bool ValuesMayBeAbsent(SystemApi& system) { return IsWin8OrLater(system); }

bool HasManagedLastAccess(SystemApi& system) {
  constexpr std::uint32_t kWindows10Version1803 = 17134;
  const OsVersion version = system.Version();
  return version.platform == kPlatformNT && version.major >= 10 && (version.build & 0xFFFF) >= kWindows10Version1803;
}

bool HasSyskeyTool(SystemApi& system) {
  constexpr std::uint32_t kWindows10Version1709 = 16299;
  constexpr std::uint8_t kWorkstation = 1;  // VER_NT_WORKSTATION; servers and domain controllers above
  const OsVersionEx version = system.VersionEx();
  if (version.platform != kPlatformNT || version.major < 10) return true;
  return version.productType <= kWorkstation && (version.build & 0xFFFF) < kWindows10Version1709;
}

}  // namespace varnox
