#pragma once
// The Network page's rows, keys and choices, for its load and save and for
// the table of managed values.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/system_keys.h"
#include "window/pages/setting_rows.h"

namespace varnox::network_rows {

using G = SettingGroup;

constexpr SettingRow kAutoShareServer{.control = "cbAutoShareServer",
                                      .value = "AutoShareServer",
                                      .kind = RowKind::NumberFlag,
                                      .group = G::AutoShare,
                                      .greyCapable = true};

constexpr SettingRow kAutoShareWks{.control = "cbAutoShareWks",
                                   .value = "AutoShareWks",
                                   .kind = RowKind::NumberFlag,
                                   .group = G::AutoShare,
                                   .greyCapable = true};

constexpr SettingRow kDiskAlert{
    .control = "udDiskAlert", .value = "DiskSpaceThreshold", .kind = RowKind::SpinnerNumber, .group = G::DiskSpace};

constexpr SettingRow kCacheFileTimeout{.control = "udCacheFileTimeOut",
                                       .value = "CacheFileTimeout",
                                       .kind = RowKind::SpinnerNumber,
                                       .group = G::CacheFileTimeout};

// The caption asks the opposite of the value: checked means "Hidden" = 0.
constexpr SettingRow kHideServer{.control = "cbHideServer",
                                 .value = "Hidden",
                                 .kind = RowKind::NumberFlag,
                                 .group = G::HideServer,
                                 .checkedNumber = 0,
                                 .uncheckedNumber = 1,
                                 .greyCapable = true};

constexpr SettingRow kServerComment{.control = "edServerComment",
                                    .value = "SrvComment",
                                    .kind = RowKind::EditText,
                                    .group = G::HideServer,
                                    .emptyDeletes = true};

}  // namespace varnox::network_rows
