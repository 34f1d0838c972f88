#pragma once
// TComboBox in drop-down-list style: the user picks one of the items and
// cannot type. A selection made by the program fires nothing; one made by
// the user fires OnChange when it changes the selection.

#include <string>
#include <vector>

#include "toolkit/control.h"

namespace varnox {

class TComboBox : public Control {
 public:
  explicit TComboBox(const ComponentArgs& args);
  const char* ClassName() const override { return "TComboBox"; }

  const std::vector<std::string>& Items() const { return items_; }
  // Keeps the selection when it is still an item, else selects nothing.
  void SetItems(const std::vector<std::string>& items);
  void AddItem(const std::string& item);
  // Removes every item; nothing is selected afterwards.
  void Clear() { SetItems({}); }

  // -1: nothing selected.
  int ItemIndex() const { return itemIndex_; }
  // Throws UsageError for an index that is neither -1 nor an item.
  void SetItemIndex(int index);
  // The selected item's text, empty when nothing is selected.
  std::string SelectedText() const;

  NotifyEvent OnChange;

  // The user picked item `index` from the list; ignored when it is not one.
  void UserSelect(int index);

 protected:
  bool TakesFocus() const override { return true; }

 private:
  bool Select(int index);

  std::vector<std::string> items_;
  int itemIndex_ = -1;
};

}  // namespace varnox
