#include "toolkit/buttons.h"

namespace varnox {

TButton::TButton(const ComponentArgs& args) : Control(args) { SetTabStop(true); }

void TButton::SetDefault(bool on) { Update(default_, on, Property::Style); }

void TButton::SetCancel(bool on) { Update(cancel_, on, Property::Style); }

void TButton::SetModalResult(TModalResult result) { Update(modalResult_, result, Property::Style); }

void TButton::SetElevationShield(bool on) { Update(elevationShield_, on, Property::Style); }

void TButton::UserClick() {
  if (!AcceptsInput()) return;
  if (modalResult_ != mrNone) Form().SetModalResult(modalResult_);
  Fire(OnClick);
}

void TBitBtn::SetGlyph(const std::string& resourceName) { Update(glyph_, resourceName, Property::Style); }

void TSpeedButton::SetGlyph(const std::string& resourceName) { Update(glyph_, resourceName, Property::Style); }

void TSpeedButton::SetFlat(bool on) { Update(flat_, on, Property::Style); }

}  // namespace varnox
