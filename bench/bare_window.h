#pragma once
// A bare copy of a window: the same top-level style, size and caption, and
// the same child windows (class, style, place, parent, text, font and what
// each kind holds: tabs, items, ranges, check marks, pictures), made with
// plain Win32 calls and no logic behind them. It is the yardstick of how
// fast such a window can open here.
//
// It may also hold page steps: what a visit of a page added to the window
// after the recording (its new controls, which recorded controls it showed
// or hid, and the tab it selected), each to be made on a built copy as a
// bare tab switch would.

#include <windows.h>

#include <memory>
#include <string>

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
  // Records what `window` holds now beyond the first recording and the
  // steps before, as a step named `caption`.
  void RecordPage(HWND window, const std::string& caption);
  std::size_t Pages() const;
  const std::string& PageCaption(std::size_t page) const;
  std::size_t PageControls(std::size_t page) const;

  // Makes the fonts and the windows, hidden, under `owner`; returns the
  // top-level window. Destroy drops both.
  HWND Build(HWND owner);
  // On a built copy: makes the step's controls, shows and hides as it did
  // and selects its tab.
  void BuildPage(std::size_t page);
  void Destroy();

 private:
  struct Recording;
  std::unique_ptr<Recording> recording_;
};

}  // namespace varnox::bench
