#include "toolkit/combo_box.h"

#include "base/concat.h"
#include "base/error.h"

namespace varnox {

TComboBox::TComboBox(const ComponentArgs& args) : Control(args) {
  SetTabStop(true);
  SetColor(clWindow);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  Notify(Property::Items);
  if (itemIndex_ >= static_cast<int>(items_.size())) Select(-1);
}

void TComboBox::AddItem(const std::string& item) {
  items_.push_back(item);
  Notify(Property::Items);
}

bool TComboBox::Select(int index) {
  if (index == itemIndex_) return false;
  itemIndex_ = index;
  Notify(Property::ItemIndex);
  return true;
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) {
    throw UsageError(Concat({"combo box '", Name(), "' has no item ", std::to_string(index)}));
  }
  Select(index);
}

std::string TComboBox::SelectedText() const { return itemIndex_ < 0 ? std::string() : items_[itemIndex_]; }

void TComboBox::UserSelect(int index) {
  if (!AcceptsInput() || index < 0 || index >= static_cast<int>(items_.size())) return;
  if (Select(index)) Fire(OnChange);
}

}  // namespace varnox
