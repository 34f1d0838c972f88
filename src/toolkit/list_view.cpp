#include "toolkit/list_view.h"

#include <stdexcept>

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
    throw std::out_of_range("list view '" + Name() + "' has no row " + std::to_string(index));
  }
}

void TListView::SetSelected(int index) {
  CheckRow(index);
  if (index == selected_) return;
  selected_ = index;
  Notify(Property::ItemIndex);
}

void TListView::SetItemFocused(int index) {
  CheckRow(index);
  if (index == itemFocused_) return;
  itemFocused_ = index;
  Notify(Property::ItemIndex);
}

void TListView::SetSmallImages(const std::string& imageListName) {
  if (imageListName == smallImages_) return;
  smallImages_ = imageListName;
  Notify(Property::Style);
}

void TListView::SetReadOnly(bool on) {
  if (on == readOnly_) return;
  readOnly_ = on;
  Notify(Property::Style);
}

void TListView::SetHideSelection(bool on) {
  if (on == hideSelection_) return;
  hideSelection_ = on;
  Notify(Property::Style);
}

void TListView::SetColumnClick(bool on) {
  if (on == columnClick_) return;
  columnClick_ = on;
  Notify(Property::Style);
}

void TListView::UserClickItem(int index) {
  if (!AcceptsInput() || index < -1 || index >= static_cast<int>(items_.size())) return;
  SetSelected(index);
  if (index >= 0) SetItemFocused(index);
  Fire(OnClick);
}

}  // namespace varnox
