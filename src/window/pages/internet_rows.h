#pragma once
// The Internet page's rows, keys and choices, for its load and save and for
// the table of managed values.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/system_keys.h"
#include "window/pages/setting_rows.h"

namespace varnox::internet_rows {

using G = SettingGroup;

constexpr char kTcpipParametersKey[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";

constexpr char kDefaultTtl[] = "DefaultTTL";

}  // namespace varnox::internet_rows
