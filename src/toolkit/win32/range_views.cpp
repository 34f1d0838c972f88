#include "toolkit/win32/range_views.h"

#include <commctrl.h>

#include "toolkit/win32/form_view.h"

namespace varnox {

namespace {

// The native up-down keeps a fixed position in the middle of a fixed range,
// so that it reports every click in both directions wherever the model's
// position is; the sign of the reported step tells the arrow.
constexpr int kNativeMin = 0;
constexpr int kNativeMax = 100;
constexpr int kNativePosition = 50;

}  // namespace

// --- up-down ---

ControlView::WindowRecipe UpDownView::Recipe() const {
  DWORD style = UDS_NOTHOUSANDS;
  if (upDown_.Orientation() == UpDownOrientation::Horizontal) style |= UDS_HORZ;
  return {UPDOWN_CLASSW, style, 0};
}

void UpDownView::ApplyAll() {
  ControlView::ApplyAll();
  SendMessageW(Window(), UDM_SETRANGE, 0, MAKELPARAM(kNativeMax, kNativeMin));
  SendMessageW(Window(), UDM_SETPOS, 0, MAKELPARAM(kNativePosition, 0));
}

void UpDownView::Apply(Property property) {
  switch (property) {
    case Property::Text:
      return;  // the number shows in the associate
    case Property::Style:
      SetStyleBit(UDS_HORZ, upDown_.Orientation() == UpDownOrientation::Horizontal);
      InvalidateRect(Window(), nullptr, TRUE);
      return;
    default:
      ControlView::Apply(property);
  }
}

bool UpDownView::Notify(const NMHDR& header, LRESULT& result) {
  if (header.code != UDN_DELTAPOS) return false;
  const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
  if (change.iDelta != 0) {
    // Up (or right) is the arrow towards Max.
    const UpDownButton button = change.iDelta > 0 ? UpDownButton::Up : UpDownButton::Down;
    User([&] { upDown_.UserArrowClick(button); });
  }
  result = 1;  // the native control stays where it is
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
      SendMessageW(Window(), TBM_SETTICFREQ, bar_.Frequency(), 0);
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
