#pragma once
// TTimer: fires OnTimer every Interval milliseconds while Enabled. The view
// runs the real timer and calls Tick on each of its ticks; a change of
// Interval or Enabled tells the view to restart or stop it.

#include "toolkit/component.h"

namespace varnox {

class TTimer : public Component {
 public:
  using Component::Component;
  const char* ClassName() const override { return "TTimer"; }

  // Milliseconds; 0 stops the timer.
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Enabled with a non-zero interval.
  bool Running() const { return enabled_ && interval_ != 0; }

  NotifyEvent OnTimer;

  // One tick of the real timer; fires OnTimer only while running.
  void Tick();

 private:
  unsigned interval_ = 1000;
  bool enabled_ = true;
};

}  // namespace varnox
