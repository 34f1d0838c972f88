#include "toolkit/popup_menu.h"

namespace varnox {

std::vector<TMenuItem*> TPopupMenu::Items() const {
  std::vector<TMenuItem*> items;
  for (Component* child : Children()) items.push_back(static_cast<TMenuItem*>(child));
  return items;
}

bool TPopupMenu::AcceptsChild(const Component& child) const {
  return dynamic_cast<const TMenuItem*>(&child) != nullptr;
}

void TPopupMenu::ChildAdded(Component& /*child*/) { Notify(Property::Items); }

void TPopupMenu::Popup(int x, int y) {
  Fire(OnPopup);
  popupX_ = x;
  popupY_ = y;
  Notify(Property::PopupRequested);
}

void TMenuItem::SetCaption(const std::string& caption) { Update(caption_, caption, Property::Text); }

void TMenuItem::SetEnabled(bool enabled) { Update(enabled_, enabled, Property::Enabled); }

void TMenuItem::SetChecked(bool checked) { Update(checked_, checked, Property::State); }

void TMenuItem::UserClick() {
  if (enabled_) Fire(OnClick);
}

}  // namespace varnox
