// The layout's scaling from the design font to the font the window got,
// checked on the whole configuration window.

#include "toolkit/layout_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "conf_form_fixture.h"
#include "toolkit/design_font.h"

namespace varnox {
namespace {

LayoutBounds BoundsOf(const Control& control) {
  return {control.Left(), control.Top(), control.Width(), control.Height()};
}

class LayoutScaleOnWindow : public conf_form_test::ConfFormTest {
 protected:
  std::vector<Control*> Controls() {
    std::vector<Control*> controls;
    for (Component* component : form().Components()) {
      if (auto* control = dynamic_cast<Control*>(component)) controls.push_back(control);
    }
    return controls;
  }
};

TEST_F(LayoutScaleOnWindow, TheDesignFontKeepsEveryControlWhereItIsAndASmallerOneShrinksNothing) {
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  for (const LayoutScale& scale : {LayoutScale(kDesignFontMetrics), LayoutScale({11, 280}), LayoutScale({0, 0})}) {
    EXPECT_TRUE(scale.IsIdentity());
    EXPECT_EQ(scale.X(form().ClientWidth()), 365);
    EXPECT_EQ(scale.Y(form().ClientHeight()), 393);
    for (Control* control : Controls()) {
      EXPECT_EQ(scale.Scale(BoundsOf(*control)), BoundsOf(*control)) << control->Name();
    }
  }
}

TEST_F(LayoutScaleOnWindow, AFontThirtyPercentWiderWidensTheWindowAndEveryCaptionsRoomAlike) {
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  const LayoutScale wider({13, 420});  // 323 × 1.3, to the pixel
  EXPECT_FALSE(wider.IsIdentity());
  EXPECT_NEAR(wider.X(form().ClientWidth()), 365 * 1.3, 1.0);
  EXPECT_EQ(wider.Y(form().ClientHeight()), 393) << "as tall a font keeps the heights";
  int captions = 0;
  for (Control* control : Controls()) {
    const LayoutBounds design = BoundsOf(*control);
    const LayoutBounds real = wider.Scale(design);
    EXPECT_NEAR(real.left, design.left * 1.3, 0.51) << control->Name();
    EXPECT_EQ(real.top, design.top) << control->Name();
    EXPECT_EQ(real.height, design.height) << control->Name();
    if (control->Caption().empty() || design.width <= 0) continue;
    ++captions;
    // Each edge is rounded on its own: a pixel either way.
    EXPECT_NEAR(real.width, design.width * 1.3, 1.5) << control->Name();
    EXPECT_GT(real.width, design.width) << control->Name();
  }
  EXPECT_GT(captions, 100) << "the check covers the window's captions";
}

// Scaling edges keeps the order of every pair of neighbours: what lay side
// by side or touched in the design cannot overlap on the screen.
TEST_F(LayoutScaleOnWindow, NeighboursThatDoNotOverlapInTheDesignDoNotOverlapScaled) {
  Open(ScriptedSystem::WinXPSp3());
  const LayoutScale scale({17, 401});
  for (Control* a : Controls()) {
    for (Control* b : Controls()) {
      if (a == b || a->Parent() != b->Parent()) continue;
      const LayoutBounds da = BoundsOf(*a);
      const LayoutBounds db = BoundsOf(*b);
      const LayoutBounds ra = scale.Scale(da);
      const LayoutBounds rb = scale.Scale(db);
      if (da.left + da.width <= db.left) {
        EXPECT_LE(ra.left + ra.width, rb.left) << a->Name() << " " << b->Name();
      }
      if (da.top + da.height <= db.top) {
        EXPECT_LE(ra.top + ra.height, rb.top) << a->Name() << " " << b->Name();
      }
    }
  }
}

TEST(LayoutScale, ADesignSizeForContentIsTheSmallestThatHoldsIt) {
  const LayoutScale identity;
  EXPECT_EQ(identity.DesignWidth(17, 93), 93);
  EXPECT_EQ(identity.DesignHeight(5, 0), 0);
  for (const LayoutScale& scale : {LayoutScale({16, 359}), LayoutScale({21, 420}), LayoutScale({13, 1000})}) {
    for (int start : {0, 1, 7, 34, 272, 399}) {
      for (int real = 1; real < 400; real += 7) {
        const int width = scale.DesignWidth(start, real);
        EXPECT_GE(scale.X(start + width) - scale.X(start), real) << start << " " << real;
        EXPECT_LT(scale.X(start + width - 1) - scale.X(start), real) << start << " " << real;
        const int height = scale.DesignHeight(start, real);
        EXPECT_GE(scale.Y(start + height) - scale.Y(start), real) << start << " " << real;
        EXPECT_LT(scale.Y(start + height - 1) - scale.Y(start), real) << start << " " << real;
      }
    }
  }
}

TEST(LayoutScale, OwnFontHeightsGrowWithTheLineHeightAndStayNegative) {
  const LayoutScale largeFonts({16, 397});  // MS Sans Serif at 120 dots per inch
  EXPECT_EQ(largeFonts.FontHeight(-20), -25);
  EXPECT_EQ(largeFonts.FontHeight(-9), -11);
  EXPECT_EQ(largeFonts.Y(-13), -largeFonts.Y(13)) << "the same both sides of the origin";
  EXPECT_EQ(LayoutScale().FontHeight(-20), -20);
}

TEST(LayoutScale, ACaptionThatGrowsMoreThanTheAverageWidensTheScaleAndOneThatGrowsLessDoesNot) {
  LayoutScale scale({13, 359});
  const int before = scale.X(330);
  scale.FitText(304, 304);  // a caption as wide as designed
  scale.FitText(310, 300);  // or hardly wider
  EXPECT_EQ(scale.X(330), before);
  scale.FitText(365, 304);  // 20 % wider, more than the sample's 11 %
  EXPECT_EQ(scale.X(330), 396);
  EXPECT_EQ(scale.X(304 + 17) - scale.X(17), 365) << "exactly the caption's new width";
  scale.FitText(0, 0);
  EXPECT_EQ(scale.X(330), 396);
}

TEST(DesignFont, MeasuresPrintableTextAsTheDesignFontAndNothingElse) {
  EXPECT_EQ(DesignTextWidth(kFontSample), kDesignFontMetrics.sampleWidth);
  EXPECT_EQ(DesignTextWidth(""), 0);
  EXPECT_EQ(DesignTextWidth(" ~"), 3 + 7);
  EXPECT_EQ(DesignTextWidth("Powerdown after shutdown if HAL support (disabled by default)"), 296);
  EXPECT_EQ(DesignTextWidth("\xd0\x9e\xd1\x82"), std::nullopt) << "Cyrillic";
  EXPECT_EQ(DesignTextWidth("tab\there"), std::nullopt);
}

// A dialog template's font is whole points at the screen's density; the
// layout's heights are pixels at 96, where they must stay exactly as drawn.
TEST(DesignFont, AFontHeightComesOutInWholePointsAtTheScreensDensityAndUnchangedAtTheDesigns) {
  EXPECT_EQ(FontHeightAtDpi(-11, 120), -13) << "8 points, not 11 pixels grown by 25 %";
  EXPECT_EQ(FontHeightAtDpi(-11, 144), -16);
  EXPECT_EQ(FontHeightAtDpi(-11, 192), -21);
  EXPECT_EQ(FontHeightAtDpi(11, 144), 16) << "a cell height keeps its sign";
  EXPECT_EQ(FontHeightAtDpi(-9, 144), -14) << "6.75 points are 7";
  for (int height = -40; height <= 40; ++height) {
    // -14 would be 10.5 points, 15 pixels once rounded: the design's density keeps it.
    EXPECT_EQ(FontHeightAtDpi(height, 96), height);
    EXPECT_EQ(FontHeightAtDpi(height, 0), height) << "a density not known";
    EXPECT_GE(-FontHeightAtDpi(-std::abs(height), 144), std::abs(height)) << "never smaller on a denser screen";
  }
}

TEST(DesignFont, APictureGrowsWithTheDensityToTheNearestPixel) {
  EXPECT_EQ(SizeAtDpi(16, 120), 20);
  EXPECT_EQ(SizeAtDpi(16, 144), 24);
  EXPECT_EQ(SizeAtDpi(32, 120), 40);
  EXPECT_EQ(SizeAtDpi(13, 144), 20) << "19.5 rounds up";
  EXPECT_EQ(SizeAtDpi(32, 96), 32);
  EXPECT_EQ(SizeAtDpi(32, -1), 32);
  EXPECT_EQ(SizeAtDpi(0, 144), 0);
}

}  // namespace
}  // namespace varnox
