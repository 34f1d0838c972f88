#pragma once
// Views of the STATIC family: labels and static texts (clickable, with their
// own font and colour), panels and bevels (painted edges) and pictures.

#include "toolkit/static_controls.h"
#include "toolkit/win32/control_view.h"

namespace varnox {

class LabelView final : public ControlView {
 public:
  LabelView(FormView& form, TLabel& label) : ControlView(form, label), label_(label) {}
  void Create() override;
  void Command(HWND from, UINT code) override;
  HBRUSH CtlColor(HDC dc, UINT message) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  HFONT Font() const override;

 private:
  // An auto-sized label takes the size of its caption; the model learns it.
  void FitToText();
  // The room left of its parent's right edge, in pixels.
  int RoomToTheRight() const;

  TLabel& label_;
};

class StaticTextView final : public ControlView {
 public:
  StaticTextView(FormView& form, TStaticText& text) : ControlView(form, text), text_(text) {}
  void Command(HWND from, UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;

 private:
  TStaticText& text_;
};

class PanelView final : public ControlView {
 public:
  PanelView(FormView& form, TPanel& panel) : ControlView(form, panel), panel_(panel) {}
  void Command(HWND from, UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  TPanel& panel_;
};

class BevelView final : public ControlView {
 public:
  BevelView(FormView& form, TBevel& bevel) : ControlView(form, bevel), bevel_(bevel) {}
  void Linked() override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  TBevel& bevel_;
};

class ImageView final : public ControlView {
 public:
  ImageView(FormView& form, TImage& image) : ControlView(form, image), image_(image) {}
  ~ImageView() override;
  void Command(HWND from, UINT code) override;

 protected:
  WindowRecipe Recipe() const override;
  void Apply(Property property) override;
  bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void ReleasePicture();
  // The size a picture is made at on this screen; zero for its own size.
  SIZE PictureSize() const;

  TImage& image_;
  HANDLE picture_ = nullptr;  // a bitmap or, failing that, an icon of that name
  UINT pictureType_ = IMAGE_BITMAP;
};

}  // namespace varnox
