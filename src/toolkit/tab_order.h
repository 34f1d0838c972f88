#pragma once
// The order the Tab key walks: every control of a container in reading
// order (top to bottom, then left to right within a row), each container's
// contents right after it, so a group box's controls stay together.
//
// A control is a stop when it is a tab stop that can take the focus now and
// starts inside its form's client area: controls of hidden
// pages, disabled ones, and those of a strip the window does not show (a
// closed options panel below the client area) are passed over. Of the
// radio buttons of one parent only the checked one is a stop, or the first
// that can take the focus when none is checked.

#include <vector>

namespace varnox {

class Control;

// Every control inside `root`, in reading order; `root` itself is left out.
std::vector<Control*> ReadingOrder(const Control& root);

bool IsTabStopNow(const Control& control);

}  // namespace varnox
