#include "window/pages/page_building.h"

namespace varnox {

namespace {
constexpr int kEditHeight = 19;
constexpr int kCheckBoxHeight = 17;
constexpr int kRadioButtonHeight = 17;
constexpr int kUpDownWidth = 15;
}  // namespace

TGroupBox& AddGroupBox(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left, int top,
                       int width, int height) {
  auto& box = form.Add<TGroupBox>(std::string(name), parent);
  box.SetBounds(left, top, width, height);
  box.SetCaption(std::string(caption));
  return box;
}

TLabel& AddLabel(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left, int top) {
  auto& label = form.Add<TLabel>(std::string(name), parent);
  label.SetCaption(std::string(caption));
  label.SetBounds(left, top, 0, 13);
  label.SetAutoSize(true);
  return label;
}

TCheckBox& AddCheckBox(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left, int top,
                       int width, bool allowGrayed) {
  auto& box = form.Add<TCheckBox>(std::string(name), parent);
  box.SetBounds(left, top, width, kCheckBoxHeight);
  box.SetCaption(std::string(caption));
  box.SetAllowGrayed(allowGrayed);
  box.SetTabStop(true);
  return box;
}

TRadioButton& AddRadioButton(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left,
                             int top, int width) {
  auto& button = form.Add<TRadioButton>(std::string(name), parent);
  button.SetBounds(left, top, width, kRadioButtonHeight);
  button.SetCaption(std::string(caption));
  return button;
}

TEdit& AddEdit(TForm& form, Control& parent, std::string_view name, std::string_view text, int left, int top,
               int width) {
  auto& edit = form.Add<TEdit>(std::string(name), parent);
  edit.SetBounds(left, top, width, kEditHeight);
  edit.SetText(std::string(text));
  edit.SetTabStop(true);
  return edit;
}

TLabel& AddFieldName(TForm& form, Control& parent, std::string_view name, std::string_view caption, int left, int top) {
  auto& label = form.Add<TLabel>(std::string(name), parent);
  label.SetAutoSize(false);
  label.SetCaption(std::string(caption));
  label.SetBounds(left, top, 0, 0);
  return label;
}

TUpDown& AddUpDown(TForm& form, Control& parent, std::string_view name, TEdit& edit, int min, int max, int position) {
  auto& spinner = form.Add<TUpDown>(std::string(name), parent);
  spinner.SetBounds(edit.Left() + edit.Width(), edit.Top(), kUpDownWidth, edit.Height());
  spinner.SetRange(min, max);
  spinner.SetPosition(position);
  spinner.SetAssociate(&edit);
  return spinner;
}

TMenuItem& AddMenuItem(TForm& form, TPopupMenu& menu, std::string_view name, std::string_view caption) {
  auto& item = form.Add<TMenuItem>(std::string(name), menu);
  item.SetCaption(std::string(caption));
  return item;
}

void AddGreyLegend(TForm& form, Control& parent, std::string_view boxName, std::string_view labelName, int left,
                   int top) {
  auto& box = AddCheckBox(form, parent, boxName, "", left, top, 13, true);
  box.SetState(cbGrayed);
  box.SetEnabled(false);
  box.SetTabStop(false);
  auto& label = AddLabel(form, parent, labelName, "- Not in registry", left + 16, top + 2);
  label.SetShowHint(true);
}

std::vector<Control*> NamedControls(TForm& form, std::initializer_list<const char*> names) {
  std::vector<Control*> controls;
  for (const char* name : names) controls.push_back(&form.Find<Control>(name));
  return controls;
}

void ShowHints(TForm& form, std::initializer_list<const char*> names) {
  for (const char* name : names) form.Find<Control>(name).SetShowHint(true);
}

void SetEnabled(TForm& form, std::initializer_list<const char*> names, bool enabled) {
  for (const char* name : names) form.Find<Control>(name).SetEnabled(enabled);
}

}  // namespace varnox
