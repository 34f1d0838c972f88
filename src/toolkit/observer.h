#pragma once
// How a view learns that the model changed. The model never needs a view:
// with no observer attached every change simply happens in memory.

namespace varnox {

class Component;

// Which part of a component changed. The view re-reads that part from the
// component; the notification carries no values.
enum class Property {
  Text,  // caption or text
  Enabled,
  Visible,
  Bounds,  // left, top, width, height (for the form also the client size)
  Hint,    // hint text, ShowHint or ParentShowHint
  Font,    // font name, height, style or colour
  Color,   // background colour
  Cursor,
  TabStop,
  Style,           // design settings of the kind: AllowGrayed, MaxLength, PasswordChar, ReadOnly, Wrap,
                   // ArrowKeys, Orientation, Default, Cancel, HotTrack, bevels, alignment, glyph, ...
  State,           // check box state, radio button or menu item checked
  Items,           // items of a radio group, combo box, list view or pop-up menu; list view columns
  ItemIndex,       // selected item of a radio group, combo box or list view (also the list view's focus mark)
  Position,        // up-down or track bar position
  Range,           // up-down or track bar Min, Max, Increment
  Associate,       // the control an up-down is bound to
  ActivePage,      // page control's active page
  TabVisible,      // a tab sheet's tab was shown or hidden
  Timer,           // timer Interval or Enabled
  PopupRequested,  // a pop-up menu asks to be shown at PopupX/PopupY
  ModalResult,     // non-zero ends the form's modal loop
  ActiveControl,   // the form's focused control
  WindowState,
};

class ComponentObserver {
 public:
  // Called after the change, before any event handler the change fires, so
  // the screen is up to date when the handler runs.
  virtual void PropertyChanged(Component& component, Property property) = 0;

 protected:
  ~ComponentObserver() = default;
};

}  // namespace varnox
