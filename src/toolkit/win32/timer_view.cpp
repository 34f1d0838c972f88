#include "toolkit/win32/timer_view.h"

#include "toolkit/win32/form_view.h"

namespace varnox {

TimerView::~TimerView() {
  if (id_ && form_.Window()) KillTimer(form_.Window(), id_);
}

void TimerView::Create() {
  id_ = form_.RegisterTimer(*this);
  Restart();
}

void TimerView::PropertyChanged(Component& /*component*/, Property property) {
  if (property == Property::Timer && !form_.Destroying()) Restart();
}

void TimerView::Restart() {
  HWND window = form_.Window();
  if (!window || !id_) return;
  // Setting a timer again starts its interval over: no need to kill it first.
  if (timer_.Running()) {
    SetTimer(window, id_, timer_.Interval(), nullptr);
  } else {
    KillTimer(window, id_);
  }
}

}  // namespace varnox
