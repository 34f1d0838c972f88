// The keyboard: the Tab order (reading order and what it passes over), the
// page keys and where they leave the focus, and the keys that act as clicks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace varnox {
namespace {

class KeyboardTest : public ::testing::Test {
 protected:
  KeyboardTest() {
    form.SetBounds(0, 0, 365, 393);
    pages.SetBounds(1, 3, 361, 355);
    first.SetBounds(4, 24, 353, 327);
    second.SetBounds(4, 24, 353, 327);
    third.SetBounds(4, 24, 353, 327);
    ok.SetBounds(2, 363, 71, 26);
    cancel.SetBounds(76, 363, 71, 26);
    ok.SetDefault(true);
    cancel.SetCancel(true);
    panelBox.SetBounds(7, 4, 15, 17);
    panel.SetBounds(3, 399, 214, 62);
    below.SetBounds(222, 400, 126, 19);
  }

  template <class T>
  T& Add(const std::string& name, Component& parent, int left, int top) {
    auto& control = form.Add<T>(name, parent);
    control.SetBounds(left, top, 60, 17);
    return control;
  }

  std::vector<std::string> Names(const std::vector<Control*>& controls) {
    std::vector<std::string> names;
    for (const Control* control : controls) names.push_back(control->Name());
    return names;
  }

  // The names Tab visits from the tab strip until it comes back.
  std::vector<std::string> TabCycle(DialogKey key = DialogKey::Tab) {
    std::vector<std::string> names;
    EXPECT_TRUE(pages.SetFocus());
    do {
      names.push_back(form.ActiveControl()->Name());
      form.UserKey(key);
    } while (form.ActiveControl() != &pages && names.size() < 50);
    return names;
  }

