#pragma once
// A model pop-up menu, shown with TrackPopupMenu when the model asks for it;
// the item the user picks gets its UserClick.

#include "toolkit/popup_menu.h"
#include "toolkit/win32/component_view.h"

namespace varnox {

class PopupMenuView final : public ComponentView {
 public:
  PopupMenuView(FormView& form, TPopupMenu& menu) : ComponentView(form, menu), menu_(menu) {}

  void PropertyChanged(Component& component, Property property) override;

 private:
  void Popup();

  TPopupMenu& menu_;
};

}  // namespace varnox
