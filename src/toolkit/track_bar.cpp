#include "toolkit/track_bar.h"

#include <algorithm>

namespace varnox {

TTrackBar::TTrackBar(const ComponentArgs& args) : Control(args) { SetTabStop(true); }

void TTrackBar::SetRange(int min, int max) {
  max = std::max(min, max);
  if (min != min_ || max != max_) {
    min_ = min;
    max_ = max;
    Notify(Property::Range);
  }
  SetPosition(position_);
}

void TTrackBar::SetFrequency(int frequency) { Update(frequency_, std::max(1, frequency), Property::Range); }

void TTrackBar::SetPosition(int position) {
  position = std::clamp(position, min_, max_);
  if (!Update(position_, position, Property::Position)) return;
  Fire(OnChange);
}

void TTrackBar::SetOrientation(TrackBarOrientation orientation) { Update(orientation_, orientation, Property::Style); }

void TTrackBar::UserMove(int position) {
  if (!AcceptsInput()) return;
  SetPosition(position);
}

}  // namespace varnox
