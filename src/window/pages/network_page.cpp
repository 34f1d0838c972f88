// The Network page. None of its values is in the registry by default: the
// share and hide-server boxes show that as grey, and the two numbers have a
// button that creates or deletes their value at once. Rows for what follows
// the common rules; code for the buttons, the key-missing states and the
// comment, which is read only when it exists.

#include "window/pages/network_page.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/system_keys.h"
#include "window/form/conf_form.h"
#include "window/form/create_delete_value.h"
#include "window/pages/network_rows.h"
#include "window/pages/page_building.h"
#include "window/pages/setting_rows.h"

namespace varnox {

namespace {

using namespace network_rows;

using G = SettingGroup;

constexpr std::array kAllRows = {kAutoShareServer,  kAutoShareWks, kDiskAlert,
                                 kCacheFileTimeout, kHideServer,   kServerComment};

// Both numbers are created with 10 by their buttons.
constexpr std::int32_t kCreateDefault = 10;

CreateDeleteValueSetting ButtonSetting(const char* key, const SettingRow& row) {
  return {.where = {kHkeyLocalMachine, key, std::string(row.value)}, .createDefault = kCreateDefault};
}

// A number in an edit with its spinner, the create/delete button and the
// status label under them.
void AddValueButtonRow(TConfForm& form, TGroupBox& group, const char* edit, const char* spinner, int editLeft,
                       int editWidth, std::size_t maxLength, int max, int position, const char* button,
                       const char* label) {
  auto& number = AddEdit(form, group, edit, "", editLeft, 15, editWidth);
  number.SetMaxLength(maxLength);
  AddUpDown(form, group, spinner, number, 0, max, position).SetArrowKeys(false);
  auto& speed = form.Add<TSpeedButton>(button, group);
  speed.SetBounds(8, 39, 22, 22);
  AddLabel(form, group, label, kRegistryStatusPending, 36, 44);
}

void LayOut(TConfForm& form, TTabSheet& sheet) {
  auto& sharing = AddGroupBox(form, sheet, "gbSharing", " Sharing (Not in registry by default) ", 4, 2, 345, 54);
  AddCheckBox(form, sharing, "cbAutoShareServer", "Autoshare disks on Servers (enabled by default)", 8, 15, 330, true);
  AddCheckBox(form, sharing, "cbAutoShareWks", "Autoshare disks on Workstations (enabled by default)", 8, 33, 330,
              true);

  auto& disk =
      AddGroupBox(form, sheet, "gbDiskSpace", " Disk space threshold (Not in registry by default) ", 4, 60, 345, 68);
  AddLabel(form, disk, "Label7", "Disk free space warning alert", 8, 18);
  AddValueButtonRow(form, disk, "edDiskAlert", "udDiskAlert", 166, 30, 3, 99, 99, "sbCreateDiskAlert", "lblDiskAlert");
  AddLabel(form, disk, "Label8", "% of free disk space", 218, 18);

  auto& cache = AddGroupBox(form, sheet, "gbCacheFileTimeOut",
                            " Workstation cache timeout (Not in registry by default) ", 4, 132, 345, 68);
  AddLabel(form, cache, "Label26", "Cache file flush after", 8, 18);
  AddValueButtonRow(form, cache, "edCacheFileTimeOut", "udCacheFileTimeOut", 118, 42, 5, 32766, 10,
                    "sbCreateCacheFileTimeOut", "lblCacheFileTimeOut");
  AddLabel(form, cache, "Label28", "seconds (10 seconds by default)", 182, 18);

  auto& hide =
      AddGroupBox(form, sheet, "gbHideServer", " Show server name (Not in registry by default) ", 4, 204, 345, 86);
  AddCheckBox(form, hide, "cbHideServer", "Show server name and comments in browser (enabled by default)", 8, 16, 330,
              true);
  AddLabel(form, hide, "lblServerComment", "Server Comments", 8, 39);
  AddEdit(form, hide, "edServerComment", "", 8, 56, 329);

  AddGreyLegend(form, sheet, "CheckBox1", "lblNoRegistry1", 8, 300);

  ShowHints(form, {"cbAutoShareServer", "cbAutoShareWks", "edDiskAlert", "edCacheFileTimeOut", "cbHideServer",
                   "edServerComment"});
}

// The "Server key" load section.
void LoadServerKey(TConfForm& form, TRegistry& reg, CreateDeleteValue diskAlert) {
  if (!reg.OpenKey(kServerParametersKey, false)) {
    SetEnabled(
        form,
        {"cbAutoShareServer", "cbAutoShareWks", "udDiskAlert", "edDiskAlert", "sbCreateDiskAlert", "cbHideServer"},
        false);
    diskAlert.Load(reg, false);
    return;  // the comment stays enabled and empty
  }
  ReadRow(form, reg, kAutoShareServer);
  ReadRow(form, reg, kAutoShareWks);
  diskAlert.Load(reg, true);
  ReadRow(form, reg, kHideServer);
  if (reg.ValueExists(kServerComment.value)) {
    ReadRow(form, reg, kServerComment);
  } else {
    form.Find<TEdit>(kServerComment.control).SetText("");
  }
  reg.CloseKey();
}

// The "Workstation key" load section. Its button stays enabled even when
// the key is missing.
void LoadWorkstationKey(TRegistry& reg, CreateDeleteValue cacheTimeout) {
  const bool opened = reg.OpenKey(kWorkstationParametersKey, false);
  cacheTimeout.Load(reg, opened);
  if (opened) reg.CloseKey();
}

bool Enabled(TConfForm& form, const SettingRow& row) { return form.Find<Control>(row.control).Enabled(); }

void SaveAutoShare(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kServerParametersKey, false)) return;
  if (Enabled(form, kAutoShareWks)) WriteRow(form, reg, kAutoShareWks);
  if (Enabled(form, kAutoShareServer)) WriteRow(form, reg, kAutoShareServer);
  reg.CloseKey();
}

