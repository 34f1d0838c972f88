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

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(Property::Enabled);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Notify(Property::Visible);
}

void Control::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Notify(Property::Text);
  TextChanged();
}

void Control::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  Notify(Property::Hint);
}

void Control::SetShowHint(bool on) {
  if (on == showHint_ && !parentShowHint_) return;
  showHint_ = on;
  parentShowHint_ = false;
  Notify(Property::Hint);
}

void Control::SetParentShowHint(bool inherit) {
  if (inherit == parentShowHint_) return;
  parentShowHint_ = inherit;
  Notify(Property::Hint);
}

bool Control::HintsOn() const {
  const Control* parent = ParentControl();
  if (parentShowHint_ && parent != nullptr) return parent->HintsOn();
  return showHint_;
}

void Control::SetFontName(const std::string& name) {
  if (name == fontName_) return;
  fontName_ = name;
  Notify(Property::Font);
}

void Control::SetFontHeight(int height) {
  if (height == fontHeight_) return;
  fontHeight_ = height;
  Notify(Property::Font);
}

void Control::SetFontStyle(TFontStyles style) {
  if (style == fontStyle_) return;
  fontStyle_ = style;
  Notify(Property::Font);
}

void Control::SetFontColor(TColor color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  Notify(Property::Font);
}

void Control::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Notify(Property::Color);
}

void Control::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  Notify(Property::Cursor);
}

void Control::SetTabStop(bool on) {
  if (on == tabStop_) return;
  tabStop_ = on;
  Notify(Property::TabStop);
}

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

bool Control::AcceptsPlainControl(const Component& child) const {
  return dynamic_cast<const Control*>(&child) != nullptr && dynamic_cast<const TTabSheet*>(&child) == nullptr &&
         dynamic_cast<const TForm*>(&child) == nullptr;
}

}  // namespace varnox
