#pragma once
// Times one opening of a window, step by step, from outside the library:
// the top-level window's creation (a CBT hook), the steps the library names
// in the form's "VarnoxOpeningStep" property, which it sets only when its
// environment holds VARNOX_OPENING_STEPS (set here; its SetPropA import,
// patched),
// the moment the thread's message loop takes a marker posted at activation
// (the window is on the screen and active), and the first paint of the
// window with all its controls, forced at that moment. A round that has not
// painted within its time limit is counted as timed out and its windows
// (message boxes first) are closed by a watchdog; a round that never returns
// ends the program with what it measured so far.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace varnox::bench {

struct OpeningTimes {
  LONGLONG start = 0;
  LONGLONG windowCreated = 0;
  std::vector<std::pair<std::string, LONGLONG>> steps;  // as the library named them
  LONGLONG shown = 0;
  LONGLONG painted = 0;
  bool timedOut = false;
};

LONGLONG Now();
double Milliseconds(LONGLONG ticks);

// Installs the hooks on this thread and patches `library`'s SetPropA. A
// round that has not painted after `roundLimitMs` times out.
void InstallOpeningProbe(HMODULE library, int roundLimitMs);
void RemoveOpeningProbe();

// Called once the window of a round has painted, with that window.
using PaintedCallback = void (*)(HWND window);

// Starts timing now. When `closeWhenPainted`, the probe closes the window
// with Esc once it has painted; `painted` (may be null) runs before that.
void BeginRound(bool closeWhenPainted, PaintedCallback painted);
OpeningTimes EndRound();
bool RoundOver();
// Names a step of the round that starts now, for windows that do not name
// their own (the bare ones).
void MarkStep(const char* step);

// With VARNOX_BENCH_TRACE in the environment, each mark of a round (`mark`
// here, then its window's creation, its steps, shown and painted) and of a
// page's first visit or floor is also a request to Wine's server that names
// it, an atom looked up, so that a +server trace divides into the rounds'
// steps (scripts/bench-trips). Otherwise nothing.
void TraceMark(const char* mark);

// What a round that never returns prints before the program ends.
void SetHangReport(void (*report)());

}  // namespace varnox::bench
