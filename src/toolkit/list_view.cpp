#include "toolkit/list_view.h"

#include "base/concat.h"
#include "base/error.h"

namespace varnox {

TListView::TListView(const ComponentArgs& args) : Control(args) {
  SetTabStop(true);
  SetColor(clWindow);
}

void TListView::SetColumns(const std::vector<TListColumn>& columns) {
  columns_ = columns;
  Notify(Property::Items);
}

int TListView::AddItem(const TListItem& item) {
  items_.push_back(item);
  Notify(Property::Items);
  return static_cast<int>(items_.size()) - 1;
}

void TListView::Clear() {
  items_.clear();
  selected_ = -1;
  itemFocused_ = -1;
  Notify(Property::Items);
  Notify(Property::ItemIndex);
}

void TListView::CheckRow(int index) const {
  if (index < -1 || index >= static_cast<int>(items_.size())) {
    throw UsageError(Concat({"list view '", Name(), "' has no row ", std::to_string(index)}));
  }
}

void TListView::SetSelected(int index) {
  CheckRow(index);
  Update(selected_, index, Property::ItemIndex);
}

void TListView::SetItemFocused(int index) {
  CheckRow(index);
  Update(itemFocused_, index, Property::ItemIndex);
}

void TListView::SetSmallImages(const std::string& imageListName) {
  Update(smallImages_, imageListName, Property::Style);
}

void TListView::SetReadOnly(bool on) { Update(readOnly_, on, Property::Style); }

void TListView::SetHideSelection(bool on) { Update(hideSelection_, on, Property::Style); }

void TListView::SetColumnClick(bool on) { Update(columnClick_, on, Property::Style); }

void TListView::UserClickItem(int index) {
  if (!AcceptsInput() || index < -1 || index >= static_cast<int>(items_.size())) return;
  SetSelected(index);
  if (index >= 0) SetItemFocused(index);
  Fire(OnClick);
}

}  // namespace varnox
