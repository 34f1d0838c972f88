#pragma once
// Controls that show something and hold no data: labels, static texts,
// group boxes, panels, bevels and pictures. Group boxes and panels hold
// other controls. Labels are clickable (link labels use the hand cursor);
// their OnClick and OnMouseMove come from Control.

#include <string>

#include "toolkit/control.h"

namespace varnox {

class TLabel : public Control {
 public:
  using Control::Control;
  const char* ClassName() const override { return "TLabel"; }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // Whether the label sizes itself to its caption; a fixed label clips.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

 private:
  TAlignment alignment_ = TAlignment::LeftJustify;
  bool autoSize_ = true;
  bool transparent_ = false;
};

// Like a label, but a window of its own; an up-down may show its number here.
class TStaticText : public Control {
 public:
  using Control::Control;
  const char* ClassName() const override { return "TStaticText"; }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

 private:
  TAlignment alignment_ = TAlignment::LeftJustify;
};

class TGroupBox : public Control {
 public:
  using Control::Control;
  const char* ClassName() const override { return "TGroupBox"; }

 protected:
  bool AcceptsChild(const Component& child) const override { return AcceptsPlainControl(child); }
};

enum class BevelCut { None, Lowered, Raised };

class TPanel : public Control {
 public:
  using Control::Control;
  const char* ClassName() const override { return "TPanel"; }

  BevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(BevelCut cut);
  BevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(BevelCut cut);

 protected:
  bool AcceptsChild(const Component& child) const override { return AcceptsPlainControl(child); }

 private:
  BevelCut bevelInner_ = BevelCut::None;
  BevelCut bevelOuter_ = BevelCut::Raised;
};

enum class BevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
enum class BevelStyle { Lowered, Raised };

class TBevel : public Control {
 public:
  using Control::Control;
  const char* ClassName() const override { return "TBevel"; }

  BevelShape Shape() const { return shape_; }
  void SetShape(BevelShape shape);
  BevelStyle Style() const { return style_; }
  void SetStyle(BevelStyle style);

 private:
  BevelShape shape_ = BevelShape::Box;
  BevelStyle style_ = BevelStyle::Lowered;
};

// A picture from the library's resources, named; the view loads it.
class TImage : public Control {
 public:
  using Control::Control;
  const char* ClassName() const override { return "TImage"; }

  const std::string& Picture() const { return picture_; }
  void SetPicture(const std::string& resourceName);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

 private:
  std::string picture_;
  bool transparent_ = false;
};

}  // namespace varnox
