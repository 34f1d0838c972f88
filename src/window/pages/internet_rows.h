#pragma once
// The Internet page's rows, keys and choices: its load and save use them, and the
// table of managed values (managed_values.h) names them. Each source has its
// own copy (constant, internal linkage): MinGW's linker takes shared inline
// variables of two libraries for two definitions.

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
