#pragma once
// TRadioButton: one choice among the radio buttons of the same parent.
//
// Becoming checked — by the program or by a user click — unchecks the other
// radio buttons of the same parent without firing their handlers, then fires
// this button's OnClick. Unchecking by the program fires nothing, and a click
// on a button that is already checked changes nothing.

#include "toolkit/control.h"

namespace varnox {

class TRadioButton : public Control {
 public:
  explicit TRadioButton(const ComponentArgs& args);
  const char* ClassName() const override { return "TRadioButton"; }

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  void UserClick() override;

 protected:
  bool TakesFocus() const override { return true; }

 private:
  void ChangeSilently(bool checked);

  bool checked_ = false;
};

}  // namespace varnox
