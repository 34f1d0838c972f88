#pragma once
// TListView in report style: columns with captions and widths, and rows
// with a caption, the texts of the further columns and a small image.
// Selecting by program fires nothing; a user click selects the row under
// the mouse and fires OnClick.

#include <string>
#include <vector>

#include "toolkit/control.h"

namespace varnox {

struct TListColumn {
  std::string caption;
  int width = 50;
};

struct TListItem {
  std::string caption;
  std::vector<std::string> subItems;  // the texts of the second and later columns
  int imageIndex = -1;                // into SmallImages; -1 shows none
};

class TListView : public Control {
 public:
  explicit TListView(const ComponentArgs& args);
  const char* ClassName() const override { return "TListView"; }

  const std::vector<TListColumn>& Columns() const { return columns_; }
  void SetColumns(const std::vector<TListColumn>& columns);

  const std::vector<TListItem>& Items() const { return items_; }
  int AddItem(const TListItem& item);  // returns its index
  // Removes every row; nothing is selected or marked afterwards.
  void Clear();

  // The selected row, -1 for none. Throws UsageError for an index
  // that is neither -1 nor a row.
  int Selected() const { return selected_; }
  void SetSelected(int index);
  // The row with the focus mark, -1 for none; same rules.
  int ItemFocused() const { return itemFocused_; }
  void SetItemFocused(int index);

  // The image list the view draws row images from, by resource name.
  const std::string& SmallImages() const { return smallImages_; }
  void SetSmallImages(const std::string& imageListName);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  // Whether the selection stays visible while the list has no focus.
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool on);
  bool ColumnClick() const { return columnClick_; }
  void SetColumnClick(bool on);

  // The user clicked row `index` (-1: empty space, which clears the
  // selection), then OnClick fires.
  void UserClickItem(int index);

 protected:
  bool TakesFocus() const override { return true; }

 private:
  void CheckRow(int index) const;

  std::vector<TListColumn> columns_;
  std::vector<TListItem> items_;
  int selected_ = -1;
  int itemFocused_ = -1;
  std::string smallImages_;
  bool readOnly_ = false;
  bool hideSelection_ = true;
  bool columnClick_ = true;
};

}  // namespace varnox
