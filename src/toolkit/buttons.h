#pragma once
// Push buttons. TButton and TBitBtn can be the form's default button (Enter)
// or cancel button (Escape) and carry a modal result; TSpeedButton is a flat
// picture button that never takes the focus.

#include <string>

#include "toolkit/control.h"
#include "toolkit/form.h"

namespace varnox {

class TButton : public Control {
 public:
  explicit TButton(const ComponentArgs& args);
  const char* ClassName() const override { return "TButton"; }

  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on);
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);
  // The shield that marks a button asking for administrator rights; only
  // systems that elevate draw it.
  bool ElevationShield() const { return elevationShield_; }
  void SetElevationShield(bool on);

  // A non-zero ModalResult goes to the form before OnClick runs, so the
  // modal loop ends even when the handler fails.
  void UserClick() override;

 protected:
  bool TakesFocus() const override { return true; }

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
  bool elevationShield_ = false;
};

// A button with a picture beside its caption. Glyph names the bitmap
// resource; the view loads it.
class TBitBtn : public TButton {
 public:
  using TButton::TButton;
  const char* ClassName() const override { return "TBitBtn"; }

  const std::string& Glyph() const { return glyph_; }
  void SetGlyph(const std::string& resourceName);

 private:
  std::string glyph_;
};

class TSpeedButton : public Control {
 public:
  using Control::Control;
  const char* ClassName() const override { return "TSpeedButton"; }

  const std::string& Glyph() const { return glyph_; }
  void SetGlyph(const std::string& resourceName);
  bool Flat() const { return flat_; }
  void SetFlat(bool on);

 private:
  std::string glyph_;
  bool flat_ = false;
};

}  // namespace varnox
