#pragma once
// Keys that more than one page, or a page and the system read-out, open:
// spelled once here. A key one page alone opens stays with that page.

namespace varnox {

inline constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr char kMemoryManagementKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
inline constexpr char kServerParametersKey[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
inline constexpr char kWorkstationParametersKey[] =
    "SYSTEM\\CurrentControlSet\\Services\\LanmanWorkstation\\Parameters";
inline constexpr char kDesktopKey[] = "Control Panel\\Desktop";

}  // namespace varnox
