#pragma once
// Views of the BUTTON family: check boxes, radio buttons, push buttons,
// speed buttons, group boxes and radio groups. None of the buttons changes
// its own state: the model decides on each click and the view shows what it
// decided.

#include <vector>

#include "toolkit/buttons.h"
#include "toolkit/check_box.h"
#include "toolkit/radio_button.h"
#include "toolkit/radio_group.h"
#include "toolkit/static_controls.h"
#include "toolkit/win32/control_view.h"

namespace varnox {

class CheckBoxView final : public ControlView {
 public:
  CheckBoxView(FormView& form, TCheckBox& box) : ControlView(form, box), box_(box) {}
  void Command(HWND from, UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  void ApplyAll() override;

 private:
  TCheckBox& box_;
};

class RadioButtonView final : public ControlView {
 public:
  RadioButtonView(FormView& form, TRadioButton& button) : ControlView(form, button), button_(button) {}
  void Command(HWND from, UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  void ApplyAll() override;

 private:
  TRadioButton& button_;
};

// TButton and TBitBtn.
class ButtonView final : public ControlView {
 public:
  ButtonView(FormView& form, TButton& button) : ControlView(form, button), button_(button) {}
  ~ButtonView() override;
  void Command(HWND from, UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;

 private:
  void ApplyGlyph();

  TButton& button_;
  HANDLE glyphs_ = nullptr;  // image list of a bit button's picture
};

class SpeedButtonView final : public ControlView {
 public:
  SpeedButtonView(FormView& form, TSpeedButton& button) : ControlView(form, button), button_(button) {}
  ~SpeedButtonView() override;
  void Command(HWND from, UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;

 private:
  TSpeedButton& button_;
  HBITMAP glyph_ = nullptr;
};

class GroupBoxView : public ControlView {
 public:
  using ControlView::ControlView;

 protected:
  WindowRecipe Recipe() const override;
  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// A group box with one radio button per item; the buttons are parts of the
// group's view, not components of their own.
class RadioGroupView final : public GroupBoxView {
 public:
  RadioGroupView(FormView& form, TRadioGroup& group) : GroupBoxView(form, group), group_(group) {}
  void Command(HWND from, UINT code) override;

 protected:
  void Apply(Property property) override;
  void ApplyAll() override;

 private:
  void ApplyItems();
  void ApplyChecks();

  TRadioGroup& group_;
  std::vector<HWND> buttons_;
};

}  // namespace varnox
