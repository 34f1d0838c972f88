#pragma once
// The Logon page's rows, keys and choices, for its load and save and for
// the table of managed values.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/system_keys.h"
#include "window/pages/setting_rows.h"

namespace varnox::logon_rows {

using G = SettingGroup;

// The same key as kWinlogonKey: the logon rows spell it "WinLogon", and each
// spelling is kept where it is used, in every call and in the exported file.
constexpr char kLogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";

// Logon key. The edits come first: the load fills them before the boxes.
constexpr std::array kLogonEdits = {
    SettingRow{
        .control = "LoginNameEdit", .value = "DefaultUserName", .kind = RowKind::EditText, .group = G::AutoLogon},
    SettingRow{.control = "DomainEdit", .value = "DefaultDomainName", .kind = RowKind::EditText, .group = G::AutoLogon},
    SettingRow{.control = "PasswordEdit", .value = "DefaultPassword", .kind = RowKind::EditText, .group = G::AutoLogon},
};

constexpr SettingRow kEnableAutoLogon{.control = "cbEnableAutoLogon",
                                      .value = "AutoAdminLogon",
                                      .kind = RowKind::TextFlag,
                                      .group = G::AutoLogon,
                                      .other = OtherData::Unchecks};

constexpr SettingRow kDontDisplayLastUserName{.control = "cbDontDisplayLastUserName",
                                              .value = "DontDisplayLastUserName",
                                              .kind = RowKind::TextFlag,
                                              .group = G::AutoLogon,
                                              .uncheckedReads = false};

constexpr SettingRow kDisableCAD{.control = "cbDisableCAD",
                                 .value = "DisableCAD",
                                 .kind = RowKind::NumberFlag,
                                 .group = G::AutoLogon,
                                 .greyCapable = true,
                                 .lowByteChecks = true};

// The caption asks the opposite of the value: checked means "0".
constexpr SettingRow kForceAutoLogon{.control = "cbForceAutoLogon",
                                     .value = "ForceAutoLogon",
                                     .kind = RowKind::TextFlag,
                                     .group = G::AutoLogon,
                                     .checkedText = "0",
                                     .uncheckedText = "1",
                                     .other = OtherData::Unchecks,
                                     .greyCapable = true};

// Shutdown keys.
constexpr SettingRow kClearPageFile{.control = "cbClearPageFileAtShutdown",
                                    .value = "ClearPageFileAtShutdown",
                                    .kind = RowKind::NumberFlag,
                                    .group = G::Shutdown,
                                    .uncheckedReads = false};

constexpr SettingRow kPowerDown{.control = "cbPowerDownAfterShutDown",
                                .value = "PowerdownAfterShutdown",
                                .kind = RowKind::TextFlag,
                                .group = G::Shutdown,
                                .uncheckedReads = false};

constexpr SettingRow kQuickReboot{.control = "cbDisableQuickReboot",
                                  .value = "EnableQuickReboot",
                                  .kind = RowKind::TextFlag,
                                  .group = G::Shutdown,
                                  .checkedText = "0",
                                  .uncheckedText = "1",
                                  .greyCapable = true};

// End-task key: the timeouts are decimal text.
constexpr std::array kEndTaskRows = {
    SettingRow{.control = "udHungApplication",
               .value = "HungAppTimeout",
               .kind = RowKind::SpinnerText,
               .group = G::EndTask,
               .textDefault = 5000},
    SettingRow{.control = "udWaitToKillApp",
               .value = "WaitToKillAppTimeout",
               .kind = RowKind::SpinnerText,
               .group = G::EndTask,
               .textDefault = 20000},
    SettingRow{.control = "cbAutoEndTask",
               .value = "AutoEndTasks",
               .kind = RowKind::TextFlag,
               .group = G::EndTask,
               .uncheckedReads = false},
};

}  // namespace varnox::logon_rows
