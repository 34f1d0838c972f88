#include "toolkit/timer.h"

namespace varnox {

void TTimer::SetInterval(unsigned milliseconds) { Update(interval_, milliseconds, Property::Timer); }

void TTimer::SetEnabled(bool enabled) { Update(enabled_, enabled, Property::Timer); }

void TTimer::Tick() {
  if (Running()) Fire(OnTimer);
}

}  // namespace varnox
