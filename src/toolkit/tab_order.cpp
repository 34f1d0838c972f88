#include "toolkit/tab_order.h"

#include <algorithm>

#include "toolkit/form.h"
#include "toolkit/radio_button.h"

namespace varnox {

namespace {

// Controls whose tops differ by less than this share a row: a check box and
// the edit beside it are seldom placed on the same pixel.
constexpr int kRowTolerance = 8;

using Iterator = std::vector<Control*>::iterator;

// Stable, and small: a container holds a few dozen controls at most.
void SortStable(Iterator first, Iterator last, bool (*before)(const Control*, const Control*)) {
  for (Iterator i = first; i != last; ++i) {
    for (Iterator j = i; j != first && before(*j, *(j - 1)); --j) std::iter_swap(j, j - 1);
  }
}

bool Higher(const Control* a, const Control* b) { return a->Top() < b->Top(); }
bool FurtherLeft(const Control* a, const Control* b) { return a->Left() < b->Left(); }

std::vector<Control*> ChildrenInReadingOrder(const Control& parent) {
  std::vector<Control*> children;
  for (Component* child : parent.Children()) {
    if (auto* control = dynamic_cast<Control*>(child)) children.push_back(control);
  }
  SortStable(children.begin(), children.end(), Higher);
  for (Iterator row = children.begin(); row != children.end();) {
    const int rowTop = (*row)->Top();
    Iterator end =
        std::find_if(row, children.end(), [&](const Control* c) { return c->Top() >= rowTop + kRowTolerance; });
    SortStable(row, end, FurtherLeft);
    row = end;
  }
  return children;
}

void CollectInReadingOrder(const Control& parent, std::vector<Control*>& out) {
  for (Control* child : ChildrenInReadingOrder(parent)) {
    out.push_back(child);
    CollectInReadingOrder(*child, out);
  }
}

// Starts inside the form's client area, where the user can see it.
bool InsideClientArea(const Control& control) {
  int left = 0;
  int top = 0;
  const Control* at = &control;
  for (; at->ParentControl() != nullptr; at = at->ParentControl()) {
    left += at->Left();
    top += at->Top();
  }
  const auto* form = dynamic_cast<const TForm*>(at);
  if (form == nullptr) return true;
  return left < form->ClientWidth() && top < form->ClientHeight();
}

// The radio button that stands for its group in the Tab order.
const TRadioButton* GroupStop(const TRadioButton& radio) {
  const TRadioButton* first = nullptr;
  for (Control* sibling : ChildrenInReadingOrder(*radio.ParentControl())) {
    const auto* other = dynamic_cast<const TRadioButton*>(sibling);
    if (other == nullptr || !other->CanFocus()) continue;
    if (other->Checked()) return other;
    if (first == nullptr) first = other;
  }
  return first;
}

}  // namespace

std::vector<Control*> ReadingOrder(const Control& root) {
  std::vector<Control*> all;
  CollectInReadingOrder(root, all);
  return all;
}

bool IsTabStopNow(const Control& control) {
  if (!control.TabStop() || !control.CanFocus() || !InsideClientArea(control)) return false;
  const auto* radio = dynamic_cast<const TRadioButton*>(&control);
  return radio == nullptr || GroupStop(*radio) == radio;
}

}  // namespace varnox
