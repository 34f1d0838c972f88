#pragma once
// TForm: the window that owns every component on it. Components are made
// through Add, which checks the name and the parent and links the component
// into the containment tree; Find gets them back by their design name.
//
//   auto& group = form.Add<TGroupBox>("gbAutoLogon", sheet);
//   auto& box = form.Add<TCheckBox>("cbDisableCAD", group);
//   form.Find<TCheckBox>("cbDisableCAD").SetState(cbGrayed);

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "base/error.h"
#include "toolkit/control.h"

namespace varnox {

class TButton;
class TUpDown;

enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
};

enum class BorderStyle { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWindow };

enum BorderIcon : unsigned {
  biSystemMenu = 1u << 0,
  biMinimize = 1u << 1,
  biMaximize = 1u << 2,
  biHelp = 1u << 3,
};
using TBorderIcons = unsigned;

enum class FormPosition { Designed, ScreenCenter };

enum class WindowState { Normal, Minimized, Maximized };

// Keys the form handles before the focused control sees them: its buttons,
// the Tab order, the page keys (Ctrl+Tab, Ctrl+Page Down and their reverses)
// and the arrows, which step a spin box's number or an option group's choice.
enum class DialogKey { Enter, Escape, Tab, ShiftTab, NextPage, PriorPage, Up, Down, Left, Right };

class TForm : public Control {
 public:
  explicit TForm(const std::string& name);
  ~TForm() override;
  const char* ClassName() const override { return "TForm"; }
  bool IsPlainControl() const override { return false; }

  // Creates a component named `name` inside `parent` (the form when left
  // out). Throws UsageError when the name is empty or taken, or the parent
  // does not hold this kind (a tab sheet belongs in a page control, a menu
  // item in a pop-up menu, a timer or a pop-up menu on the form, anything
  // else in the form, a tab sheet, a group box or a panel).
  template <class T>
  T& Add(const std::string& name) {
    return Add<T>(name, *this);
  }
  template <class T>
  T& Add(const std::string& name, Component& parent) {
    static_assert(std::is_base_of_v<Component, T>, "only components can be added to a form");
    auto component = std::make_unique<T>(ComponentArgs(*this, name, &parent));
    T& added = *component;
    Adopt(std::move(component));
    return added;
  }

  // nullptr when no component has this name (the form's own name included).
  Component* FindComponent(std::string_view name) const;
  // Throws UsageError when the name is unknown or the component is of
  // another kind.
  template <class T>
  T& Find(std::string_view name) const {
    Component& component = FindExisting(name);
    T* typed = dynamic_cast<T*>(&component);
    if (typed == nullptr) ThrowWrongKind(name, component);
    return *typed;
  }
  // Every component but the form, in creation order.
  const std::vector<Component*>& Components() const { return order_; }

  // The client area is the outer size less the frame. The layout states the
  // client size; the view, which knows the frame, reports it once with
  // SetFrameExtents, which keeps the client size and grows the outer size.
  int ClientWidth() const { return Width() - frameWidth_; }
  int ClientHeight() const { return Height() - frameHeight_; }
  void SetClientWidth(int width) { SetWidth(width + frameWidth_); }
  void SetClientHeight(int height) { SetHeight(height + frameHeight_); }
  void SetFrameExtents(int width, int height);

  BorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(BorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  FormPosition Position() const { return position_; }
  void SetPosition(FormPosition position);
  WindowState GetWindowState() const { return windowState_; }
  void SetWindowState(WindowState state);
  // The character set of the form's font (204 is Cyrillic).
  int FontCharset() const { return fontCharset_; }
  void SetFontCharset(int charset);

  // Setting a non-zero result ends the modal loop; running the loop is the
  // view's business. The view sets mrNone before the loop starts.
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);
  // Ends the modal loop. A result already set (by an OK button, say) is
  // kept; otherwise the result becomes mrCancel.
  void Close();

  // Focus. nullptr means no control has the focus.
  Control* ActiveControl() const { return activeControl_; }
  // Gives the focus to `control` (nullptr clears it). False, and nothing
  // changes, when the control is not on this form or cannot take the focus.
  bool FocusControl(Control* control);
  // Focus to the first tab stop of the form, in tab order.
  bool SelectFirst();
  // Focus to the first tab stop on a page (the shown page of a page control),
  // else to the tab strip, else to the first tab stop.
  bool SelectFirstInput();
  // Focus to the next (or previous) tab stop after the focused control,
  // wrapping around; from no focus, to the first (or last) one.
  bool SelectNext(bool forward = true);
  // The tab stops that can take the focus now, in Tab order (see tab_order.h).
  std::vector<Control*> TabStops() const;
  // After the user changed pages and the page control's handler ran: a
  // control the handler focused stays focused; otherwise the focus goes back
  // to the tab strip when the strip had it, else to the new page's first
  // input, so it never rests on nothing or on a hidden control.
  void PageChanged(Control& tabStrip, const Control* focusBefore);
  // The up-down that shows its number in `control`, if any.
  TUpDown* UpDownFor(const Control& control) const;

  // The first visible button with Default (Enter) or Cancel (Escape) set.
  TButton* DefaultButton() const;
  TButton* CancelButton() const;
  // The user pressed a key; true when the form took it, false when it is
  // the focused control's own (a track bar's or a list's arrows, say).
  // Enter clicks the focused button, or else the default button; Escape
  // clicks the cancel button; Tab and Shift+Tab move along the Tab order;
  // the page keys change the page of the page control that holds the focus
  // (or the first one). Up and Down in a spin box's field are arrow clicks
  // of its up-down; every arrow in an option group chooses the next or the
  // previous button as a click does.
  bool UserKey(DialogKey key);
  // An arrow key pressed in `control` (the focused one, as a rule): a step
  // of a spin box's number or an option group's choice; false for a control
  // that keeps its own arrows.
  bool UserArrowKey(Control& control, DialogKey key);

 protected:
  bool AcceptsChild(const Component& child) const override;

 private:
  void Adopt(std::unique_ptr<Component> component);
  // Find's checks, out of line so that each kind it is asked for stays small.
  Component& FindExisting(std::string_view name) const;
  [[noreturn]] static void ThrowWrongKind(std::string_view name, const Component& component);

  std::vector<std::unique_ptr<Component>> owned_;
  std::vector<Component*> order_;
  // Looked up by a view of the name, without making a string of it.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const noexcept { return std::hash<std::string_view>{}(name); }
  };
  std::unordered_map<std::string, Component*, NameHash, std::equal_to<>> byName_;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  BorderStyle borderStyle_ = BorderStyle::Sizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  FormPosition position_ = FormPosition::Designed;
  WindowState windowState_ = WindowState::Normal;
  int fontCharset_ = 1;  // DEFAULT_CHARSET
  TModalResult modalResult_ = mrNone;
  Control* activeControl_ = nullptr;
};

}  // namespace varnox
