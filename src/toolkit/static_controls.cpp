#include "toolkit/static_controls.h"

namespace varnox {

namespace {

// Sets a design setting and tells the view when it really changed.
template <class T>
bool Change(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void TLabel::SetAlignment(TAlignment alignment) {
  if (Change(alignment_, alignment)) Notify(Property::Style);
}

void TLabel::SetAutoSize(bool on) {
  if (Change(autoSize_, on)) Notify(Property::Style);
}

void TLabel::SetTransparent(bool on) {
  if (Change(transparent_, on)) Notify(Property::Style);
}

void TStaticText::SetAlignment(TAlignment alignment) {
  if (Change(alignment_, alignment)) Notify(Property::Style);
}

void TPanel::SetBevelInner(BevelCut cut) {
  if (Change(bevelInner_, cut)) Notify(Property::Style);
}

void TPanel::SetBevelOuter(BevelCut cut) {
  if (Change(bevelOuter_, cut)) Notify(Property::Style);
}

void TBevel::SetShape(BevelShape shape) {
  if (Change(shape_, shape)) Notify(Property::Style);
}

void TBevel::SetStyle(BevelStyle style) {
  if (Change(style_, style)) Notify(Property::Style);
}

void TImage::SetPicture(const std::string& resourceName) {
  if (Change(picture_, resourceName)) Notify(Property::Style);
}

void TImage::SetTransparent(bool on) {
  if (Change(transparent_, on)) Notify(Property::Style);
}

}  // namespace varnox
