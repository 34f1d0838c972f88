// Check boxes, radio buttons and radio groups: which state a click leads to
// and when the click handler runs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace varnox {
namespace {

class ChoiceTest : public ::testing::Test {
 protected:
  // Records "name" each time a control's handler runs, with the state the
  // handler saw.
  void Record(const Component& sender, const std::string& what) { calls.push_back(sender.Name() + ":" + what); }

  TForm form{"Form"};
  std::vector<std::string> calls;
};

std::string StateName(TCheckBoxState state) {
  switch (state) {
    case cbUnchecked:
      return "unchecked";
    case cbChecked:
      return "checked";
    case cbGrayed:
      return "grey";
  }
  return "?";
}

TEST_F(ChoiceTest, ThreeStateBoxCyclesThroughGreyOnUserClicks) {
  auto& box = form.Add<TCheckBox>("cbDisableCAD");
  box.SetAllowGrayed(true);
  box.OnClick = [&](Component& s) { Record(s, StateName(box.State())); };

  for (int i = 0; i < 4; ++i) box.UserClick();

  EXPECT_EQ(calls, (std::vector<std::string>{"cbDisableCAD:grey", "cbDisableCAD:checked", "cbDisableCAD:unchecked",
                                             "cbDisableCAD:grey"}));
}

TEST_F(ChoiceTest, TwoStateBoxLeavesProgramGreyForCheckedAndNeverReturnsToIt) {
  auto& box = form.Add<TCheckBox>("cbAutoLogonCount");
  box.SetState(cbGrayed);  // as a load does when the value is missing
  box.OnClick = [&](Component& s) { Record(s, StateName(box.State())); };

  for (int i = 0; i < 5; ++i) box.UserClick();

  EXPECT_EQ(calls, (std::vector<std::string>{"cbAutoLogonCount:checked", "cbAutoLogonCount:unchecked",
                                             "cbAutoLogonCount:checked", "cbAutoLogonCount:unchecked",
                                             "cbAutoLogonCount:checked"}));
}

TEST_F(ChoiceTest, ProgramStateChangeFiresOnlyWhenTheStateReallyChanges) {
  auto& box = form.Add<TCheckBox>("cbAutoEndTask");
  box.OnClick = [&](Component& s) { Record(s, StateName(box.State())); };

  box.SetState(cbUnchecked);  // already so
  box.SetChecked(true);
  box.SetChecked(true);
  box.SetState(cbGrayed);  // the program may reach grey even without AllowGrayed
  box.SetChecked(false);   // grey → unchecked is a change
  box.SetChecked(false);

  EXPECT_EQ(calls,
            (std::vector<std::string>{"cbAutoEndTask:checked", "cbAutoEndTask:grey", "cbAutoEndTask:unchecked"}));
  EXPECT_FALSE(box.Checked());
}

TEST_F(ChoiceTest, GreyCountsAsNotChecked) {
  auto& box = form.Add<TCheckBox>("cbHideServer");
  box.SetState(cbGrayed);
  EXPECT_FALSE(box.Checked());
  EXPECT_THROW(box.SetState(static_cast<TCheckBoxState>(3)), UsageError);
  EXPECT_EQ(box.State(), cbGrayed);
}

// The handler sees the new state, so a handler that sets the same box again
// (as the language switch does) does not loop.
TEST_F(ChoiceTest, HandlerSettingTheSameStateAgainDoesNotRecurse) {
  auto& box = form.Add<TCheckBox>("cbSwitchLanguage");
  int runs = 0;
  box.OnClick = [&](Component&) {
    ++runs;
    box.SetChecked(box.Checked());
  };
  box.UserClick();
  EXPECT_EQ(runs, 1);
}

TEST_F(ChoiceTest, RadioSelectionUnchecksSiblingsSilentlyAndFiresOnlyItsOwnHandler) {
  auto& group = form.Add<TGroupBox>("gbOptimization");
  auto& other = form.Add<TGroupBox>("gbElsewhere");
  auto& first = form.Add<TRadioButton>("rbServer1", group);
  auto& second = form.Add<TRadioButton>("rbServer2", group);
  auto& third = form.Add<TRadioButton>("rbServer3", group);
  auto& outside = form.Add<TRadioButton>("rbOutside", other);
  for (TRadioButton* radio : {&first, &second, &third, &outside}) {
    radio->OnClick = [&](Component& s) { Record(s, "click"); };
  }
  first.SetChecked(true);
  outside.SetChecked(true);
  calls.clear();

  third.UserClick();

  EXPECT_EQ(calls, (std::vector<std::string>{"rbServer3:click"}));
  EXPECT_FALSE(first.Checked());
  EXPECT_FALSE(second.Checked());
  EXPECT_TRUE(third.Checked());
  EXPECT_TRUE(outside.Checked()) << "a radio button of another parent is no sibling";

  calls.clear();
  third.UserClick();        // already checked: nothing happens
  third.SetChecked(false);  // unchecking by program fires nothing
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(third.Checked());

  second.SetChecked(true);  // checking by program fires like a click
  EXPECT_EQ(calls, (std::vector<std::string>{"rbServer2:click"}));
}

TEST_F(ChoiceTest, RadioGroupFiresOnEveryChangeOfItsIndex) {
  auto& group = form.Add<TRadioGroup>("rgATAPI_0");
  group.SetItems({"Disabled", "Enabled", "Force enabled"});
  group.OnClick = [&](Component& s) { Record(s, std::to_string(group.ItemIndex())); };

  group.SetItemIndex(1);
  group.SetItemIndex(1);
  group.UserSelect(2);
  group.UserSelect(7);  // no such item: ignored
  EXPECT_THROW(group.SetItemIndex(3), UsageError);

  EXPECT_EQ(calls, (std::vector<std::string>{"rgATAPI_0:1", "rgATAPI_0:2"}));

  group.SetItems({"only one"});  // the selection is gone with its item, silently
  EXPECT_EQ(group.ItemIndex(), -1);
  EXPECT_EQ(calls.size(), 2u);
}

TEST_F(ChoiceTest, UserClicksDoNothingWhereInputIsNotAccepted) {
  auto& pageControl = form.Add<TPageControl>("PageControl");
  auto& sheet = form.Add<TTabSheet>("tsLogon", pageControl);
  auto& group = form.Add<TGroupBox>("gbAutoLogon", sheet);
  auto& box = form.Add<TCheckBox>("cbEnableAutoLogon", group);
  auto& radio = form.Add<TRadioButton>("rbSolo", group);
  box.OnClick = [&](Component& s) { Record(s, "click"); };
  radio.OnClick = [&](Component& s) { Record(s, "click"); };

  box.SetEnabled(false);
  box.UserClick();
  box.SetEnabled(true);
  group.SetVisible(false);
  box.UserClick();
  group.SetVisible(true);
  pageControl.SetEnabled(false);  // a disabled page control makes its pages deaf
  box.UserClick();
  radio.UserClick();

  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(box.State(), cbUnchecked);
  EXPECT_FALSE(radio.Checked());

  box.SetChecked(true);  // the program still may
  EXPECT_EQ(calls, (std::vector<std::string>{"cbEnableAutoLogon:click"}));
}

}  // namespace
}  // namespace varnox
