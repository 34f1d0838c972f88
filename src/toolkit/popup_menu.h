#pragma once
// TPopupMenu and its TMenuItems. Popup(x, y) — called by the program, or by
// a control's UserContextMenu — fires OnPopup first, so the handler can
// enable, check or rename items, then asks the view to show the menu at that
// screen point (Property::PopupRequested). The view reports the chosen item
// with its UserClick.

#include "toolkit/component.h"

namespace varnox {

class TMenuItem;

class TPopupMenu : public Component {
 public:
  using Component::Component;
  const char* ClassName() const override { return "TPopupMenu"; }

  // The items, in menu order.
  std::vector<TMenuItem*> Items() const;

  NotifyEvent OnPopup;

  void Popup(int x, int y);
  // Where the last Popup asked the menu to appear (screen coordinates).
  int PopupX() const { return popupX_; }
  int PopupY() const { return popupY_; }

 protected:
  bool AcceptsChild(const Component& child) const override;
  void ChildAdded(Component& child) override;

 private:
  int popupX_ = 0;
  int popupY_ = 0;
};

class TMenuItem : public Component {
 public:
  using Component::Component;
  const char* ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);

  NotifyEvent OnClick;

  // Fires OnClick unless the item is disabled.
  void UserClick();

 private:
  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
};

}  // namespace varnox
