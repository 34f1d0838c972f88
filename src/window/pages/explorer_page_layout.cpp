// The Explorer page's controls in their design states.

#include "window/pages/explorer_page_layout.h"

#include "window/form/conf_form.h"
#include "window/pages/page_building.h"

namespace varnox {

namespace {

void LayOutDesktop(TConfForm& form, TTabSheet& sheet) {
  auto& desktop =
      AddGroupBox(form, sheet, "gbDesktop", " Desktop (all items not in registry by default) ", 4, 2, 345, 86);
  AddCheckBox(form, desktop, "cbNoDesktop", "Desktop elements displayed (enabled by default)", 8, 15, 330, true);
  AddCheckBox(form, desktop, "cbNoNetHood", "Network Neighborhood on desktop (enabled by default)", 8, 32, 330, true);
  AddCheckBox(form, desktop, "cbNoRun", "Run command in Start menu (enabled by default)", 8, 49, 330, true);
  AddCheckBox(form, desktop, "cbNoFind", "Find command in Start menu (enabled by default)", 8, 66, 330, true);
}

void LayOutExplorer(TConfForm& form, TTabSheet& sheet) {
  auto& explorer = AddGroupBox(form, sheet, "gbExplorer", " Explorer ", 4, 90, 345, 104);
  AddCheckBox(form, explorer, "cbMinAnimate", "Animate window's minimize (enabled by default)", 8, 15, 330, true);
  AddCheckBox(form, explorer, "cbBeepOnError", "Beep then error (enabled by default)", 8, 32, 330);
  AddCheckBox(form, explorer, "cbSmoothScroll", "Smooth scroolling (disabled by default)", 8, 49, 330);
  AddCheckBox(form, explorer, "cbExplorerSeparately", "Use single process mode for explorer (enabled by default)", 8,
              66, 330, true);
  AddCheckBox(form, explorer, "cbShowVersionOnDesktop", "Hide windows version on desktop (enabled by default)", 8, 83,
              330, true);
}

void LayOutMouse(TConfForm& form, TTabSheet& sheet) {
  auto& mouse = AddGroupBox(form, sheet, "gbIntelliMouse", " PS/2 mouse settings (only for NT 4.0) ", 4, 198, 290, 106);
  AddLabel(form, mouse, "lblWheelDetection", "Wheel detection", 8, 19);
  auto& detect = AddEdit(form, mouse, "edWheelDetect", "1", 110, 16, 20);
  detect.SetMaxLength(1);
  AddLabel(form, mouse, "lblWheelDetectDefault", "( 1 by default ) ", 152, 19);
  AddLabel(form, mouse, "lblWheelDetect", "Wheel detection ...", 4, 40);

  AddLabel(form, mouse, "lblWheelScrollLines", " Wheel scroll lines", 5, 61);
  auto& lines = AddEdit(form, mouse, "edWheelScrollLines", "", 110, 58, 26);
  lines.SetMaxLength(2);
  AddUpDown(form, mouse, "udWheelScrollLines", lines, 0, 99, 0).SetArrowKeys(false);
  AddLabel(form, mouse, "lblWheelScrollLinesDefault", "( 3 by default )", 152, 61);

  AddLabel(form, mouse, "lblPS2rate", "PS/2 mouse rate", 8, 84);
  auto& rate = AddEdit(form, mouse, "edPS2rate", "", 110, 81, 26);
  rate.SetMaxLength(3);
  AddUpDown(form, mouse, "udPS2rate", rate, 20, 200, 20).SetArrowKeys(false);
  AddLabel(form, mouse, "lblPS2rateDefault", "hz ( 60 by default )", 152, 84);
}

void LayOutMenu(TConfForm& form, TTabSheet& sheet) {
  auto& menu = AddGroupBox(form, sheet, "gbMenuSpeed", " Menu ", 296, 198, 53, 106);
  AddLabel(form, menu, "lblMenuFast", "Fast", 4, 15);
  auto& bar = form.Add<TTrackBar>("tbMenuSpeed", menu);
  bar.SetBounds(24, 12, 26, 90);
  bar.SetOrientation(TrackBarOrientation::Vertical);
  bar.SetRange(0, kMenuShowDelayMax);
  bar.SetFrequency(kMenuShowDelayMax / 10);  // ten steps, not one tick a millisecond
  bar.SetTabStop(true);
  AddLabel(form, menu, "lblMenuSlow", "Slow", 4, 86);
}

}  // namespace

void LayOutExplorerPage(TConfForm& form, TTabSheet& sheet) {
  LayOutDesktop(form, sheet);
  LayOutExplorer(form, sheet);
  LayOutMouse(form, sheet);
  LayOutMenu(form, sheet);
  AddGreyLegend(form, sheet, "CheckBox2", "lblNoRegistry2", 8, 308);
  ShowHints(form, {"cbNoDesktop", "cbNoNetHood", "cbNoRun", "cbNoFind", "cbMinAnimate", "cbBeepOnError",
                   "cbSmoothScroll", "cbExplorerSeparately", "cbShowVersionOnDesktop", "edWheelDetect",
                   "edWheelScrollLines", "edPS2rate", "tbMenuSpeed"});
}

}  // namespace varnox
