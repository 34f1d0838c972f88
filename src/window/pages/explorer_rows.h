#pragma once
// The Explorer page's rows, keys and choices, for its load and save and for
// the table of managed values.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/system_keys.h"
#include "window/pages/setting_rows.h"

namespace varnox::explorer_rows {

using G = SettingGroup;

constexpr char kPoliciesKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

constexpr char kWindowMetricsKey[] = "Control Panel\\Desktop\\WindowMetrics";

constexpr char kSoundKey[] = "Control Panel\\Sound";

constexpr char kExplorerKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

constexpr char kMousePortKey[] = "SYSTEM\\CurrentControlSet\\Services\\i8042prt\\Parameters";

// A three-state box that asks the opposite of its number: checked writes 0,
// unchecked 1, grey deletes. A policy restricts when its value is 1, so a
// checked box (nothing restricted) writes 0; policies are always written as
// numbers, whatever type they were read from.
constexpr SettingRow InvertedFlag(std::string_view control, std::string_view value, SettingGroup group) {
  return {.control = control,
          .value = value,
          .kind = RowKind::NumberFlag,
          .group = group,
          .checkedNumber = 0,
          .uncheckedNumber = 1,
          .greyCapable = true};
}

constexpr std::array kPolicies = {
    InvertedFlag("cbNoDesktop", "NoDesktop", G::Desktop), InvertedFlag("cbNoNetHood", "NoNetHood", G::Desktop),
    InvertedFlag("cbNoRun", "NoRun", G::Desktop), InvertedFlag("cbNoFind", "NoFind", G::Desktop)};

constexpr SettingRow kMinAnimate{.control = "cbMinAnimate",
                                 .value = "MinAnimate",
                                 .kind = RowKind::TextFlag,
                                 .group = G::Explorer,
                                 .greyCapable = true};

constexpr SettingRow kBeep{.control = "cbBeepOnError",
                           .value = "Beep",
                           .kind = RowKind::TextFlag,
                           .group = G::Explorer,
                           .checkedText = "Yes",
                           .uncheckedText = "No"};

constexpr SettingRow kDesktopProcess = InvertedFlag("cbExplorerSeparately", "DesktopProcess", G::Explorer);

constexpr SettingRow kPaintDesktopVersion = InvertedFlag("cbShowVersionOnDesktop", "PaintDesktopVersion", G::Explorer);

constexpr SettingRow kWheelScrollLines{.control = "udWheelScrollLines",
                                       .value = "WheelScrollLines",
                                       .kind = RowKind::SpinnerText,
                                       .group = G::Mouse,
                                       .textDefault = 3};

}  // namespace varnox::explorer_rows
