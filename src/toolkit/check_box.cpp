#include "toolkit/check_box.h"

#include "base/error.h"

namespace varnox {

TCheckBox::TCheckBox(const ComponentArgs& args) : Control(args) { SetTabStop(true); }

void TCheckBox::SetState(TCheckBoxState state) {
  if (state != cbUnchecked && state != cbChecked && state != cbGrayed) {
    throw UsageError("not a check box state");
  }
  if (!Update(state_, state, Property::State)) return;
  Fire(OnClick);
}

void TCheckBox::SetAllowGrayed(bool allow) { Update(allowGrayed_, allow, Property::Style); }

TCheckBoxState TCheckBox::NextUserState(TCheckBoxState state, bool allowGrayed) {
  switch (state) {
    case cbUnchecked:
      return allowGrayed ? cbGrayed : cbChecked;
    case cbGrayed:
      return cbChecked;
    case cbChecked:
      break;
  }
  return cbUnchecked;
}

void TCheckBox::UserClick() {
  if (!AcceptsInput()) return;
  SetState(NextUserState(state_, allowGrayed_));
}

}  // namespace varnox
