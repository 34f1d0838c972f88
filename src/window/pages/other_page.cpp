// The Other page. Rows for the box and the owner edits; code for the font
// numbers (decimal text over numbers), the service-pack and driver-cache
// paths that only XP and Server 2003 keep, and the owner group, which
// rewrites all its values together.

#include "window/pages/other_page.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "settings/system_keys.h"
#include "settings/text_number.h"
#include "sysinfo/os_predicates.h"
#include "sysinfo/setting_support.h"
#include "window/form/conf_form.h"
#include "window/pages/other_rows.h"
#include "window/pages/page_building.h"
#include "window/pages/setting_rows.h"

namespace varnox {

namespace {

using namespace other_rows;

using G = SettingGroup;

// Windows 10 1803 and later: the high bit marks the form in which bit 1 says
// that the system manages the setting and bit 0 that updates are off. A
// click hands the setting back to the user, as "fsutil behavior set
// disablelastaccess 0|1" does there: 0x80000000 or 0x80000001.
constexpr SettingRow kManagedLastAccess = [] {
  SettingRow row = kLastAccess;
  row.formBit = INT32_MIN;
  return row;
}();

const SettingRow& LastAccessRow(TConfForm& form) {
  return HasManagedLastAccess(form.platform().system) ? kManagedLastAccess : kLastAccess;
}

constexpr std::array kHandledRows = {kAutorun,      kLastAccess,  kOwnerRows[0],       kOwnerRows[1],
                                     kOwnerRows[2], kSetupSource, kServicePackRows[0], kServicePackRows[1]};

void LayOutFonts(TConfForm& form, TTabSheet& sheet) {
  auto& fonts = AddGroupBox(form, sheet, "gbFontCorrection", " Font correction (for Russian) ", 4, 54, 345, 62);
  const char* captions[] = {"Default font map", "Arial font map"};
  for (int i = 0; i < 2; ++i) {
    const int top = 15 + 22 * i;
    AddLabel(form, fonts, i == 0 ? "lblDefaultFont" : "lblArialFont", captions[i], 8, top + 3);
    AddEdit(form, fonts, kFontEdits[i], "", 112, top, 34).SetMaxLength(3);
    AddLabel(form, fonts, i == 0 ? "lblDefaultFontDefault" : "lblArialFontDefault",
             " ( 0 by default, 204 for russian )", 150, top + 3);
  }
}

void LayOutOwner(TConfForm& form, TTabSheet& sheet) {
  auto& user = AddGroupBox(form, sheet, "gbUser", " Current version information ", 4, 164, 345, 140);
  struct Line {
    const char* label;
    const char* caption;
    const char* edit;
    int left;
    int width;
  };
  const Line lines[] = {
      {"lblRegOwner", "Registered Owner", "edRegOwner", 158, 179},
      {"lblRegOrg", "Registered Organization", "edRegOrg", 158, 179},
      {"lblSourcePath", "Source Path", "edSourcePath", 158, 86},
      {"lblSourcePath3", "Service Pack Source Path", "edSourcePath3", 158, 179},
      {"lblSourcePath4", "Driver Cache Source Path", "edSourcePath4", 158, 179},
  };
  int top = 15;
  for (const Line& line : lines) {
    AddLabel(form, user, line.label, line.caption, 8, top + 3);
    AddEdit(form, user, line.edit, "", line.left, top, line.width);
    top += 24;
  }
  // The second source path sits beside the first.
  AddFieldName(form, user, "lblSourcePath2", "Setup Source Path", 250, 63);
  AddEdit(form, user, "edSourcePath2", "", 250, 63, 87);
}

void LayOut(TConfForm& form, TTabSheet& sheet) {
  auto& cd = AddGroupBox(form, sheet, "gbAutoPlayCD", " CD ", 4, 2, 345, 48);
  AddCheckBox(form, cd, "cbAutoPlayCD", "Play CD automatically (enabled by default)", 8, 20, 330);
  LayOutFonts(form, sheet);
  auto& files = AddGroupBox(form, sheet, "gbFileSystem", " File system ", 4, 120, 345, 40);
  AddCheckBox(form, files, "cbNTFSDisableLAU", "Update last access time on NTFS (enabled by default)", 8, 16, 330,
              true);
  LayOutOwner(form, sheet);
  AddGreyLegend(form, sheet, "CheckBox3", "lblNoRegistry3", 8, 308);
  ShowHints(form, {"cbAutoPlayCD", "DefaultFontEdit", "ArialFontEdit", "cbNTFSDisableLAU", "edRegOwner", "edRegOrg",
                   "edSourcePath", "edSourcePath2", "edSourcePath3", "edSourcePath4"});
}

void LoadFontMapper(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kFontMapperKey, false)) {
    SetEnabled(form, {kFontEdits[0], kFontEdits[1]}, false);
    return;
  }
  for (int i = 0; i < 2; ++i) form.Find<TEdit>(kFontEdits[i]).SetText(std::to_string(reg.ReadDword(kFontValues[i])));
  reg.CloseKey();
}

