#include "toolkit/timer.h"

namespace varnox {

void TTimer::SetInterval(unsigned milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Notify(Property::Timer);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Notify(Property::Timer);
}

void TTimer::Tick() {
  if (Running()) Fire(OnTimer);
}

}  // namespace varnox
