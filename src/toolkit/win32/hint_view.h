#pragma once
// The form's tool-tip hints: one tracking tool-tip window whose text and
// timing this view controls. The text for the control under the mouse comes
// from the model's hint rule (ResolveHint); the delays follow the library's
// HintSettings: a hint appears after Pause ms of rest (ShortPause when the
// mouse comes from another hint), and stays HidePause ms, which may be far
// longer than the 16-bit delay the tool-tip control itself can time, so the
// view times all three itself. The times are read when a hint starts, so a
// change made while the window is open holds for the next hint.

#include <windows.h>

#include <optional>
#include <string>

#include "toolkit/hints.h"

namespace varnox {

class Control;
class FormView;

class HintView final {
 public:
  explicit HintView(FormView& form);
  ~HintView();
  HintView(const HintView&) = delete;
  HintView& operator=(const HintView&) = delete;

  // The mouse moved over `window` (one of the form's) at a client point.
  void MouseMoved(HWND window, POINT client);
  // A click or key press: the hint goes until the mouse reaches another control.
  void Cancel();
  // WM_TIMER of the form window; true when the timer was one of ours.
  bool Timer(UINT_PTR id);

  // The control whose hint would show for the mouse over `window` at a
  // screen point: the deepest visible control there, disabled ones included.
  const Control* ControlAt(HWND window, POINT screen) const;

  static constexpr UINT_PTR kShowTimer = 1;
  static constexpr UINT_PTR kHideTimer = 2;
  static constexpr UINT_PTR kWatchTimer = 3;

 private:
  // Waits for, keeps or drops a hint as the mouse reaches `hint`'s owner.
  void Follow(const std::optional<ShownHint>& hint);
  bool MakeTooltip();
  void Show();
  void Hide();
  void Watch();
  void Stop(UINT_PTR id);
  // The hint owner and text for the mouse where it is now.
  std::optional<ShownHint> HintUnderCursor() const;

  FormView& form_;
  HWND tooltip_ = nullptr;
  const Control* owner_ = nullptr;  // whose hint is showing or waited for
  std::wstring text_;
  bool visible_ = false;
};

}  // namespace varnox