bool KeepsServicePackPaths(TConfForm& form) { return KeepsXpEraValues(form.platform().system); }

// Without the setup key none of its three paths can be kept, so all three
// edits are disabled rather than taking text that OK would drop.
void LoadOwner(TConfForm& form, TRegistry& reg) {
  ReadRowsOfKey(form, reg, kCurrentVersionKey, kOwnerRows);
  if (!reg.OpenKey(kSetupKey, false)) {
    SetEnabled(form, {"edSourcePath2", "edSourcePath3", "edSourcePath4"}, false);
    return;
  }
  ReadRow(form, reg, kSetupSource);
  if (KeepsServicePackPaths(form)) {
    ReadRows(form, reg, kServicePackRows);
  } else {
    SetEnabled(form, {"edSourcePath3", "edSourcePath4"}, false);
  }
  reg.CloseKey();
}

void SaveFontMapper(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kFontMapperKey, false)) return;
  for (int i = 0; i < 2; ++i) reg.WriteDword(kFontValues[i], TextToNumber(form.Find<TEdit>(kFontEdits[i]).Text(), 0));
  reg.CloseKey();
}

// An owner value keeps the type it is stored with: a path kept as
// expandable text (such as "%SystemRoot%\Driver Cache") stays expandable,
// or Windows would stop expanding it. A new value is plain text.
void WriteOwnerValue(TConfForm& form, TRegistry& reg, const SettingRow& row) {
  const std::string value(row.value);
  const std::string text = form.platform().system.Utf8ToAnsi(form.Find<TEdit>(row.control).Text());
  if (reg.ValueType(value) == RegDataType::ExpandString) {
    reg.WriteExpandText(value, text);
  } else {
    reg.WriteText(value, text);
  }
}

// All the group's values are rewritten as they stand, edited or not.
void SaveOwner(TConfForm& form, TRegistry& reg) {
  if (reg.OpenKey(kCurrentVersionKey, false)) {
    for (const SettingRow& row : kOwnerRows) WriteOwnerValue(form, reg, row);
    reg.CloseKey();
  }
  if (!reg.OpenKey(kSetupKey, false)) return;
  WriteOwnerValue(form, reg, kSetupSource);
  if (KeepsServicePackPaths(form)) {
    for (const SettingRow& row : kServicePackRows) WriteOwnerValue(form, reg, row);
  }
  reg.CloseKey();
}

}  // namespace

void BuildOtherPage(TConfForm& form, TTabSheet& sheet) {
  LayOut(form, sheet);
  BindRowHandlers(form, kHandledRows);
  for (const char* edit : kFontEdits) {
    form.Find<TEdit>(edit).OnChange = [&form](Component&) { form.MarkModified(G::FontMapper); };
  }

  SettingsFrame& frame = form.Frame();
  frame.AddLoadSection({"Font mapper", kHkeyLocalMachine, [&form](TRegistry& reg) { LoadFontMapper(form, reg); },
                        NamedControls(form, {kFontEdits[0], kFontEdits[1]})});
  frame.AddLoadSection({"CD-ROM", kHkeyLocalMachine,
                        [&form](TRegistry& reg) { ReadRowsOfKey(form, reg, kCdromKey, std::array{kAutorun}); },
                        NamedControls(form, {"cbAutoPlayCD"})});
  frame.AddLoadSection(
      {"File system", kHkeyLocalMachine,
       [&form](TRegistry& reg) { ReadRowsOfKey(form, reg, kFileSystemKey, std::array{LastAccessRow(form)}); },
       NamedControls(form, {"cbNTFSDisableLAU"})});
  frame.AddLoadSection({"Owner and source paths", kHkeyLocalMachine, [&form](TRegistry& reg) { LoadOwner(form, reg); },
                        NamedControls(form, {"edRegOwner", "edRegOrg", "edSourcePath", "edSourcePath2", "edSourcePath3",
                                             "edSourcePath4"})});

  frame.AddSaveGroup({G::FontMapper, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveFontMapper(form, reg); }, {}});
  frame.AddSaveGroup({G::AutoPlayCD,
                      kHkeyLocalMachine,
                      [&form](TRegistry& reg) { WriteRowsOfKey(form, reg, kCdromKey, std::array{kAutorun}); },
                      {}});
  frame.AddSaveGroup(
      {G::NtfsLastAccess,
       kHkeyLocalMachine,
       [&form](TRegistry& reg) { WriteRowsOfKey(form, reg, kFileSystemKey, std::array{LastAccessRow(form)}); },
       {}});
  frame.AddSaveGroup({G::RegOwner, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveOwner(form, reg); }, {}});
}

}  // namespace varnox
