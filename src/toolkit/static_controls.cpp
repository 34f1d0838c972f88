#include "toolkit/static_controls.h"

namespace varnox {

void TLabel::SetAlignment(TAlignment alignment) { Update(alignment_, alignment, Property::Style); }

void TLabel::SetAutoSize(bool on) { Update(autoSize_, on, Property::Style); }

void TLabel::SetTransparent(bool on) { Update(transparent_, on, Property::Style); }

void TStaticText::SetAlignment(TAlignment alignment) { Update(alignment_, alignment, Property::Style); }

void TPanel::SetBevelInner(BevelCut cut) { Update(bevelInner_, cut, Property::Style); }

void TPanel::SetBevelOuter(BevelCut cut) { Update(bevelOuter_, cut, Property::Style); }

void TBevel::SetShape(BevelShape shape) { Update(shape_, shape, Property::Style); }

void TBevel::SetStyle(BevelStyle style) { Update(style_, style, Property::Style); }

void TImage::SetPicture(const std::string& resourceName) { Update(picture_, resourceName, Property::Style); }

void TImage::SetTransparent(bool on) { Update(transparent_, on, Property::Style); }

}  // namespace varnox
