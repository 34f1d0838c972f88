#pragma once
// Most settings are alike: a box that shows a flag, a spinner that shows a
// number, an edit that shows a text. A page lists such settings as rows; the
// functions here read a row's value into its control and write the control
// back, by the row's rule. What is not alike stays in the page's own code.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/registry.h"
#include "toolkit/up_down.h"
#include "window/frame/setting_group.h"

namespace varnox {

class TConfForm;
class Control;

enum class RowKind {
  TextFlag,       // check box over REG_SZ text data
  NumberFlag,     // check box over REG_DWORD data
  SpinnerNumber,  // up-down over a REG_DWORD number
  SpinnerText,    // up-down over a number kept as REG_SZ decimal text
  EditText,       // edit over REG_SZ text
};

// What a flag row does with stored data that is neither of its two data.
enum class OtherData { LeavesBox, Unchecks };

struct SettingRow {
  std::string_view control;  // check box, up-down or edit
  std::string_view value;    // value name
  RowKind kind;
  SettingGroup group;

  // Flags: the data of the checked and the unchecked box. An inverted row
  // (the caption asks the opposite of the value) simply swaps them.
  std::string_view checkedText = "1";
  std::string_view uncheckedText = "0";
  std::int32_t checkedNumber = 1;
  std::int32_t uncheckedNumber = 0;
  OtherData other = OtherData::LeavesBox;
  // Whether stored unchecked data unchecks the box; when false only the
  // checked data acts and everything else goes by `other`.
  bool uncheckedReads = true;
  // A missing value shows as grey (ValueExists is asked first), and a grey
  // box deletes the value on save.
  bool greyCapable = false;
  // Number flags: any number whose low 8 bits are not 0 counts as checked.
  bool lowByteChecks = false;
  // Number flags: a later form of the value, marked by this bit. A stored
  // number that carries it is read by its lowest bit alone (the other bits
  // are the system's), and the box writes its number with the bit set.
  std::int32_t formBit = 0;

  // SpinnerText: the number a missing, empty or malformed text stands for.
  std::int32_t textDefault = 0;
  // EditText: an empty edit deletes the value instead of writing "".
  bool emptyDeletes = false;
};

// Reads one row from the open key of `reg` into its control on `form`. The
// reads raise the accessor's errors as the row's rule implies. A spinner
// shows any number its value may hold: one outside the spinner's range
// stays in the edit as stored (TUpDown::ShowNumber).
void ReadRow(TConfForm& form, TRegistry& reg, const SettingRow& row);
// Writes one row's control back to the open key; a spinner left as stored
// is not written.
void WriteRow(TConfForm& form, TRegistry& reg, const SettingRow& row);

// Whether a spinner still shows the stored number that lies outside its
// range: the user has not changed it, so OK leaves the value as it is
// rather than write the end of the range the spinner stands at.
inline bool LeftAsStored(const TUpDown& spinner) { return spinner.OutsideNumber().has_value(); }
// A value OK leaves as stored is still its group's: asking about it shows
// whoever records the groups' reach (the backup holds every such value).
inline void KeepAsStored(TRegistry& reg, std::string_view value) { reg.ValueExists(std::string(value)); }

void ReadRows(TConfForm& form, TRegistry& reg, std::span<const SettingRow> rows);
void WriteRows(TConfForm& form, TRegistry& reg, std::span<const SettingRow> rows);

// The same for rows whose values all live in one key: it is opened (never
// created) and closed around them. A key that cannot be opened disables the
// rows' controls on load and is passed over on save.
void ReadRowsOfKey(TConfForm& form, TRegistry& reg, const std::string& key, std::span<const SettingRow> rows);
void WriteRowsOfKey(TConfForm& form, TRegistry& reg, const std::string& key, std::span<const SettingRow> rows);

// Binds each row's control to the common handler: the user's change (a
// box's click, an edit's change, a spinner's arrow click) marks the row's
// group. A control named by a row with a handler of its own is left alone
// when `skip` names it.
void BindRowHandlers(TConfForm& form, std::span<const SettingRow> rows, std::span<const std::string_view> skip = {});

// The controls of the rows, for a load section's list.
void AppendRowControls(TConfForm& form, std::span<const SettingRow> rows, std::vector<Control*>& controls);

// Grey-capable write of a box: checked and unchecked write their data, grey
// deletes the value when it is there.
void DeleteIfPresent(TRegistry& reg, std::string_view value);

}  // namespace varnox
