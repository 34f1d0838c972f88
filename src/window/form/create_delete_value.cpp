#include "window/form/create_delete_value.h"

#include <utility>

#include "toolkit/toolkit.h"
#include "window/frame/settings_frame.h"

namespace varnox {

CreateDeleteValue::CreateDeleteValue(CreateDeleteValueSetting setting, TSpeedButton& button, TLabel& label, TEdit& edit,
                                     TUpDown& spinner)
    : setting_(std::move(setting)), button_(&button), label_(&label), edit_(&edit), spinner_(&spinner) {}

void CreateDeleteValue::Load(TRegistry& reg, bool keyOpened) {
  if (!keyOpened) {
    ShowAbsent(kKeyMissingText);
    return;
  }
  const std::string& name = setting_.where.valueName;
  if (!reg.ValueExists(name)) {
    ShowAbsent(kCreateValueText);
    if (reg.CurrentKeyReadOnly()) ShowReadOnly();
    return;
  }
  ShowPresent(reg.ReadDword(name));
  if (reg.CurrentKeyReadOnly()) ShowReadOnly();
}

// The button could neither create nor delete, and OK could not write the
// number: all of them go off, the number still shown.
void CreateDeleteValue::ShowReadOnly() {
  edit_->SetEnabled(false);
  spinner_->SetEnabled(false);
  button_->SetEnabled(false);
  label_->SetCaption(kAdministratorOnlyText);
}

void CreateDeleteValue::Click(SettingsReg& slot) {
  const std::string& name = setting_.where.valueName;
  SettingsReg::Scope reg(slot, setting_.where.root);
  // A key out of reach (missing, or read-only for this account) takes no
  // write or delete, so the controls must not claim that one happened.
  if (!reg->OpenKey(setting_.where.keyPath, false)) {
    ShowAbsent(kKeyMissingText);
    return;
  }
  if (label_->Caption() == kDeleteValueText) {
    if (reg->ValueExists(name)) reg->DeleteValue(name);
    ShowAbsent(kCreateValueText);
  } else {
    // The controls follow only once the write went through.
    if (!reg->ValueExists(name)) reg->WriteDword(name, setting_.createDefault);
    ShowPresent(setting_.createDefault);
  }
  reg->CloseKey();
}

void CreateDeleteValue::Bind(SettingsReg& slot) const {
  button_->OnClick = [self = *this, &slot](Component&) mutable { self.Click(slot); };
}

bool CreateDeleteValue::ValueShown() const { return edit_->Enabled(); }

void CreateDeleteValue::ShowPresent(std::int64_t number) {
  edit_->SetEnabled(true);
  spinner_->SetEnabled(true);
  spinner_->ShowNumber(number);
  label_->SetCaption(kDeleteValueText);
}

void CreateDeleteValue::ShowAbsent(const char* status) {
  edit_->SetEnabled(false);
  spinner_->SetEnabled(false);
  label_->SetCaption(status);
}

}  // namespace varnox
