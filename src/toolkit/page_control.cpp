#include "toolkit/page_control.h"

#include <algorithm>

#include "base/concat.h"
#include "base/error.h"
#include "toolkit/form.h"

namespace varnox {

TPageControl::TPageControl(const ComponentArgs& args) : Control(args) { SetTabStop(true); }

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : pages_) {
    if (page->TabVisible()) tabs.push_back(page);
  }
  return tabs;
}

bool TPageControl::AcceptsChild(const Component& child) const {
  return dynamic_cast<const TTabSheet*>(&child) != nullptr;
}

void TPageControl::ChildAdded(Component& child) {
  auto& page = static_cast<TTabSheet&>(child);
  pages_.push_back(&page);
  Notify(Property::Items);
  if (activePage_ == nullptr && page.TabVisible()) SetActivePage(&page);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page != nullptr && &page->PageControl() != this) {
    throw UsageError(Concat({"tab sheet '", page->Name(), "' is not a page of '", Name(), "'"}));
  }
  Update(activePage_, page, Property::ActivePage);
}

void TPageControl::SetHotTrack(bool on) { Update(hotTrack_, on, Property::Style); }

void TPageControl::UserSelectTab(TTabSheet& page) {
  if (!AcceptsInput() || &page.PageControl() != this || !page.TabVisible() || !page.Enabled()) return;
  if (&page == activePage_) return;
  const Control* focusBefore = Form().ActiveControl();
  SetActivePage(&page);
  Fire(OnChange);
  Form().PageChanged(*this, focusBefore);
}

void TPageControl::UserSelectNextTab(bool forward) {
  if (!AcceptsInput()) return;
  std::vector<TTabSheet*> tabs = VisibleTabs();
  std::erase_if(tabs, [](const TTabSheet* page) { return !page->Enabled(); });
  if (tabs.empty()) return;
  const std::size_t count = tabs.size();
  const auto found = std::find(tabs.begin(), tabs.end(), activePage_);
  // From no page, forward leads to the first and backward to the last.
  const std::size_t at = found != tabs.end() ? static_cast<std::size_t>(found - tabs.begin()) : forward ? count - 1 : 0;
  UserSelectTab(*tabs[forward ? (at + 1) % count : (at + count - 1) % count]);
}

void TPageControl::TabVisibilityChanged(TTabSheet& page) {
  Notify(Property::Items);
  if (activePage_ == nullptr && page.TabVisible()) {
    SetActivePage(&page);
    return;
  }
  if (&page != activePage_ || page.TabVisible()) return;
  const auto at = std::find(pages_.begin(), pages_.end(), &page);
  auto next = std::find_if(at + 1, pages_.end(), [](TTabSheet* p) { return p->TabVisible(); });
  if (next != pages_.end()) {
    SetActivePage(*next);
    return;
  }
  auto before =
      std::find_if(std::make_reverse_iterator(at), pages_.rend(), [](TTabSheet* p) { return p->TabVisible(); });
  SetActivePage(before != pages_.rend() ? *before : nullptr);
}

int TTabSheet::PageIndex() const {
  const std::vector<TTabSheet*>& pages = PageControl().Pages();
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetTabVisible(bool visible) {
  if (!Update(tabVisible_, visible, Property::TabVisible)) return;
  PageControl().TabVisibilityChanged(*this);
}

}  // namespace varnox
