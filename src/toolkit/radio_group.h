#pragma once
// TRadioGroup: a framed set of choices, one item per line, at most one
// selected. A change of ItemIndex fires OnClick, whether the program or the
// user made it; selecting the item already selected fires nothing.

#include <string>
#include <vector>

#include "toolkit/control.h"

namespace varnox {

class TRadioGroup : public Control {
 public:
  explicit TRadioGroup(const ComponentArgs& args);
  const char* ClassName() const override { return "TRadioGroup"; }

  const std::vector<std::string>& Items() const { return items_; }
  // Keeps the selection when it is still an item, else selects nothing
  // (without firing OnClick: the items changed, not the choice).
  void SetItems(const std::vector<std::string>& items);

  // -1: nothing selected.
  int ItemIndex() const { return itemIndex_; }
  // Throws UsageError for an index that is neither -1 nor an item.
  void SetItemIndex(int index);

  // The user picked item `index`; ignored when it is not an item.
  void UserSelect(int index);

 protected:
  bool TakesFocus() const override { return true; }

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

}  // namespace varnox
