#pragma once
// The IDE/ATAPI page's keys and choices, for its load and save and for
// the table of managed values.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/system_keys.h"
#include "window/pages/setting_rows.h"

namespace varnox::ide_rows {

using G = SettingGroup;

constexpr std::array<const char*, 2> kChannelKeys = {
    "SYSTEM\\CurrentControlSet\\Services\\Atapi\\Parameters\\Device0",
    "SYSTEM\\CurrentControlSet\\Services\\Atapi\\Parameters\\Device1",
};

constexpr std::array<const char*, 2> kChannelGroups = {"rgATAPI_0", "rgATAPI_1"};

constexpr char kDriverParameter[] = "DriverParameter";

}  // namespace varnox::ide_rows
