#include "toolkit/win32/page_views.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "toolkit/win32/form_view.h"
#include "toolkit/win32/visual_styles.h"
#include "toolkit/win32/wide_text.h"

namespace varnox {

// --- page control ---

ControlView::WindowRecipe PageControlView::Recipe() const {
  DWORD style = WS_CLIPCHILDREN;
  if (pages_.HotTrack()) style |= TCS_HOTTRACK;
  return {WC_TABCONTROLW, style, 0};
}

void PageControlView::ApplyAll() {
  ControlView::ApplyAll();
  ApplyTabs();
}

void PageControlView::Apply(Property property) {
  switch (property) {
    case Property::Text:
      return;
    case Property::Style:
      SetStyleBit(TCS_HOTTRACK, pages_.HotTrack());
      return;
    case Property::Items:
      ApplyTabs();
      return;
    case Property::ActivePage:
      ApplyActivePage();
      return;
    case Property::Bounds:
    case Property::Font:
      ControlView::Apply(property);
      LayoutSheets();
      return;
    default:
      ControlView::Apply(property);
  }
}

// Tabs are edited, not made again: a page that hides or shows during the
// load takes one message, and the others keep their places and sizes.
void PageControlView::ApplyTabs() {
  const std::vector<TTabSheet*> wanted = pages_.VisibleTabs();
  bool changed = false;
  for (std::size_t i = tabs_.size(); i-- > 0;) {
    if (std::find(wanted.begin(), wanted.end(), tabs_[i]) != wanted.end()) continue;
    SendMessageW(Window(), TCM_DELETEITEM, i, 0);
    tabs_.erase(tabs_.begin() + static_cast<std::ptrdiff_t>(i));
    changed = true;
  }
  // What is left keeps the pages' order, so each missing tab goes where it
  // first differs.
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    if (i < tabs_.size() && tabs_[i] == wanted[i]) continue;
    SendTab(TCM_INSERTITEMW, i, *wanted[i]);
    tabs_.insert(tabs_.begin() + static_cast<std::ptrdiff_t>(i), wanted[i]);
    changed = true;
  }
  ApplyActivePage();
  // More or fewer tabs may take another number of rows.
  if (changed) LayoutSheets();
}

void PageControlView::PageTextChanged(const TTabSheet& page) {
  const auto found = std::find(tabs_.begin(), tabs_.end(), &page);
  if (found == tabs_.end()) return;
  SendTab(TCM_SETITEMW, static_cast<std::size_t>(found - tabs_.begin()), page);
  LayoutSheets();
}

// TCM_INSERTITEMW or TCM_SETITEMW with the page's caption.
void PageControlView::SendTab(UINT message, std::size_t index, const TTabSheet& page) {
  std::wstring caption = Utf8ToWide(page.Caption());
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  SendMessageW(Window(), message, index, reinterpret_cast<LPARAM>(&item));
}

void PageControlView::ApplyActivePage() {
  const std::vector<TTabSheet*> tabs = pages_.VisibleTabs();
  const auto active = std::find(tabs.begin(), tabs.end(), pages_.ActivePage());
  const int index = active == tabs.end() ? -1 : static_cast<int>(active - tabs.begin());
  SendMessageW(Window(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (TTabSheet* page : pages_.Pages()) {
    if (auto* sheet = dynamic_cast<TabSheetView*>(form_.ViewOf(page))) sheet->ApplyShowing();
  }
}

RECT PageControlView::DisplayArea() const {
  RECT area;
  GetClientRect(Window(), &area);
  SendMessageW(Window(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  return area;
}

void PageControlView::LayoutSheets() {
  const RECT area = DisplayArea();
  for (TTabSheet* page : pages_.Pages()) {
    auto* sheet = dynamic_cast<TabSheetView*>(form_.ViewOf(page));
    if (!sheet || !sheet->Window()) continue;
    SetWindowPos(sheet->Window(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

bool PageControlView::Notify(const NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case TCN_SELCHANGING:
      result = FALSE;  // the model decides after the change
      return true;
    case TCN_SELCHANGE: {
      const int index = static_cast<int>(SendMessageW(Window(), TCM_GETCURSEL, 0, 0));
      const std::vector<TTabSheet*> tabs = pages_.VisibleTabs();
      if (index >= 0 && index < static_cast<int>(tabs.size())) {
        TTabSheet& page = *tabs[static_cast<std::size_t>(index)];
        User([&] { pages_.UserSelectTab(page); });
      }
      // A refused switch (a disabled page) puts the old tab back.
      Resync(Property::ActivePage);
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

// --- tab sheet ---

ControlView::WindowRecipe TabSheetView::Recipe() const {
  return {kTabSheetClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

PageControlView* TabSheetView::Pages() const {
  return dynamic_cast<PageControlView*>(form_.ViewOf(&sheet_.PageControl()));
}

void TabSheetView::Create() {
  if (Shows()) MakeWindow();
}

void TabSheetView::MakeWindow() {
  ControlView::Create();
  PageControlView* pages = Pages();
  if (!Window() || !pages) return;
  const RECT area = pages->DisplayArea();
  SetWindowPos(Window(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Hidden while its controls are made, so that none of them is drawn or
// clipped against the others before all are there. The controls come from
// the common controls of the library's manifest, as those made at opening.
void TabSheetView::MakeOnFirstShow() {
  VisualStyleContext::Scope styled(form_.Styles());
  madeLater_ = true;
  MakeWindow();
  madeLater_ = false;
  if (!Window()) return;
  form_.CreateChildViews(sheet_);
  ShowWindow(Window(), SW_SHOWNA);
}

bool TabSheetView::VisibleAtCreation() const { return !madeLater_ && Shows(); }

// A sheet not made yet still puts its caption on its tab, and makes itself
// when it comes to show; everything else it reads when it is made.
void TabSheetView::PropertyChanged(Component& component, Property property) {
  if (Window() || form_.Destroying()) {
    ControlView::PropertyChanged(component, property);
    return;
  }
  FormView::ApplyScope guard(form_);
  if (property == Property::Visible) ApplyShowing();
  if (property == Property::Text) {
    if (PageControlView* pages = Pages()) pages->PageTextChanged(sheet_);
  }
}

void TabSheetView::ApplyShowing() {
  const bool showing = Shows();
  if (!Window()) {
    if (showing) MakeOnFirstShow();
    return;
  }
  if (showing == ((GetWindowLongPtrW(Window(), GWL_STYLE) & WS_VISIBLE) != 0)) return;
  ShowWindow(Window(), showing ? SW_SHOWNA : SW_HIDE);
}

void TabSheetView::Apply(Property property) {
  switch (property) {
    case Property::Visible:
      // A new window already has the visibility it should; one made on first
      // show stays hidden until its controls are there.
      if (!Creating()) ApplyShowing();
      return;
    case Property::Bounds:
      return;  // the page control's display area places the sheet
    case Property::Text:
      ControlView::Apply(property);
      // A new sheet's caption is on its tab already: the page control made
      // every tab when it was made.
      if (PageControlView* pages = Pages(); pages && !Creating()) pages->PageTextChanged(sheet_);
      return;
    default:
      ControlView::Apply(property);
  }
}

}  // namespace varnox
