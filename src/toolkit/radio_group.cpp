#include "toolkit/radio_group.h"

#include "base/concat.h"
#include "base/error.h"

namespace varnox {

TRadioGroup::TRadioGroup(const ComponentArgs& args) : Control(args) { SetTabStop(true); }

void TRadioGroup::SetItems(const std::vector<std::string>& items) {
  items_ = items;
  Notify(Property::Items);
  if (itemIndex_ >= static_cast<int>(items_.size())) {
    itemIndex_ = -1;
    Notify(Property::ItemIndex);
  }
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) {
    throw UsageError(Concat({"radio group '", Name(), "' has no item ", std::to_string(index)}));
  }
  if (!Update(itemIndex_, index, Property::ItemIndex)) return;
  Fire(OnClick);
}

void TRadioGroup::UserSelect(int index) {
  if (!AcceptsInput() || index < 0 || index >= static_cast<int>(items_.size())) return;
  SetItemIndex(index);
}

}  // namespace varnox
