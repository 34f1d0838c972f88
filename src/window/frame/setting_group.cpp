#include "window/frame/setting_group.h"

#include <algorithm>

namespace varnox {

std::string_view FlagName(SettingGroup group) {
  static constexpr std::array<std::string_view, kSettingGroupCount> kNames = {
      "FAutoLogonChanged",
      "FShutdownChanged",
      "FEndTaskChanged",
      "FServerOptimizationChanged",
      "FL2CacheChanged",
      "FIoPageLockChanged",
      "FPagingExecutiveChanged",
      "FSeparateVDMChanged",
      "FAutoShareChanged",
      "FDiskSpaceChanged",
      "FCacheFileTimeoutChanged",
      "FHideServerChanged",
      "FMTUChanged",
      "FTTLChanged",
      "FProtectionModeChanged",
      "FSFCChanged",
      "FDllCachePathChanged",
      "FSFCQuotaChanged",
      "FATAPIChanged",
      "FDesktopChanged",
      "FExplorerChanged",
      "FMouseChanged",
      "FMenuSpeedChanged",
      "FFontMapperChanged",
      "FAutoPlayCDChanged",
      "FNtfsLastAccessChanged",
      "FRegOwnerChanged",
      "FPrefetchChanged",
      "FSuperFetchChanged",
      "FBootOptimizeChanged",
  };
  return kNames[static_cast<std::size_t>(group)];
}

bool ModifiedFlags::AnyRaised() const {
  return std::any_of(raised_.begin(), raised_.end(), [](bool raised) { return raised; });
}

}  // namespace varnox
