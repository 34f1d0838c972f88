#pragma once
// The view of a one-line edit. Typing reaches the model as the whole new
// text (UserType). The arrow keys that step an up-down bound to it are the
// form's (TForm::UserArrowKey).

#include "toolkit/edit.h"
#include "toolkit/win32/control_view.h"

namespace varnox {

class EditView final : public ControlView {
 public:
  EditView(FormView& form, TEdit& edit) : ControlView(form, edit), edit_(edit) {}
  void Command(HWND from, UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;

 private:
  TEdit& edit_;
};

}  // namespace varnox
