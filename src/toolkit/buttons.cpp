#include "toolkit/buttons.h"

namespace varnox {

TButton::TButton(const ComponentArgs& args) : Control(args) { SetTabStop(true); }

void TButton::SetDefault(bool on) {
  if (on == default_) return;
  default_ = on;
  Notify(Property::Style);
}

void TButton::SetCancel(bool on) {
  if (on == cancel_) return;
  cancel_ = on;
  Notify(Property::Style);
}

void TButton::SetModalResult(TModalResult result) {
  if (result == modalResult_) return;
  modalResult_ = result;
  Notify(Property::Style);
}

void TButton::UserClick() {
  if (!AcceptsInput()) return;
  if (modalResult_ != mrNone) Form().SetModalResult(modalResult_);
  Fire(OnClick);
}

void TBitBtn::SetGlyph(const std::string& resourceName) {
  if (resourceName == glyph_) return;
  glyph_ = resourceName;
  Notify(Property::Style);
}

void TSpeedButton::SetGlyph(const std::string& resourceName) {
  if (resourceName == glyph_) return;
  glyph_ = resourceName;
  Notify(Property::Style);
}

void TSpeedButton::SetFlat(bool on) {
  if (on == flat_) return;
  flat_ = on;
  Notify(Property::Style);
}

}  // namespace varnox