  TForm form{"ConfForm"};
  TPageControl& pages = form.Add<TPageControl>("PageControl");
  TTabSheet& first = form.Add<TTabSheet>("tsFirst", pages);
  TTabSheet& second = form.Add<TTabSheet>("tsSecond", pages);
  TTabSheet& third = form.Add<TTabSheet>("tsThird", pages);
  TBitBtn& ok = form.Add<TBitBtn>("ApplyBtn");
  TBitBtn& cancel = form.Add<TBitBtn>("CancelBtn");
  TPanel& panel = form.Add<TPanel>("HintPanel");
  TCheckBox& panelBox = form.Add<TCheckBox>("cbInPanel", panel);
  TButton& below = form.Add<TButton>("btnBelow");
};

TEST_F(KeyboardTest, TabWalksTheShownPageInReadingOrderThenTheButtons) {
  // Made in an order that is not the reading order.
  auto& lower = Add<TCheckBox>("cbLower", second, 8, 200);
  auto& group = Add<TGroupBox>("gbGroup", second, 8, 60);
  group.SetHeight(120);
  Add<TEdit>("edInGroupRight", group, 150, 18);
  Add<TCheckBox>("cbInGroupLeft", group, 8, 20);  // two pixels lower, same row
  Add<TLabel>("lblCaption", second, 8, 8);
  Add<TEdit>("edTopRight", second, 150, 6);
  Add<TCheckBox>("cbTopLeft", second, 8, 8);
  Add<TCheckBox>("cbDisabled", second, 8, 230).SetEnabled(false);
  Add<TCheckBox>("cbNoStop", second, 8, 250).SetTabStop(false);
  Add<TEdit>("edOnHiddenPage", first, 8, 8);
  auto& admin = form.Add<TButton>("btnRunAsAdmin");
  admin.SetBounds(151, 363, 141, 26);
  admin.SetVisible(false);
  pages.SetActivePage(&second);

  EXPECT_EQ(TabCycle(), (std::vector<std::string>{"PageControl", "cbTopLeft", "edTopRight", "cbInGroupLeft",
                                                  "edInGroupRight", "cbLower", "ApplyBtn", "CancelBtn"}));
  EXPECT_EQ(TabCycle(DialogKey::ShiftTab),
            (std::vector<std::string>{"PageControl", "CancelBtn", "ApplyBtn", "cbLower", "edInGroupRight",
                                      "cbInGroupLeft", "edTopRight", "cbTopLeft"}));

  // A taller window shows the strip below the buttons, and so takes it in;
  // a shown button joins in its place.
  form.SetClientHeight(470);
  admin.SetVisible(true);
  ok.SetEnabled(false);
  EXPECT_EQ(Names(form.TabStops()),
            (std::vector<std::string>{"PageControl", "cbTopLeft", "edTopRight", "cbInGroupLeft", "edInGroupRight",
                                      "cbLower", "CancelBtn", "btnRunAsAdmin", "cbInPanel", "btnBelow"}));
  // A control that is no stop still marks where Tab goes on from.
  ASSERT_TRUE(lower.SetFocus());
  lower.SetTabStop(false);
  EXPECT_TRUE(form.UserKey(DialogKey::Tab));
  EXPECT_EQ(form.ActiveControl(), &cancel);
}

TEST_F(KeyboardTest, AnOptionGroupIsOneStopThatTheArrowsMoveThrough) {
  auto& box = Add<TGroupBox>("gbChoice", second, 8, 8);
  box.SetHeight(150);
  auto& one = Add<TRadioButton>("rbOne", box, 8, 20);
  auto& two = Add<TRadioButton>("rbTwo", box, 8, 40);
  auto& off = Add<TRadioButton>("rbOff", box, 8, 60);
  auto& three = Add<TRadioButton>("rbThree", box, 8, 80);
  Add<TRadioButton>("rbElsewhere", second, 8, 200);  // another parent, another group
  off.SetEnabled(false);
  std::vector<std::string> clicks;
  for (TRadioButton* radio : {&one, &two, &three})
    radio->OnClick = [&clicks](Component& sender) { clicks.push_back(sender.Name()); };
  pages.SetActivePage(&second);

  EXPECT_EQ(TabCycle(), (std::vector<std::string>{"PageControl", "rbOne", "rbElsewhere", "ApplyBtn", "CancelBtn"}))
      << "the first button stands for a group with no choice";
  two.SetChecked(true);
  clicks.clear();
  EXPECT_EQ(Names(form.TabStops())[1], "rbTwo") << "the chosen button stands for its group";

  ASSERT_TRUE(two.SetFocus());
  EXPECT_TRUE(form.UserKey(DialogKey::Down));
  EXPECT_TRUE(three.Checked()) << "a disabled button is passed over";
  EXPECT_TRUE(three.Focused());
  EXPECT_TRUE(form.UserKey(DialogKey::Right));
  EXPECT_TRUE(one.Checked()) << "and round";
  EXPECT_TRUE(form.UserKey(DialogKey::Up));
  EXPECT_TRUE(form.UserKey(DialogKey::Left));
  EXPECT_TRUE(two.Checked());
  EXPECT_EQ(clicks, (std::vector<std::string>{"rbThree", "rbOne", "rbThree", "rbTwo"}));

  auto& group = Add<TRadioGroup>("rgGroup", second, 150, 8);
  group.SetItems({"a", "b", "c"});
  int groupClicks = 0;
  group.OnClick = [&groupClicks](Component&) { ++groupClicks; };
  ASSERT_TRUE(group.SetFocus());
  EXPECT_TRUE(form.UserKey(DialogKey::Down));
  EXPECT_EQ(group.ItemIndex(), 0) << "from no choice to the first";
  EXPECT_TRUE(form.UserKey(DialogKey::Up));
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_EQ(groupClicks, 2);
}

TEST_F(KeyboardTest, UpAndDownInASpinBoxFieldAreArrowClicks) {
  auto& edit = Add<TEdit>("edNumber", second, 8, 8);
  auto& spinner = Add<TUpDown>("udNumber", second, 68, 8);
  spinner.SetRange(1, 10);
  spinner.SetIncrement(4);
  spinner.SetAssociate(&edit);
  spinner.SetPosition(5);
  spinner.SetArrowKeys(false);
  std::vector<int> changing;
  spinner.OnChangingEx = [&](Component&, bool&, int position, UpDownButton) { changing.push_back(position); };
  auto& plain = Add<TEdit>("edPlain", second, 8, 40);
  pages.SetActivePage(&second);

  ASSERT_TRUE(edit.SetFocus());
  EXPECT_TRUE(form.UserKey(DialogKey::Up));
  EXPECT_TRUE(form.UserKey(DialogKey::Up));
  EXPECT_EQ(spinner.Position(), 10) << "stops at the end of the range";
  EXPECT_EQ(edit.Text(), "10");
  EXPECT_TRUE(form.UserKey(DialogKey::Down));
  EXPECT_EQ(spinner.Position(), 6);
  EXPECT_EQ(changing, (std::vector<int>{9, 10, 6}));
  EXPECT_FALSE(form.UserKey(DialogKey::Left)) << "the caret's own";

  ASSERT_TRUE(plain.SetFocus());
  EXPECT_FALSE(form.UserKey(DialogKey::Up)) << "an edit without a spinner keeps its keys";
  spinner.SetEnabled(false);
  ASSERT_TRUE(edit.SetFocus());
  form.UserKey(DialogKey::Up);
  EXPECT_EQ(spinner.Position(), 6) << "a disabled spinner takes no step";
}

TEST_F(KeyboardTest, PageKeysGoRoundTheShownTabsAndSettleTheFocus) {
  auto& onFirst = Add<TCheckBox>("cbOnFirst", first, 8, 8);
  auto& onThird = Add<TEdit>("edOnThird", third, 8, 8);
  std::vector<std::string> changes;
  pages.OnChange = [&](Component&) {
    changes.push_back(pages.ActivePage()->Name());
    form.FocusControl(nullptr);  // as a handler may leave it
  };
  second.SetTabVisible(false);  // not shown on this system
  pages.SetActivePage(&first);

  ASSERT_TRUE(onFirst.SetFocus());
  EXPECT_TRUE(form.UserKey(DialogKey::NextPage));
  EXPECT_EQ(pages.ActivePage(), &third);
  EXPECT_EQ(form.ActiveControl(), &onThird) << "from the page, to the new page's first input";
  EXPECT_TRUE(form.UserKey(DialogKey::NextPage));
  EXPECT_EQ(pages.ActivePage(), &first) << "round";

  ASSERT_TRUE(pages.SetFocus());
  EXPECT_TRUE(form.UserKey(DialogKey::PriorPage));
  EXPECT_EQ(pages.ActivePage(), &third);
  EXPECT_EQ(form.ActiveControl(), &pages) << "the tab strip keeps the focus it had";
  EXPECT_EQ(changes, (std::vector<std::string>{"tsThird", "tsFirst", "tsThird"}));

  // A page with no input leaves the focus on the strip; a handler's own
  // choice stands.
  onThird.SetEnabled(false);
  ASSERT_TRUE(ok.SetFocus());
  pages.UserSelectTab(first);
  pages.OnChange = [&](Component&) { form.FocusControl(&cancel); };
  pages.UserSelectTab(third);
  EXPECT_EQ(form.ActiveControl(), &cancel);
  pages.OnChange = nullptr;
  ASSERT_TRUE(ok.SetFocus());
  pages.UserSelectTab(first);
  EXPECT_EQ(form.ActiveControl(), &onFirst);
  pages.UserSelectTab(third);
  EXPECT_EQ(form.ActiveControl(), &pages);

  pages.SetEnabled(false);
  EXPECT_TRUE(form.UserKey(DialogKey::NextPage));
  EXPECT_EQ(pages.ActivePage(), &third) << "pages that take no input stay";
}

TEST_F(KeyboardTest, TheFirstInputIsOnTheShownPageElseTheTabStrip) {
  pages.SetActivePage(&first);
  EXPECT_TRUE(form.SelectFirstInput());
  EXPECT_EQ(form.ActiveControl(), &pages);
  auto& edit = Add<TEdit>("edOnFirst", first, 8, 8);
  EXPECT_TRUE(form.SelectFirstInput());
  EXPECT_EQ(form.ActiveControl(), &edit);

  EXPECT_TRUE(form.UserKey(DialogKey::Escape));
  EXPECT_TRUE(form.UserKey(DialogKey::Enter));
  ok.SetEnabled(false);
  EXPECT_FALSE(form.UserKey(DialogKey::Enter)) << "Enter is OK only while OK is enabled";
}

}  // namespace
}  // namespace varnox
