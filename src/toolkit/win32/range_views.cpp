#include "toolkit/win32/range_views.h"

#include <commctrl.h>

#include "toolkit/win32/form_view.h"

namespace varnox {

// --- up-down ---

ControlView::WindowRecipe UpDownView::Recipe() const {
  DWORD style = UDS_NOTHOUSANDS;
  if (upDown_.Orientation() == UpDownOrientation::Horizontal) style |= UDS_HORZ;
  return {UPDOWN_CLASSW, style, 0};
}

void UpDownView::ApplyAll() {
  ControlView::ApplyAll();
  Apply(Property::Range);
  Apply(Property::Position);
}

void UpDownView::Apply(Property property) {
  switch (property) {
    case Property::Text:
      return;  // the number shows in the associate
    case Property::Style:
      SetStyleBit(UDS_HORZ, upDown_.Orientation() == UpDownOrientation::Horizontal);
      InvalidateRect(Window(), nullptr, TRUE);
      return;
    // The 16-bit messages, which every comctl32 since NT 4.0 knows; the
    // model's numbers fit 16 bits. A reader's UDM_GETRANGE32 and
    // UDM_GETPOS32 give the same numbers.
    case Property::Range:
      SendMessageW(Window(), UDM_SETRANGE, 0,
                   MAKELPARAM(static_cast<WORD>(upDown_.Max()), static_cast<WORD>(upDown_.Min())));
      // Setting the range may have moved the native position into it.
      Apply(Property::Position);
      return;
    case Property::Position:
      SendMessageW(Window(), UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(upDown_.Position()), 0));
      return;
    default:
      ControlView::Apply(property);
  }
}

bool UpDownView::Notify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS) return false;
  const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
  if (change.iDelta != 0) {
    // The step's sign is the direction of the numbers, so in a reversed
    // range (Max below Min) the arrow towards Max steps down.
    const bool increasing = change.iDelta > 0;
    const bool reversed = upDown_.Max() < upDown_.Min();
    const UpDownButton button = increasing != reversed ? UpDownButton::Up : UpDownButton::Down;
    User([&] { upDown_.UserArrowClick(button); });
  }
  // The native control never moves itself: the model decides, and its
  // position comes back through Apply (also when a handler refused).
  result = 1;
  return true;
}

// --- track bar ---

ControlView::WindowRecipe TrackBarView::Recipe() const {
  DWORD style = TBS_AUTOTICKS;
  style |= bar_.Orientation() == TrackBarOrientation::Vertical ? TBS_VERT : TBS_HORZ;
  return {TRACKBAR_CLASSW, style, 0};
}

void TrackBarView::ApplyAll() {
  ControlView::ApplyAll();
  Apply(Property::Range);
  Apply(Property::Position);
}

void TrackBarView::Apply(Property property) {
  switch (property) {
    case Property::Text:
      return;
    case Property::Style:
      SetStyleBit(TBS_VERT, bar_.Orientation() == TrackBarOrientation::Vertical);
      InvalidateRect(Window(), nullptr, TRUE);
      return;
    case Property::Range:
      SendMessageW(Window(), TBM_SETRANGEMIN, FALSE, bar_.Min());
      SendMessageW(Window(), TBM_SETRANGEMAX, TRUE, bar_.Max());
      return;
    case Property::Position:
      SendMessageW(Window(), TBM_SETPOS, TRUE, bar_.Position());
      return;
    default:
      ControlView::Apply(property);
  }
}

void TrackBarView::Scroll(UINT /*code*/) {
  const int position = static_cast<int>(SendMessageW(Window(), TBM_GETPOS, 0, 0));
  User([&] { bar_.UserMove(position); });
  Resync(Property::Position);
}

}  // namespace varnox
