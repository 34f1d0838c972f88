#pragma once
// The view of a control: one real window, subclassed so that the view sees
// its messages. It mirrors the properties every kind shares (text, enabled,
// visible, bounds, font, colour, tab stop) and turns what the window reports
// into one User... call on the model.
//
// A child reports to its parent window (WM_COMMAND, WM_NOTIFY, scrolling,
// colours); whichever of our windows receives such a message hands it to the
// view of the child that sent it, so containers of any class can hold
// controls.

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/win32/component_view.h"

namespace varnox {

class ControlView : public ComponentView {
 public:
  ControlView(FormView& form, Control& control);

  Control& Ctl() const { return static_cast<Control&>(component_); }
  HWND Window() const { return window_; }
  // The window this control's children are created in.
  virtual HWND ChildParent() const { return window_; }

  void Create() override;
  void PropertyChanged(Component& component, Property property) override;

  // The view a window belongs to (its own, or the control that made it as a
  // part, such as a radio group's buttons); nullptr for foreign windows.
  static ControlView* FromWindow(HWND window);
  // Hands a child's report to the view of that child. True when handled.
  static bool RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // What the window reported, routed from its parent.
  virtual void Command(HWND /*from*/, UINT /*code*/) {}
  virtual bool Notify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  virtual void Scroll(UINT /*code*/) {}
  // Colours of the window (WM_CTLCOLOR...): a brush, or nullptr for the default.
  virtual HBRUSH CtlColor(HDC dc, UINT message);

 protected:
  struct WindowRecipe {
    const wchar_t* className;
    DWORD style;  // besides WS_CHILD
    DWORD exStyle;
  };
  virtual WindowRecipe Recipe() const = 0;
  // Whether the window is made visible; it is made with the model's text,
  // enabled state and visibility, which ApplyAll then need not repeat.
  virtual bool VisibleAtCreation() const { return Ctl().Visible(); }
  // True while Create mirrors the model onto the new, still hidden window.
  bool Creating() const { return creating_; }
  // Mirrors one property onto the window; the guard is already held.
  virtual void Apply(Property property);
  // Mirrors every property after the window was made.
  virtual void ApplyAll();
  // A kind's own handling of its window's messages; true when handled.
  virtual bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Runs a user action on the model, unless the view itself caused the
  // report; errors are shown and the window goes on.
  void User(const std::function<void()>& action);
  // Re-reads a property after a user action that the model may have refused.
  void Resync(Property property);

  HWND ParentWindow() const;
  // Makes `window` report to this view and go through its message handling.
  void Adopt(HWND window);
  void SetStyleBit(DWORD bit, bool on);
  virtual HFONT Font() const;
  void ApplyFont();
  LRESULT Original(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void ApplyText();

  HWND window_ = nullptr;
  bool creating_ = false;
  // Each adopted window with the procedure it had before.
  std::vector<std::pair<HWND, WNDPROC>> adopted_;
};

// Shift and button state of a mouse message.
unsigned ShiftStateOf(WPARAM keys);

}  // namespace varnox
