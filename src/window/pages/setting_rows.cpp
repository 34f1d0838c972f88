#include "window/pages/setting_rows.h"

#include <algorithm>
#include <string>

#include "settings/text_number.h"
#include "toolkit/toolkit.h"
#include "window/form/conf_form.h"

namespace varnox {

namespace {

void ReadTextFlag(TCheckBox& box, TRegistry& reg, const SettingRow& row) {
  const std::string text = reg.ReadText(row.value);
  if (text == row.checkedText) {
    box.SetState(cbChecked);
  } else if (row.uncheckedReads && text == row.uncheckedText) {
    box.SetState(cbUnchecked);
  } else if (row.other == OtherData::Unchecks) {
    box.SetState(cbUnchecked);
  }
}

void ReadNumberFlag(TCheckBox& box, TRegistry& reg, const SettingRow& row) {
  if (row.lowByteChecks) {
    box.SetState((reg.ReadDword(row.value) & 0xFF) != 0 ? cbChecked : cbUnchecked);
    return;
  }
  // One read serves both comparisons: a second read could only find the
  // same number (or raise where the first already had).
  std::int32_t number = reg.ReadDword(row.value);
  if ((number & row.formBit) != 0) number &= 1;
  if (number == row.checkedNumber) {
    box.SetState(cbChecked);
    return;
  }
  if (row.uncheckedReads && number == row.uncheckedNumber) {
    box.SetState(cbUnchecked);
    return;
  }
  if (row.other == OtherData::Unchecks) box.SetState(cbUnchecked);
}

void WriteFlag(TCheckBox& box, TRegistry& reg, const SettingRow& row) {
  if (box.State() == cbGrayed && row.greyCapable) {
    DeleteIfPresent(reg, row.value);
    return;
  }
  const bool checked = box.Checked();
  if (row.kind == RowKind::TextFlag) {
    reg.WriteText(row.value, std::string(checked ? row.checkedText : row.uncheckedText));
  } else {
    reg.WriteDword(row.value, (checked ? row.checkedNumber : row.uncheckedNumber) | row.formBit);
  }
}

}  // namespace

void ReadRow(TConfForm& form, TRegistry& reg, const SettingRow& row) {
  switch (row.kind) {
    case RowKind::TextFlag:
    case RowKind::NumberFlag: {
      auto& box = form.Find<TCheckBox>(row.control);
      if (row.greyCapable && !reg.ValueExists(row.value)) {
        box.SetState(cbGrayed);
        return;
      }
      if (row.kind == RowKind::TextFlag) {
        ReadTextFlag(box, reg, row);
      } else {
        ReadNumberFlag(box, reg, row);
      }
      return;
    }
    case RowKind::SpinnerNumber:
      form.Find<TUpDown>(row.control).ShowNumber(reg.ReadDword(row.value));
      return;
    case RowKind::SpinnerText:
      form.Find<TUpDown>(row.control).ShowNumber(TextToNumber(reg.ReadText(row.value), row.textDefault));
      return;
    case RowKind::EditText:
      form.Find<TEdit>(row.control).SetText(form.platform().system.AnsiToUtf8(reg.ReadText(row.value)));
      return;
  }
}

void WriteRow(TConfForm& form, TRegistry& reg, const SettingRow& row) {
  const std::string_view value = row.value;
  switch (row.kind) {
    case RowKind::TextFlag:
    case RowKind::NumberFlag:
      WriteFlag(form.Find<TCheckBox>(row.control), reg, row);
      return;
    case RowKind::SpinnerNumber:
    case RowKind::SpinnerText: {
      const auto& spinner = form.Find<TUpDown>(row.control);
      if (LeftAsStored(spinner)) return KeepAsStored(reg, value);
      if (row.kind == RowKind::SpinnerNumber) {
        reg.WriteDword(value, spinner.Position());
      } else {
        reg.WriteText(value, std::to_string(spinner.Position()));
      }
      return;
    }
    case RowKind::EditText: {
      const std::string& text = form.Find<TEdit>(row.control).Text();
      if (row.emptyDeletes && text.empty()) {
        reg.DeleteValue(value);
      } else {
        reg.WriteText(value, form.platform().system.Utf8ToAnsi(text));
      }
      return;
    }
  }
}

void ReadRows(TConfForm& form, TRegistry& reg, std::span<const SettingRow> rows) {
  for (const SettingRow& row : rows) ReadRow(form, reg, row);
}

void WriteRows(TConfForm& form, TRegistry& reg, std::span<const SettingRow> rows) {
  for (const SettingRow& row : rows) WriteRow(form, reg, row);
}

void ReadRowsOfKey(TConfForm& form, TRegistry& reg, const std::string& key, std::span<const SettingRow> rows) {
  if (!reg.OpenKey(key, false)) {
    for (const SettingRow& row : rows) form.Find<Control>(row.control).SetEnabled(false);
    return;
  }
  ReadRows(form, reg, rows);
  reg.CloseKey();
}

void WriteRowsOfKey(TConfForm& form, TRegistry& reg, const std::string& key, std::span<const SettingRow> rows) {
  if (!reg.OpenKey(key, false)) return;
  WriteRows(form, reg, rows);
  reg.CloseKey();
}

void BindRowHandlers(TConfForm& form, std::span<const SettingRow> rows, std::span<const std::string_view> skip) {
  for (const SettingRow& row : rows) {
    if (std::find(skip.begin(), skip.end(), row.control) != skip.end()) continue;
    const SettingGroup group = row.group;
    auto mark = [&form, group](Component&) { form.MarkModified(group); };
    switch (row.kind) {
      case RowKind::TextFlag:
      case RowKind::NumberFlag:
        form.Find<TCheckBox>(row.control).OnClick = mark;
        break;
      case RowKind::SpinnerNumber:
      case RowKind::SpinnerText:
        form.Find<TUpDown>(row.control).OnChanging = [&form, group](Component&, bool&) { form.MarkModified(group); };
        break;
      case RowKind::EditText:
        form.Find<TEdit>(row.control).OnChange = mark;
        break;
    }
  }
}

void AppendRowControls(TConfForm& form, std::span<const SettingRow> rows, std::vector<Control*>& controls) {
  for (const SettingRow& row : rows) {
    auto* control = dynamic_cast<Control*>(form.FindComponent(row.control));
    if (control) controls.push_back(control);
  }
}

void DeleteIfPresent(TRegistry& reg, std::string_view value) {
  if (reg.ValueExists(value)) reg.DeleteValue(value);
}

}  // namespace varnox
