#pragma once
// Short hands for laying out a settings page: each makes one control with
// its design name, place and caption.

#include <string>
#include <string_view>
#include <vector>

#include "toolkit/toolkit.h"

namespace varnox {

TGroupBox& AddGroupBox(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left, int top,
                       int width, int height);
TLabel& AddLabel(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left, int top);
TCheckBox& AddCheckBox(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left, int top,
                       int width, bool allowGrayed = false);
TRadioButton& AddRadioButton(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left,
                             int top, int width);
TEdit& AddEdit(TForm& form, Control& parent, std::string_view name, std::string_view text, int left, int top,
               int width);
// The name a screen reader gives the field added next, for a field whose
// caption on the screen is not a label of its own: a label with no size,
// so nothing shows.
TLabel& AddFieldName(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left, int top);
// A spinner on the right edge of `edit`, bound to it, at `position`.
TUpDown& AddUpDown(TForm& form, Control& parent, std::string_view name, TEdit& edit, int min, int max, int position);
TMenuItem& AddMenuItem(TForm& form, TPopupMenu& menu, std::string_view name, std::string_view caption);
// The legend of the grey state: a disabled grey box and its label.
void AddGreyLegend(TForm& form, Control& parent, std::string_view boxName, std::string_view labelName, int left,
                   int top);

// The named controls, for a load section's list.
std::vector<Control*> NamedControls(TForm& form, std::initializer_list<const char*> names);

// Hints on for the named controls of a page.
void ShowHints(TForm& form, std::initializer_list<const char*> names);

// The same state for several controls.
void SetEnabled(TForm& form, std::initializer_list<const char*> names, bool enabled);

}  // namespace varnox
