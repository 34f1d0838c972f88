#include "toolkit/radio_button.h"

namespace varnox {

TRadioButton::TRadioButton(const ComponentArgs& args) : Control(args) { SetTabStop(true); }

void TRadioButton::ChangeSilently(bool checked) { Update(checked_, checked, Property::State); }

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  if (!checked) {
    ChangeSilently(false);
    return;
  }
  for (Component* sibling : Parent()->Children()) {
    auto* radio = dynamic_cast<TRadioButton*>(sibling);
    if (radio != nullptr && radio != this) radio->ChangeSilently(false);
  }
  ChangeSilently(true);
  Fire(OnClick);
}

void TRadioButton::UserClick() {
  if (!AcceptsInput()) return;
  SetChecked(true);
}

}  // namespace varnox
