#pragma once
// The Security page's rows, keys and choices, for its load and save and for
// the table of managed values.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/system_keys.h"
#include "window/pages/setting_rows.h"

namespace varnox::security_rows {

using G = SettingGroup;

constexpr char kSessionManagerKey[] = "System\\CurrentControlSet\\Control\\Session Manager";

constexpr char kAddProtectionMode[] = "AdditionalBaseNamedObjectsProtectionMode";

constexpr char kSfcDisable[] = "SfcDisable";

constexpr char kDllCacheDir[] = "SFCDllCacheDir";

constexpr char kSfcQuota[] = "SFCQuota";

constexpr std::int32_t kUnlimitedQuota = -1;

constexpr SettingRow kProtectionMode{.control = "cbProtectionMode",
                                     .value = "ProtectionMode",
                                     .kind = RowKind::NumberFlag,
                                     .group = G::ProtectionMode,
                                     .lowByteChecks = true};

constexpr SettingRow kAddProtection{.control = "cbAddProtectionMode",
                                    .value = kAddProtectionMode,
                                    .kind = RowKind::NumberFlag,
                                    .group = G::ProtectionMode,
                                    .lowByteChecks = true};

struct SfcChoice {
  const char* button;
  std::int32_t number;
};

// In the order the save tests them.
constexpr std::array<SfcChoice, 6> kSfcChoices = {{
    {"rbSFC1", 0},
    {"rbSFC5", 1},
    {"rbSFC6", 2},
    {"rbSFC2", 3},
    {"rbSFC3", 4},
    {"rbSFC4", -99},
}};

}  // namespace varnox::security_rows
