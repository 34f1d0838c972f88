#pragma once
// TPageControl with its TTabSheets. The program's SetActivePage fires
// nothing; OnChange fires only after the user switched to another tab.
// Pages are in creation order; a page whose tab is hidden keeps its place
// and index but shows no tab.

#include <vector>

#include "toolkit/control.h"

namespace varnox {

class TTabSheet;

class TPageControl : public Control {
 public:
  explicit TPageControl(const ComponentArgs& args);
  const char* ClassName() const override { return "TPageControl"; }

  const std::vector<TTabSheet*>& Pages() const { return pages_; }
  // The pages whose tabs show, in order: tab i of the view is entry i here.
  std::vector<TTabSheet*> VisibleTabs() const;

  // nullptr only while there is no page, or when every tab is hidden.
  TTabSheet* ActivePage() const { return activePage_; }
  // Any page of this control (also one whose tab is hidden), or nullptr;
  // throws UsageError for a page of another control.
  void SetActivePage(TTabSheet* page);

  // Tabs light up under the mouse.
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool on);

  NotifyEvent OnChange;

  // The user clicked the tab of `page`. Ignored when the control does not
  // accept input, or the page is not one of its visible, enabled tabs.
  // After OnChange the form settles the focus (TForm::PageChanged).
  void UserSelectTab(TTabSheet& page);
  // The user asked for the next (or previous) page from the keyboard: the
  // next visible, enabled tab, going round.
  void UserSelectNextTab(bool forward);

 protected:
  bool TakesFocus() const override { return true; }
  bool AcceptsChild(const Component& child) const override;
  void ChildAdded(Component& child) override;

 private:
  friend class TTabSheet;
  // A hidden tab cannot stay active: the next visible tab takes over (or
  // the one before it), without firing OnChange.
  void TabVisibilityChanged(TTabSheet& page);

  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
  bool hotTrack_ = false;
};

class TTabSheet : public Control {
 public:
  using Control::Control;
  const char* ClassName() const override { return "TTabSheet"; }
  bool IsPlainControl() const override { return false; }

  TPageControl& PageControl() const { return static_cast<TPageControl&>(*Parent()); }
  // The page's place among all pages of its control.
  int PageIndex() const;
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  bool IsActive() const { return PageControl().ActivePage() == this; }

 protected:
  bool AcceptsChild(const Component& child) const override { return AcceptsPlainControl(child); }
  bool ShowsContent() const override { return Visible() && IsActive(); }

 private:
  bool tabVisible_ = true;
};

}  // namespace varnox
