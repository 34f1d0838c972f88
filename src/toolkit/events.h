#pragma once
// The signatures of the toolkit's events. Every event is a std::function
// member named after the event (OnClick, OnChange, ...); an empty one is not
// called. The sender is the component whose event fires, so one handler can
// serve several controls, as the pages do.

#include <functional>

namespace varnox {

class Component;

// Keys and mouse buttons held during a mouse event.
enum ShiftFlag : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
};
using TShiftState = unsigned;  // a combination of ShiftFlag

using NotifyEvent = std::function<void(Component& sender)>;
// Runs before a change; setting allowChange to false cancels it.
using ChangingEvent = std::function<void(Component& sender, bool& allowChange)>;
// x and y are in the sender's client coordinates.
using MouseMoveEvent = std::function<void(Component& sender, TShiftState shift, int x, int y)>;

}  // namespace varnox
