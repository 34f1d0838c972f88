#pragma once
// Whether this Windows honours a family of settings. Pages ask these, one per
// family, and never compare version numbers themselves.

#include "platform/system_api.h"

namespace varnox {

// The prefetcher's "EnablePrefetcher": XP, Server 2003 and every later release.
bool HonoursPrefetcher(SystemApi& system);
// SuperFetch's "EnableSuperfetch" and the SysMain service: Vista and later.
bool HonoursSuperFetch(SystemApi& system);
// "rundll32 advapi32.dll,ProcessIdleTasks" and "control userpasswords2": XP,
// Server 2003, 7 and later (Vista's forms of both do nothing).
bool HasIdleTasksAndUserAccounts(SystemApi& system);
// "IoPageLockLimit": NT 4.0 and 2000 (later releases ignore it).
bool HonoursIoPageLockLimit(SystemApi& system);
// The System File Checker's cache path and quota: Windows 2000 and XP.
bool HonoursFileCheckerCache(SystemApi& system);
// "ServicePackSourcePath", "DriverCachePath" and the BootOptimize function:
// XP and Server 2003 only.
bool KeepsXpEraValues(SystemApi& system);
// Windows 8 and later: values that earlier releases always stored may be
// absent there (Windows 10 keeps no "EnableSuperfetch"), and such a value then
// shows as absent rather than failing the load.
bool ValuesMayBeAbsent(SystemApi& system);
// Windows 10 version 1803 (build 17134) and later: "NtfsDisableLastAccessUpdate"
// carries its high bit, with bit 1 for "the system manages it" and bit 0 for
// "updates off", and fsutil writes the user's choice in that form.
bool HasManagedLastAccess(SystemApi& system);
// The account database key tool "syskey.exe": every NT release up to Windows
// 10 version 1703; version 1709 (build 16299) and Server 2016 removed it.
bool HasSyskeyTool(SystemApi& system);

}  // namespace varnox
