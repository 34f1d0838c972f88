#pragma once
// Views of the controls that hold a position: the up-down spinner and the
// track bar.

#include "toolkit/track_bar.h"
#include "toolkit/up_down.h"
#include "toolkit/win32/control_view.h"

namespace varnox {

// The native up-down reports arrow clicks and shows the model's range and
// position, so that whoever reads it (UDM_GETPOS32, UDM_GETRANGE32) finds
// the number the user sees. It has no buddy to write into and never moves
// itself (each UDN_DELTAPOS is refused); the model moves, fires OnChanging,
// writes the number into its associate, and the view copies the position.
class UpDownView final : public ControlView {
 public:
  UpDownView(FormView& form, TUpDown& upDown) : ControlView(form, upDown), upDown_(upDown) {}
  bool Notify(const NMHDR& header, LRESULT& result) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  void ApplyAll() override;

 private:
  TUpDown& upDown_;
};

class TrackBarView final : public ControlView {
 public:
  TrackBarView(FormView& form, TTrackBar& bar) : ControlView(form, bar), bar_(bar) {}
  void Scroll(UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  void ApplyAll() override;

 private:
  TTrackBar& bar_;
};

}  // namespace varnox
