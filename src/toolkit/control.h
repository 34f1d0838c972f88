#pragma once
// Control: a component with a window of its own — a place in the containment
// tree (form → page control → tab sheet → group box → control), a position
// and size in pixels relative to its parent, and the properties every kind
// shares.
//
// Two kinds of calls change a control. Program calls (Set...) are what the
// pages use; User... calls are what the Win32 view makes when the person at
// the screen acts. A user call does nothing on a control that does not
// accept input (see AcceptsInput); a program call always applies.

#include <string>

#include "toolkit/appearance.h"
#include "toolkit/component.h"

namespace varnox {

class TPopupMenu;

class Control : public Component {
 public:
  explicit Control(const ComponentArgs& args);

  // The enclosing control; nullptr only for the form.
  Control* ParentControl() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Caption and Text are one property, as in the toolkit: a label's caption,
  // an edit's text, a form's title. UTF-8.
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& caption) { SetText(caption); }

  // Hints. ShowHint switches hints on or off for this control; while
  // ParentShowHint is true (the default) the control takes that switch from
  // its parent instead. Setting ShowHint clears ParentShowHint.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool on);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool inherit);
  // The switch in effect, after inheritance.
  bool HintsOn() const;

  // Font: an empty name and a zero height mean "as the form".
  const std::string& FontName() const { return fontName_; }
  void SetFontName(const std::string& name);
  int FontHeight() const { return fontHeight_; }  // pixels, negative as in LOGFONT
  void SetFontHeight(int height);
  TFontStyles FontStyle() const { return fontStyle_; }
  void SetFontStyle(TFontStyles style);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool on);

  // The menu a right click on this control pops up; not owned.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  // Enabled and visible, and so is every enclosing control: only then does a
  // user call act (a disabled page control makes all its pages deaf).
  bool AcceptsInput() const;
  // On the screen: visible with every enclosing control, and every enclosing
  // tab sheet is its page control's active page.
  bool Showing() const;
  // A kind that can hold the keyboard focus, showing and accepting input.
  bool CanFocus() const;
  bool Focused() const;
  // Makes this the form's focused control; false (and nothing changes) when
  // it cannot take the focus.
  bool SetFocus();

  NotifyEvent OnClick;
  MouseMoveEvent OnMouseMove;

  // The user clicked the control. By default this fires OnClick; kinds with
  // a state (check box, radio button, button) apply their own rule first.
  virtual void UserClick();
  void UserMouseMove(TShiftState shift, int x, int y);
  // The user asked for the context menu at screen point (x, y): pops up
  // PopupMenu when there is one.
  void UserContextMenu(int x, int y);

 protected:
  // Runs after the text changed and observers were told.
  virtual void TextChanged() {}
  // Whether this kind of control can hold the keyboard focus at all.
  virtual bool TakesFocus() const { return false; }
  // Whether this control, by itself, lets its children show (a tab sheet
  // only while it is the active page).
  virtual bool ShowsContent() const { return visible_; }
  // Plain controls hold any control but tab sheets; containers say so.
  static bool AcceptsPlainControl(const Component& child) { return child.IsPlainControl(); }
  bool IsPlainControl() const override { return true; }

 private:
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  std::string text_;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  std::string fontName_;
  int fontHeight_ = 0;
  TFontStyles fontStyle_ = 0;
  TColor fontColor_ = clWindowText;
  TColor color_ = clDefault;
  TCursor cursor_ = TCursor::Default;
  bool tabStop_ = false;
  TPopupMenu* popupMenu_ = nullptr;
};

}  // namespace varnox
