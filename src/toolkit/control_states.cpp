#include "toolkit/control_states.h"

#include "toolkit/toolkit.h"

namespace varnox {

ControlStates::ControlStates(const std::vector<Control*>& controls) {
  for (Control* control : controls) {
    Saved saved{control, control->Enabled(), control->Text(), 0, std::nullopt, {}};
    if (const auto* box = dynamic_cast<const TCheckBox*>(control)) {
      saved.number = box->State();
    } else if (const auto* radio = dynamic_cast<const TRadioButton*>(control)) {
      saved.number = radio->Checked() ? 1 : 0;
    } else if (const auto* group = dynamic_cast<const TRadioGroup*>(control)) {
      saved.number = group->ItemIndex();
    } else if (const auto* combo = dynamic_cast<const TComboBox*>(control)) {
      saved.items = combo->Items();
      saved.number = combo->ItemIndex();
    } else if (const auto* upDown = dynamic_cast<const TUpDown*>(control)) {
      saved.number = upDown->Position();
      saved.outside = upDown->OutsideNumber();
    } else if (const auto* track = dynamic_cast<const TTrackBar*>(control)) {
      saved.number = track->Position();
    }
    saved_.push_back(std::move(saved));
  }
}

void ControlStates::Restore() const {
  for (const Saved& saved : saved_) {
    Control* control = saved.control;
    control->SetEnabled(saved.enabled);
    if (control->Text() != saved.text) control->SetText(saved.text);
    if (auto* box = dynamic_cast<TCheckBox*>(control)) {
      box->SetState(static_cast<TCheckBoxState>(saved.number));
    } else if (auto* radio = dynamic_cast<TRadioButton*>(control)) {
      radio->SetChecked(saved.number != 0);
    } else if (auto* group = dynamic_cast<TRadioGroup*>(control)) {
      group->SetItemIndex(saved.number);
    } else if (auto* combo = dynamic_cast<TComboBox*>(control)) {
      if (combo->Items() != saved.items) combo->SetItems(saved.items);
      combo->SetItemIndex(saved.number);
    } else if (auto* upDown = dynamic_cast<TUpDown*>(control)) {
      if (saved.outside) {
        upDown->ShowNumber(*saved.outside);
      } else {
        upDown->SetPosition(saved.number);
      }
    } else if (auto* track = dynamic_cast<TTrackBar*>(control)) {
      track->SetPosition(saved.number);
    }
  }
}

}  // namespace varnox
