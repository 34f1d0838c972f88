#pragma once
// TUpDown: a spinner with two arrows, usually bound to an edit or a static
// text (its Associate) that shows its number.
//
// The position is a 16-bit signed number. The rules:
//  - SetPosition (the program) stores the number as given, even outside
//    Min..Max, writes it into the associate's text (which fires an edit's
//    OnChange when the text changes) and never fires OnChanging. A number
//    that does not fit 16 bits raises ERangeError ("Range check error").
//  - ShowNumber (the program) shows any number: one within Min..Max becomes
//    the position; any other puts the position at the nearest end of the
//    range while the associate shows the number itself, until that text
//    changes (typing, an arrow click, a new position). OutsideNumber tells
//    whether the associate still shows such a number.
//  - UserArrowClick (the user) fires OnChanging, then OnChangingEx, before
//    the position moves; either may refuse. The move is one Increment
//    towards Max (up) or Min (down); past the end it stops at the end, or
//    with Wrap goes round to the other end. An enabled up-down takes its
//    clicks whatever state its associate is in, as the platform's does.
//  - The position follows the associate's text, the way the platform's
//    up-down reads its buddy: each time that text changes, a text that is a
//    whole decimal number (leading blanks and a sign allowed, nothing after
//    the digits) within Min..Max becomes the position. Any other text —
//    empty, not a number, out of range — leaves the position at the last
//    number that was accepted, and the text stays as typed.
//
// The view must not let the native control write into its buddy on its own
// (no UDS_SETBUDDYINT): the model writes the text, so showing a page for the
// first time changes nothing.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "toolkit/control.h"

namespace varnox {

enum class UpDownButton { Up, Down };
enum class UpDownOrientation { Vertical, Horizontal };

// OnChangingEx also tells where the position is about to go.
using UpDownChangingEvent =
    std::function<void(Component& sender, bool& allowChange, int newPosition, UpDownButton button)>;

class TUpDown : public Control {
 public:
  explicit TUpDown(const ComponentArgs& args);
  const char* ClassName() const override { return "TUpDown"; }

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Increment() const { return increment_; }
  // Min and Max must fit 16 bits (else ERangeError); Max may be below Min,
  // which turns the arrows round. The position is not adjusted.
  void SetMin(int min) { SetRange(min, max_); }
  void SetMax(int max) { SetRange(min_, max); }
  void SetRange(int min, int max);
  // At least 1, else UsageError.
  void SetIncrement(int increment);

  int Position() const { return position_; }
  void SetPosition(std::int64_t position);

  void ShowNumber(std::int64_t number);
  // The number outside the range that the associate still shows.
  std::optional<std::int64_t> OutsideNumber() const { return outside_; }
  // What the associate stands for: that number, else the position.
  std::int64_t ShownNumber() const { return outside_.value_or(position_); }

  // The control that shows the number: a TEdit or a TStaticText of the same
  // form, or nullptr. Binding writes the position into its text.
  Control* Associate() const { return associate_; }
  void SetAssociate(Control* associate);

  // Recorded from the layout. The Up and Down keys in an associated edit
  // act as arrow clicks whatever it says (TForm::UserArrowKey): they are a
  // keyboard user's only way to change the number as a change.
  bool ArrowKeys() const { return arrowKeys_; }
  void SetArrowKeys(bool on);
  bool Wrap() const { return wrap_; }
  void SetWrap(bool on);
  UpDownOrientation Orientation() const { return orientation_; }
  void SetOrientation(UpDownOrientation orientation);

  ChangingEvent OnChanging;
  UpDownChangingEvent OnChangingEx;

  // Ignored unless the up-down accepts input.
  void UserArrowClick(UpDownButton button);

  // The number a buddy text stands for, or nullopt when the text is not a
  // whole decimal number within min..max (in either order).
  static std::optional<int> ParsePosition(const std::string& text, int min, int max);
  // Where one arrow click leads from `position`.
  int ArrowTarget(UpDownButton button) const;

 private:
  class AssociateWatcher : public ComponentObserver {
   public:
    explicit AssociateWatcher(TUpDown& owner) : owner_(owner) {}
    void PropertyChanged(Component& component, Property property) override;

   private:
    TUpDown& owner_;
  };

  void MoveTo(int position);
  void FollowAssociateText();

  int min_ = 0;
  int max_ = 100;
  int increment_ = 1;
  int position_ = 0;
  std::optional<std::int64_t> outside_;
  Control* associate_ = nullptr;
  bool arrowKeys_ = true;
  bool wrap_ = false;
  UpDownOrientation orientation_ = UpDownOrientation::Vertical;
  AssociateWatcher watcher_{*this};
};

}  // namespace varnox
