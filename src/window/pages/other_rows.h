#pragma once
// The Other page's rows, keys and choices, for its load and save and for
// the table of managed values.

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/system_keys.h"
#include "window/pages/setting_rows.h"

namespace varnox::other_rows {

using G = SettingGroup;

constexpr char kFontMapperKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontMapper";

constexpr char kCdromKey[] = "SYSTEM\\CurrentControlSet\\Services\\Cdrom";

constexpr char kFileSystemKey[] = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";

constexpr char kSetupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";

// Only 1 checks the box; any other number leaves it unchecked.
constexpr SettingRow kAutorun{.control = "cbAutoPlayCD",
                              .value = "Autorun",
                              .kind = RowKind::NumberFlag,
                              .group = G::AutoPlayCD,
                              .uncheckedReads = false};

// The caption asks the opposite of the value: checked means updates stay on.
constexpr SettingRow kLastAccess{.control = "cbNTFSDisableLAU",
                                 .value = "NtfsDisableLastAccessUpdate",
                                 .kind = RowKind::NumberFlag,
                                 .group = G::NtfsLastAccess,
                                 .checkedNumber = 0,
                                 .uncheckedNumber = 1,
                                 .greyCapable = true};

constexpr SettingRow OwnerEdit(std::string_view control, std::string_view value) {
  return {.control = control, .value = value, .kind = RowKind::EditText, .group = G::RegOwner};
}

constexpr std::array kOwnerRows = {OwnerEdit("edRegOwner", "RegisteredOwner"),
                                   OwnerEdit("edRegOrg", "RegisteredOrganization"),
                                   OwnerEdit("edSourcePath", "SourcePath")};

constexpr SettingRow kSetupSource = OwnerEdit("edSourcePath2", "SourcePath");

// Kept by Windows XP and Server 2003 only.
constexpr std::array kServicePackRows = {OwnerEdit("edSourcePath3", "ServicePackSourcePath"),
                                         OwnerEdit("edSourcePath4", "DriverCachePath")};

constexpr const char* kFontEdits[] = {"DefaultFontEdit", "ArialFontEdit"};

constexpr const char* kFontValues[] = {"DEFAULT", "ARIAL"};

}  // namespace varnox::other_rows
