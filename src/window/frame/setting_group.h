#pragma once
// The groups of registry values that one modified flag marks and that OK
// writes together, in the order OK writes them.

#include <array>
#include <cstddef>
#include <string_view>

namespace varnox {

enum class SettingGroup : int {
  AutoLogon,
  Shutdown,
  EndTask,
  ServerOptimization,
  L2Cache,
  IoPageLock,
  PagingExecutive,
  SeparateVDM,
  AutoShare,
  DiskSpace,
  CacheFileTimeout,
  HideServer,
  MTU,
  TTL,
  ProtectionMode,
  SFC,
  DllCachePath,
  SFCQuota,
  ATAPI,
  Desktop,
  Explorer,
  Mouse,
  MenuSpeed,
  FontMapper,
  AutoPlayCD,
  NtfsLastAccess,
  RegOwner,
  Prefetch,
  SuperFetch,
  BootOptimize,
};

inline constexpr std::size_t kSettingGroupCount = 30;

// The window's name for the group's flag, e.g. "FAutoLogonChanged".
std::string_view FlagName(SettingGroup group);

// One modified flag per group: raised by the group's handlers, lowered only
// all at once, right after the load.
class ModifiedFlags {
 public:
  bool Raised(SettingGroup group) const { return raised_[Index(group)]; }
  void Raise(SettingGroup group) { raised_[Index(group)] = true; }
  void LowerAll() { raised_.fill(false); }
  bool AnyRaised() const;

 private:
  static std::size_t Index(SettingGroup group) { return static_cast<std::size_t>(group); }
  std::array<bool, kSettingGroupCount> raised_{};
};

}  // namespace varnox
