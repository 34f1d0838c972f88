#pragma once
// TCheckBox: a two- or three-state check box.
//
// Any change of State fires OnClick, whether the program or the user made
// it, to any of the three states; setting the state it already has fires
// nothing. A user click moves to the next state:
//   AllowGrayed:     unchecked → grey → checked → unchecked
//   not AllowGrayed: unchecked ↔ checked, and grey (set by the program) → checked
// so a two-state box never returns to grey by the user's hand.

#include "toolkit/control.h"

namespace varnox {

enum TCheckBoxState { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

class TCheckBox : public Control {
 public:
  explicit TCheckBox(const ComponentArgs& args);
  const char* ClassName() const override { return "TCheckBox"; }

  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  // Checked only in cbChecked; a grey box counts as not checked.
  bool Checked() const { return state_ == cbChecked; }
  // true → cbChecked, false → cbUnchecked (also from grey).
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }

  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool allow);

  // The state a user click leads to from `state`.
  static TCheckBoxState NextUserState(TCheckBoxState state, bool allowGrayed);
  void UserClick() override;

 protected:
  bool TakesFocus() const override { return true; }

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
};

}  // namespace varnox
