#pragma once
// Views of the page control and its tab sheets. The tab control shows one
// tab per visible page; each sheet is a container window of its own inside
// the tab control's display area, shown only while its page is active.

#include <windows.h>

#include "toolkit/page_control.h"
#include "toolkit/win32/control_view.h"

namespace varnox {

class PageControlView final : public ControlView {
 public:
  PageControlView(FormView& form, TPageControl& pages) : ControlView(form, pages), pages_(pages) {}
  bool Notify(const NMHDR& header, LRESULT& result) override;

  // Where the sheets lie, in the tab control's client coordinates.
  RECT DisplayArea() const;
  // A sheet's caption changed.
  void PageTextChanged(const TTabSheet& page);

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  void ApplyAll() override;

 private:
  void ApplyTabs();
  void SendTab(UINT message, std::size_t index, const TTabSheet& page);
  void ApplyActivePage();
  void LayoutSheets();

  TPageControl& pages_;
  // The pages whose tabs the control holds, in their order.
  std::vector<TTabSheet*> tabs_;
};

// A sheet that does not show when the form is made gets its window, and its
// controls theirs, the first time it shows, from the model as it is then.
class TabSheetView final : public ControlView {
 public:
  TabSheetView(FormView& form, TTabSheet& sheet) : ControlView(form, sheet), sheet_(sheet) {}
  void Create() override;
  bool ChildrenLater() const override { return !Window(); }
  void PropertyChanged(Component& component, Property property) override;
  // Shown while visible and active; made when it first shows.
  void ApplyShowing();

 protected:
  WindowRecipe Recipe() const override;
  bool VisibleAtCreation() const override;
  void Apply(Property property) override;

 private:
  PageControlView* Pages() const;
  bool Shows() const { return sheet_.Visible() && sheet_.IsActive(); }
  // Makes the window where the page control's display area lies.
  void MakeWindow();
  // Makes the window hidden, then the controls on it, then shows it.
  void MakeOnFirstShow();

  TTabSheet& sheet_;
  bool madeLater_ = false;
};

}  // namespace varnox
