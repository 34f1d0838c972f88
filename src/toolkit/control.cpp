#include "toolkit/control.h"

#include "toolkit/form.h"
#include "toolkit/page_control.h"
#include "toolkit/popup_menu.h"

namespace varnox {

Control::Control(const ComponentArgs& args) : Component(args) {}

Control* Control::ParentControl() const { return dynamic_cast<Control*>(Parent()); }

void Control::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Notify(Property::Bounds);
}

void Control::SetEnabled(bool enabled) { Update(enabled_, enabled, Property::Enabled); }

void Control::SetVisible(bool visible) { Update(visible_, visible, Property::Visible); }

void Control::SetText(const std::string& text) {
  if (!Update(text_, text, Property::Text)) return;
  TextChanged();
}

void Control::SetHint(const std::string& hint) { Update(hint_, hint, Property::Hint); }

void Control::SetShowHint(bool on) {
  if (on == showHint_ && !parentShowHint_) return;
  showHint_ = on;
  parentShowHint_ = false;
  Notify(Property::Hint);
}

void Control::SetParentShowHint(bool inherit) { Update(parentShowHint_, inherit, Property::Hint); }

bool Control::HintsOn() const {
  const Control* parent = ParentControl();
  if (parentShowHint_ && parent != nullptr) return parent->HintsOn();
  return showHint_;
}

void Control::SetFontName(const std::string& name) { Update(fontName_, name, Property::Font); }

void Control::SetFontHeight(int height) { Update(fontHeight_, height, Property::Font); }

void Control::SetFontStyle(TFontStyles style) { Update(fontStyle_, style, Property::Font); }

void Control::SetFontColor(TColor color) { Update(fontColor_, color, Property::Font); }

void Control::SetColor(TColor color) { Update(color_, color, Property::Color); }

void Control::SetCursor(TCursor cursor) { Update(cursor_, cursor, Property::Cursor); }

void Control::SetTabStop(bool on) { Update(tabStop_, on, Property::TabStop); }

bool Control::AcceptsInput() const {
  for (const Control* control = this; control != nullptr; control = control->ParentControl()) {
    if (!control->enabled_ || !control->visible_) return false;
  }
  return true;
}

bool Control::Showing() const {
  if (!visible_) return false;
  for (const Control* parent = ParentControl(); parent != nullptr; parent = parent->ParentControl()) {
    if (!parent->ShowsContent()) return false;
  }
  return true;
}

bool Control::CanFocus() const { return TakesFocus() && Showing() && AcceptsInput(); }

bool Control::Focused() const { return Form().ActiveControl() == this; }

bool Control::SetFocus() { return Form().FocusControl(this); }

void Control::UserClick() {
  if (!AcceptsInput()) return;
  Fire(OnClick);
}

void Control::UserMouseMove(TShiftState shift, int x, int y) {
  if (!AcceptsInput()) return;
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void Control::UserContextMenu(int x, int y) {
  if (popupMenu_ == nullptr || !AcceptsInput()) return;
  popupMenu_->Popup(x, y);
}

}  // namespace varnox
