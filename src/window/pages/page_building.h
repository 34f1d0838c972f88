#pragma once
// Short hands for laying out a settings page: each makes one control with
// its design name, place and caption.

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace varnox {

TGroupBox& AddGroupBox(TForm& form, Control& parent, const std::string& name, const std::string& caption, int left,
                       int top, int width, int height);
TLabel& AddLabel(TForm& form, Control& parent, const std::string& name, const std::string& caption, int left, int top);
TCheckBox& AddCheckBox(TForm& form, Control& parent, const std::string& name, const std::string& caption, int left,
                       int top, int width, bool allowGrayed = false);
TRadioButton& AddRadioButton(TForm& form, Control& parent, const std::string& name, const std::string& caption,
                             int left, int top, int width);
TEdit& AddEdit(TForm& form, Control& parent, const std::string& name, const std::string& text, int left, int top,
               int width);
// A spinner on the right edge of `edit`, bound to it, at `position`.
TUpDown& AddUpDown(TForm& form, Control& parent, const std::string& name, TEdit& edit, int min, int max, int position);
TMenuItem& AddMenuItem(TForm& form, TPopupMenu& menu, const std::string& name, const std::string& caption);
// The legend of the grey state: a disabled grey box and its label.
void AddGreyLegend(TForm& form, Control& parent, const std::string& boxName, const std::string& labelName, int left,
                   int top);

// The named controls, for a load section's list.
std::vector<Control*> NamedControls(TForm& form, std::initializer_list<const char*> names);

// Hints on for the named controls of a page.
void ShowHints(TForm& form, std::initializer_list<const char*> names);

// The same state for several controls.
void SetEnabled(TForm& form, std::initializer_list<const char*> names, bool enabled);

}  // namespace varnox
