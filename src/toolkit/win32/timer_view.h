#pragma once
// A model timer run by a real timer of the form window.

#include <windows.h>

#include "toolkit/timer.h"
#include "toolkit/win32/component_view.h"

namespace varnox {

class TimerView final : public ComponentView {
 public:
  TimerView(FormView& form, TTimer& timer) : ComponentView(form, timer), timer_(timer) {}
  ~TimerView() override;

  void Create() override;
  void PropertyChanged(Component& component, Property property) override;
  // One tick of the real timer.
  void Tick() { timer_.Tick(); }

 private:
  void Restart();

  TTimer& timer_;
  UINT_PTR id_ = 0;
};

}  // namespace varnox
