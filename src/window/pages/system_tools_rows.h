#pragma once
// The System tools page's rows, keys and choices, for its load and save and for
// the table of managed values.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/system_keys.h"
#include "window/pages/setting_rows.h"

namespace varnox::system_tools_rows {

using G = SettingGroup;

constexpr char kPrefetchKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";

constexpr char kBootOptimizeKey[] = "SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction";

struct Choice {
  const char* button;
  const char* caption;
  std::int32_t number;
};

// There is no button for 4.
constexpr Choice kPrefetchChoices[] = {
    {"rbPrefetch1", "Disabled prefetching", 0},
    {"rbPrefetch2", "Application launch prefetching enabled", 1},
    {"rbPrefetch3", "Boot prefetching enabled (default for server OS)", 2},
    {"rbPrefetch4", "Application launch and Boot prefetching (default for non-server OS)", 3},
    {"rbPrefetch5", "Undocumented - prefetch everything (including hidden autoruns)", 5},
};

constexpr Choice kSuperFetchChoices[] = {
    {"rbSuperFetch1", "Disable caching", 0},
    {"rbSuperFetch2", "Cache application only", 1},
    {"rbSuperFetch3", "Cache boot files only", 2},
    {"rbSuperFetch4", "Cache everything (default)", 3},
};

constexpr SettingRow kBootOptimize{.control = "cbBootOptimize",
                                   .value = "Enable",
                                   .kind = RowKind::TextFlag,
                                   .group = G::BootOptimize,
                                   .checkedText = "Y",
                                   .uncheckedText = "N",
                                   .other = OtherData::Unchecks};

}  // namespace varnox::system_tools_rows
