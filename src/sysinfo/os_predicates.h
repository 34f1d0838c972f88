#pragma once
// Which Windows release is running. Each predicate asks the system afresh on
// every call, so tests and an emulated version change are seen at once.

#include "platform/system_api.h"

namespace varnox {

// NT platform, major version 4 (any minor).
bool IsWinNT4(SystemApi& system);
// NT platform and exactly the version named: 5.0, 5.1, 5.2, 6.0, 6.1.
bool IsWin2000(SystemApi& system);
bool IsWinXP(SystemApi& system);
bool IsWin2003(SystemApi& system);
bool IsWinVista(SystemApi& system);
bool IsWin7(SystemApi& system);
// NT platform, version 6.2 or later: Windows 8, 8.1, 10, 11 and their servers.
bool IsWin8OrLater(SystemApi& system);
bool IsWin8OrLater(const OsVersion& version);

}  // namespace varnox
