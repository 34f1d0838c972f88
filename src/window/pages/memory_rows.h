#pragma once
// The Memory management page's rows, keys and choices, for its load and save and for
// the table of managed values.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/system_keys.h"
#include "window/pages/setting_rows.h"

namespace varnox::memory_rows {

using G = SettingGroup;

constexpr char kWowKey[] = "SYSTEM\\CurrentControlSet\\Control\\WOW";

constexpr char kSize[] = "Size";

constexpr char kSecondLevelDataCache[] = "SecondLevelDataCache";

constexpr char kIoPageLockLimit[] = "IoPageLockLimit";

// 1 checks the box, 0 unchecks it; other numbers leave it.
constexpr SettingRow kLargeCache{.control = "cbLargeCache",
                                 .value = "LargeSystemCache",
                                 .kind = RowKind::NumberFlag,
                                 .group = G::ServerOptimization};

constexpr SettingRow kSecondLevelCache{.control = "udSecondLevelDataCache",
                                       .value = kSecondLevelDataCache,
                                       .kind = RowKind::SpinnerNumber,
                                       .group = G::L2Cache};

// Written by its row; read by hand, because unknown data disables the box.
constexpr SettingRow kPagingExecutive{.control = "cbDisablePagingExecutive",
                                      .value = "DisablePagingExecutive",
                                      .kind = RowKind::NumberFlag,
                                      .group = G::PagingExecutive};

// Written by its row; read by hand, because any case of "yes" checks it.
constexpr SettingRow kSeparateVDM{.control = "cbDefaultSeparateVDM",
                                  .value = "DefaultSeparateVDM",
                                  .kind = RowKind::TextFlag,
                                  .group = G::SeparateVDM,
                                  .checkedText = "yes",
                                  .uncheckedText = "no"};

// The server's optimisation is "Size" with the large cache: file sharing and
// network applications share Size 3 and differ in the cache.
struct ServerChoice {
  const char* button;
  std::int32_t size;
  bool largeCache;
};

constexpr std::array<ServerChoice, 4> kServerChoices = {{
    {"rbServer1", 1, false},
    {"rbServer2", 2, false},
    {"rbServer3", 3, true},
    {"rbServer4", 3, false},
}};

struct IoLockChoice {
  const char* button;
  std::int32_t bytes;
};

// 0 stands for the system's default of 512 KB.
constexpr std::array<IoLockChoice, 3> kIoLockFixedChoices = {{
    {"rbIOLockDefault", 0},
    {"rbIOLock1024kb", 1048576},
    {"rbIOLock2048kb", 2097152},
}};

}  // namespace varnox::memory_rows
