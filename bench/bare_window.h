#pragma once
// A bare copy of a window: the same top-level style, size and caption, and
// the same child windows (class, style, place, parent, text, font and what
// each kind holds: tabs, items, ranges, check marks, pictures), made with
// plain Win32 calls and no logic behind them. It is the yardstick of how
// fast such a window can open here.

#include <windows.h>

#include <memory>

namespace varnox::bench {

class BareWindow {
 public:
  // Records what `window` holds now; its controls are made under the
  // manifest of `manifestModule`.
  BareWindow(HWND window, HMODULE manifestModule);
  ~BareWindow();
  BareWindow(const BareWindow&) = delete;
  BareWindow& operator=(const BareWindow&) = delete;

  std::size_t Controls() const;
  // Makes the fonts and the windows, hidden, under `owner`; returns the
  // top-level window. Destroy drops both.
  HWND Build(HWND owner);
  void Destroy();

 private:
  struct Recording;
  std::unique_ptr<Recording> recording_;
};

}  // namespace varnox::bench
