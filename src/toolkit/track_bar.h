#pragma once
// TTrackBar: a slider. The position always lies within Min..Max (the bar
// clamps whatever it is given); OnChange fires whenever it moves, whether
// the program or the user moved it.

#include "toolkit/control.h"

namespace varnox {

enum class TrackBarOrientation { Horizontal, Vertical };

class TTrackBar : public Control {
 public:
  explicit TTrackBar(const ComponentArgs& args);
  const char* ClassName() const override { return "TTrackBar"; }

  int Min() const { return min_; }
  int Max() const { return max_; }
  // A Max below Min is taken as equal to Min. The position is clamped into
  // the new range (firing OnChange when that moves it).
  void SetRange(int min, int max);
  void SetMin(int min) { SetRange(min, max_); }
  void SetMax(int max) { SetRange(min_, max); }

  // The distance between two tick marks; the bar draws one every
  // Frequency positions (so a wide range wants a large one).
  int Frequency() const { return frequency_; }
  void SetFrequency(int frequency);

  int Position() const { return position_; }
  void SetPosition(int position);

  TrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TrackBarOrientation orientation);

  NotifyEvent OnChange;

  // The user dragged the thumb or pressed a key; the bar reports where to.
  void UserMove(int position);

 protected:
  bool TakesFocus() const override { return true; }

 private:
  int min_ = 0;
  int max_ = 10;
  int position_ = 0;
  int frequency_ = 1;
  TrackBarOrientation orientation_ = TrackBarOrientation::Horizontal;
};

}  // namespace varnox
