#pragma once
// A number setting that is usually absent from the registry gets a button
// that creates or deletes the value at once, a status label that says what
// the button will do, and an edit with a spinner that shows the number.
//
// The label's text is the only record of whether the value exists: while it
// reads kDeleteValueText the edit and spinner are enabled and OK may write
// the number; otherwise they are disabled and OK leaves the value alone.
// The button acts on the registry immediately, whatever OK or Cancel do
// later, and marks no group: it never raises a flag nor enables OK.

#include <cstdint>

#include "settings/registry.h"

namespace varnox {

class SettingsReg;
class TSpeedButton;
class TLabel;
class TEdit;
class TUpDown;

// The label's texts. They stay English whatever the hint language.
inline constexpr char kRegistryStatusPending[] = "Determining registry status ...";
inline constexpr char kDeleteValueText[] = "Delete this value from registry";
inline constexpr char kCreateValueText[] = "Create this value in registry";
inline constexpr char kKeyMissingText[] = "Key not exists in registry";
// The key is there but this account may only read it.
inline constexpr char kAdministratorOnlyText[] = "Only an administrator can change this value";

struct CreateDeleteValueSetting {
  RegistryValueRef where;  // a REG_DWORD number; the key is never created
  // What the button writes, and the spinner then shows.
  std::int32_t createDefault = 0;
};

// The controls of one such setting and what to do with them. A small value
// that handlers copy; the controls belong to the form and outlive it.
class CreateDeleteValue {
 public:
  CreateDeleteValue(CreateDeleteValueSetting setting, TSpeedButton& button, TLabel& label, TEdit& edit,
                    TUpDown& spinner);

  // Shows what the load found. With `keyOpened`, `reg` has the setting's key
  // open and the value is read from it (its errors go on to the caller); a
  // number outside the spinner's range shows in the edit as stored (see
  // TUpDown::ShowNumber). Without, the controls say the key is missing. A
  // key open for reading only shows the stored number, with every control off.
  void Load(TRegistry& reg, bool keyOpened);

  // The button's click, with a fresh accessor in `slot` that is freed on
  // every path. A write that fails leaves the controls as they were.
  void Click(SettingsReg& slot);

  // Makes the button's click run Click with `slot`.
  void Bind(SettingsReg& slot) const;

  // Whether the value is shown as present, which is what lets OK write it.
  bool ValueShown() const;

  const CreateDeleteValueSetting& Setting() const { return setting_; }

 private:
  void ShowPresent(std::int64_t number);
  void ShowAbsent(const char* status);
  void ShowReadOnly();

  CreateDeleteValueSetting setting_;
  TSpeedButton* button_;
  TLabel* label_;
  TEdit* edit_;
  TUpDown* spinner_;
};

}  // namespace varnox
