#pragma once
// Views of the controls that hold a list of items: the drop-down list combo
// box and the report-style list view.

#include <windows.h>

#include "toolkit/combo_box.h"
#include "toolkit/list_view.h"
#include "toolkit/win32/control_view.h"

namespace varnox {

class ComboBoxView final : public ControlView {
 public:
  ComboBoxView(FormView& form, TComboBox& box) : ControlView(form, box), box_(box) {}
  void Command(HWND from, UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  void ApplyAll() override;

 private:
  TComboBox& box_;
};

class ListViewView final : public ControlView {
 public:
  ListViewView(FormView& form, TListView& list) : ControlView(form, list), list_(list) {}
  ~ListViewView() override;
  bool Notify(const NMHDR& header, LRESULT& result) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  void ApplyAll() override;
  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void ApplyColumns();
  void ApplyItems();
  void ApplySelection();
  void ApplyImages();
  int ClickedRow() const;

  TListView& list_;
  HANDLE images_ = nullptr;  // owned: the list shares it (LVS_SHAREIMAGELISTS)
  int columns_ = 0;          // columns the window has
  bool clicking_ = false;    // a mouse click is under way; its NM_CLICK reports it
};

}  // namespace varnox
