// The keys a form handles itself, turned into the calls a click makes.

#include <algorithm>

#include "toolkit/buttons.h"
#include "toolkit/form.h"
#include "toolkit/page_control.h"
#include "toolkit/radio_button.h"
#include "toolkit/radio_group.h"
#include "toolkit/tab_order.h"
#include "toolkit/up_down.h"

namespace varnox {

namespace {

bool PressButton(TButton* button) {
  if (button == nullptr || !button->AcceptsInput()) return false;
  button->UserClick();
  return true;
}

// The page control that holds the focus, or else the form's first one.
TPageControl* PagesFor(const TForm& form) {
  for (Control* at = form.ActiveControl(); at != nullptr; at = at->ParentControl()) {
    if (auto* pages = dynamic_cast<TPageControl*>(at)) return pages;
  }
  for (Component* component : form.Components()) {
    if (auto* pages = dynamic_cast<TPageControl*>(component)) return pages;
  }
  return nullptr;
}

// Windows goes round within an option group.
std::size_t Neighbour(std::size_t at, std::size_t count, bool back) {
  return back ? (at + count - 1) % count : (at + 1) % count;
}

bool StepRadioButton(TForm& form, TRadioButton& radio, bool back) {
  std::vector<TRadioButton*> group;
  for (Control* control : ReadingOrder(*radio.ParentControl())) {
    auto* other = dynamic_cast<TRadioButton*>(control);
    if (other != nullptr && other->Parent() == radio.Parent() && (other == &radio || other->CanFocus()))
      group.push_back(other);
  }
  const auto at = static_cast<std::size_t>(std::find(group.begin(), group.end(), &radio) - group.begin());
  TRadioButton& next = *group[Neighbour(at, group.size(), back)];
  form.FocusControl(&next);
  next.UserClick();
  return true;
}

bool StepRadioGroup(TRadioGroup& group, bool back) {
  const std::size_t count = group.Items().size();
  if (count == 0) return false;
  const int index = group.ItemIndex();
  group.UserSelect(index < 0 ? 0 : static_cast<int>(Neighbour(static_cast<std::size_t>(index), count, back)));
  return true;
}

}  // namespace

bool TForm::UserArrowKey(Control& focused, DialogKey key) {
  const bool back = key == DialogKey::Up || key == DialogKey::Left;
  if (key == DialogKey::Up || key == DialogKey::Down) {
    // Whatever the up-down's ArrowKeys says: without these keys a keyboard
    // user could not change a number so that it counts as a change.
    if (TUpDown* upDown = UpDownFor(focused)) {
      upDown->UserArrowClick(back ? UpDownButton::Up : UpDownButton::Down);
      return true;
    }
  }
  if (auto* radio = dynamic_cast<TRadioButton*>(&focused)) return StepRadioButton(*this, *radio, back);
  if (auto* group = dynamic_cast<TRadioGroup*>(&focused)) return StepRadioGroup(*group, back);
  return false;
}

TUpDown* TForm::UpDownFor(const Control& control) const {
  for (Component* component : order_) {
    auto* upDown = dynamic_cast<TUpDown*>(component);
    if (upDown != nullptr && upDown->Associate() == &control) return upDown;
  }
  return nullptr;
}

bool TForm::UserKey(DialogKey key) {
  switch (key) {
    case DialogKey::Enter: {
      auto* focused = dynamic_cast<TButton*>(activeControl_);
      return PressButton(focused != nullptr ? focused : DefaultButton());
    }
    case DialogKey::Escape:
      return PressButton(CancelButton());
    case DialogKey::Tab:
    case DialogKey::ShiftTab:
      SelectNext(key == DialogKey::Tab);
      return true;
    case DialogKey::NextPage:
    case DialogKey::PriorPage: {
      TPageControl* pages = PagesFor(*this);
      if (pages == nullptr) return false;
      pages->UserSelectNextTab(key == DialogKey::NextPage);
      return true;
    }
    case DialogKey::Up:
    case DialogKey::Down:
    case DialogKey::Left:
    case DialogKey::Right:
      return activeControl_ != nullptr && UserArrowKey(*activeControl_, key);
  }
  return false;
}

}  // namespace varnox
