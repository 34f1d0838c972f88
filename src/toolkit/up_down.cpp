#include "toolkit/up_down.h"

#include <algorithm>

#include "base/concat.h"
#include "base/error.h"
#include "toolkit/edit.h"
#include "toolkit/spinner_range.h"
#include "toolkit/static_controls.h"

namespace varnox {

TUpDown::TUpDown(const ComponentArgs& args) : Control(args) {}

void TUpDown::SetRange(int min, int max) {
  ToSpinnerPosition(min);
  ToSpinnerPosition(max);
  if (min == min_ && max == max_) return;
  min_ = min;
  max_ = max;
  Notify(Property::Range);
}

void TUpDown::SetIncrement(int increment) {
  if (increment < 1) throw UsageError("an up-down's increment must be at least 1");
  Update(increment_, increment, Property::Range);
}

void TUpDown::SetPosition(std::int64_t position) { MoveTo(ToSpinnerPosition(position)); }

void TUpDown::ShowNumber(std::int64_t number) {
  const int low = std::min(min_, max_);
  const int high = std::max(min_, max_);
  if ((number >= low && number <= high) || associate_ == nullptr) {
    SetPosition(std::clamp<std::int64_t>(number, low, high));
    return;
  }
  MoveTo(number < low ? low : high);
  // Known before the text changes, so the associate's handlers see it.
  outside_ = number;
  associate_->SetText(std::to_string(number));
}

void TUpDown::MoveTo(int position) {
  outside_.reset();
  if (position != position_) {
    position_ = position;
    Notify(Property::Position);
  }
  // Always rewritten, as the platform does: a typed text that was refused
  // gives way to the number.
  if (associate_ != nullptr) associate_->SetText(std::to_string(position_));
}

void TUpDown::SetAssociate(Control* associate) {
  if (associate == associate_) return;
  if (associate != nullptr) {
    const bool showsText =
        dynamic_cast<TEdit*>(associate) != nullptr || dynamic_cast<TStaticText*>(associate) != nullptr;
    if (!showsText || &associate->Form() != &Form()) {
      throw UsageError(Concat({"up-down '", Name(), "' can be bound only to an edit or a static text"}));
    }
  }
  if (associate_ != nullptr) associate_->RemoveObserver(watcher_);
  associate_ = associate;
  outside_.reset();
  if (associate_ != nullptr) associate_->AddObserver(watcher_);
  Notify(Property::Associate);
  if (associate_ != nullptr) associate_->SetText(std::to_string(position_));
}

void TUpDown::SetArrowKeys(bool on) { Update(arrowKeys_, on, Property::Style); }

void TUpDown::SetWrap(bool on) { Update(wrap_, on, Property::Style); }

void TUpDown::SetOrientation(UpDownOrientation orientation) { Update(orientation_, orientation, Property::Style); }

int TUpDown::ArrowTarget(UpDownButton button) const {
  const int low = std::min(min_, max_);
  const int high = std::max(min_, max_);
  // "Up" heads for Max, which lies below Min in a reversed range.
  const int towardsMax = max_ < min_ ? -increment_ : increment_;
  const int target = position_ + (button == UpDownButton::Up ? towardsMax : -towardsMax);
  if (target > high) return wrap_ ? low : high;
  if (target < low) return wrap_ ? high : low;
  return target;
}

void TUpDown::UserArrowClick(UpDownButton button) {
  if (!AcceptsInput()) return;
  // Decided before the handlers run, so OnChangingEx is told the truth.
  const int target = ArrowTarget(button);
  bool allow = true;
  if (OnChanging) OnChanging(*this, allow);
  if (allow && OnChangingEx) OnChangingEx(*this, allow, target, button);
  if (!allow) return;
  MoveTo(target);
}

std::optional<int> TUpDown::ParsePosition(const std::string& text, int min, int max) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > 1'000'000) return std::nullopt;  // far outside any 16-bit range already
  }
  if (negative) value = -value;
  if (value < std::min(min, max) || value > std::max(min, max)) return std::nullopt;
  return static_cast<int>(value);
}

void TUpDown::FollowAssociateText() {
  if (outside_ && associate_->Text() != std::to_string(*outside_)) outside_.reset();
  const std::optional<int> typed = ParsePosition(associate_->Text(), min_, max_);
  if (!typed || *typed == position_) return;
  position_ = *typed;
  Notify(Property::Position);
}

void TUpDown::AssociateWatcher::PropertyChanged(Component& component, Property property) {
  if (property == Property::Text && &component == owner_.associate_) owner_.FollowAssociateText();
}

}  // namespace varnox