void SaveNumber(TConfForm& form, TRegistry& reg, const char* key, const SettingRow& row) {
  if (!reg.OpenKey(key, false)) return;
  WriteRow(form, reg, row);
  reg.CloseKey();
}

void SaveHideServer(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kServerParametersKey, false)) return;
  if (Enabled(form, kHideServer)) WriteRow(form, reg, kHideServer);
  WriteRow(form, reg, kServerComment);
  reg.CloseKey();
}

}  // namespace

void BuildNetworkPage(TConfForm& form, TTabSheet& sheet) {
  LayOut(form, sheet);
  BindRowHandlers(form, kAllRows);

  SettingsFrame& frame = form.Frame();
  const CreateDeleteValue diskAlert(ButtonSetting(kServerParametersKey, kDiskAlert),
                                    form.Find<TSpeedButton>("sbCreateDiskAlert"), form.Find<TLabel>("lblDiskAlert"),
                                    form.Find<TEdit>("edDiskAlert"), form.Find<TUpDown>("udDiskAlert"));
  const CreateDeleteValue cacheTimeout(ButtonSetting(kWorkstationParametersKey, kCacheFileTimeout),
                                       form.Find<TSpeedButton>("sbCreateCacheFileTimeOut"),
                                       form.Find<TLabel>("lblCacheFileTimeOut"), form.Find<TEdit>("edCacheFileTimeOut"),
                                       form.Find<TUpDown>("udCacheFileTimeOut"));
  diskAlert.Bind(frame.Slot());
  cacheTimeout.Bind(frame.Slot());

  frame.AddLoadSection({"Server key", kHkeyLocalMachine,
                        [&form, diskAlert](TRegistry& reg) { LoadServerKey(form, reg, diskAlert); },
                        NamedControls(form, {"cbAutoShareServer", "cbAutoShareWks", "edDiskAlert", "udDiskAlert",
                                             "sbCreateDiskAlert", "cbHideServer", "edServerComment"})});
  frame.AddLoadSection({"Workstation key", kHkeyLocalMachine,
                        [cacheTimeout](TRegistry& reg) { LoadWorkstationKey(reg, cacheTimeout); },
                        NamedControls(form, {"edCacheFileTimeOut", "udCacheFileTimeOut", "sbCreateCacheFileTimeOut"})});

  frame.AddSaveGroup({G::AutoShare, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveAutoShare(form, reg); }, {}});
  frame.AddSaveGroup({G::DiskSpace, kHkeyLocalMachine,
                      [&form](TRegistry& reg) { SaveNumber(form, reg, kServerParametersKey, kDiskAlert); },
                      [diskAlert] { return diskAlert.ValueShown(); }});
  frame.AddSaveGroup({G::CacheFileTimeout, kHkeyLocalMachine,
                      [&form](TRegistry& reg) { SaveNumber(form, reg, kWorkstationParametersKey, kCacheFileTimeout); },
                      [cacheTimeout] { return cacheTimeout.ValueShown(); }});
  frame.AddSaveGroup({G::HideServer, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveHideServer(form, reg); }, {}});
}

}  // namespace varnox
