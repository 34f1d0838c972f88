// Up-down spinners bound to an edit: program changes, arrow clicks and the
// position following typed text.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/spinner_range.h"
#include "toolkit/toolkit.h"

namespace varnox {
namespace {

class UpDownTest : public ::testing::Test {
 protected:
  UpDownTest() {
    edit.SetText("5000");
    spinner.SetRange(1, 32767);
    spinner.SetPosition(5000);
    spinner.SetAssociate(&edit);
    edit.OnChange = [&](Component&) { events.push_back("change " + edit.Text()); };
    spinner.OnChanging = [&](Component&, bool&) {
      events.push_back("changing at " + std::to_string(spinner.Position()));
    };
  }

  TForm form{"Form"};
  TEdit& edit = form.Add<TEdit>("edHungApplication");
  TUpDown& spinner = form.Add<TUpDown>("udHungApplication");
  std::vector<std::string> events;
};

TEST_F(UpDownTest, ProgramPositionWritesTheEditButNeverFiresChanging) {
  spinner.SetPosition(7000);
  spinner.SetPosition(7000);  // same number, same text: nothing

  EXPECT_EQ(events, (std::vector<std::string>{"change 7000"}));
  EXPECT_EQ(spinner.Position(), 7000);
}

TEST_F(UpDownTest, ArrowClickFiresChangingBeforeTheMoveThenTheEditChange) {
  spinner.SetIncrement(1000);
  spinner.UserArrowClick(UpDownButton::Up);
  spinner.UserArrowClick(UpDownButton::Down);
  spinner.UserArrowClick(UpDownButton::Down);

  EXPECT_EQ(events, (std::vector<std::string>{"changing at 5000", "change 6000", "changing at 6000", "change 5000",
                                              "changing at 5000", "change 4000"}));
}

TEST_F(UpDownTest, ArrowClicksStopAtTheEndsButStillAskFirst) {
  spinner.SetRange(0, 99);
  spinner.SetIncrement(5);
  spinner.SetPosition(97);
  events.clear();

  spinner.UserArrowClick(UpDownButton::Up);  // 102 would pass the end
  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_EQ(spinner.Position(), 99);
  spinner.SetPosition(3);
  spinner.UserArrowClick(UpDownButton::Down);
  EXPECT_EQ(spinner.Position(), 0);

  EXPECT_EQ(events, (std::vector<std::string>{"changing at 97", "change 99", "changing at 99", "change 3",
                                              "changing at 3", "change 0"}));
}

TEST_F(UpDownTest, WrapGoesRoundAndReversedRangeTurnsTheArrows) {
  spinner.SetRange(0, 10);
  spinner.SetWrap(true);
  spinner.SetPosition(10);
  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_EQ(spinner.Position(), 0);
  spinner.UserArrowClick(UpDownButton::Down);
  EXPECT_EQ(spinner.Position(), 10);

  spinner.SetWrap(false);
  spinner.SetRange(10, 0);  // Max below Min: up heads for Max
  spinner.SetPosition(5);
  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_EQ(spinner.Position(), 4);
}

TEST_F(UpDownTest, ChangingHandlersMayRefuseAndAreToldTheNewPosition) {
  std::vector<int> told;
  spinner.OnChangingEx = [&](Component&, bool& allow, int newPosition, UpDownButton) {
    told.push_back(newPosition);
    allow = newPosition <= 5001;
  };
  spinner.UserArrowClick(UpDownButton::Up);
  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_EQ(told, (std::vector<int>{5001, 5002}));
  EXPECT_EQ(spinner.Position(), 5001);

  spinner.OnChanging = [](Component&, bool& allow) { allow = false; };
  told.clear();
  spinner.UserArrowClick(UpDownButton::Down);
  EXPECT_TRUE(told.empty()) << "a refusal by OnChanging ends it";
  EXPECT_EQ(spinner.Position(), 5001);
}

TEST_F(UpDownTest, PositionFollowsValidTypedTextAndKeepsTheLastValidNumber) {
  edit.UserType("1500");
  EXPECT_EQ(spinner.Position(), 1500);
  edit.UserType("  -7");  // leading blanks and a sign are a number; -7 is out of range
  EXPECT_EQ(spinner.Position(), 1500);
  edit.UserType(" 42");
  EXPECT_EQ(spinner.Position(), 42);
  for (const char* refused : {"", "abc", "12a", "42 ", "40000", "99999999999999999999", "-", "+"}) {
    edit.UserType(refused);
    EXPECT_EQ(spinner.Position(), 42) << "typed '" << refused << "'";
  }
  EXPECT_EQ(edit.Text(), "+") << "the refused text stays as typed";

  // An arrow click moves on from the last accepted number and rewrites the text.
  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_EQ(spinner.Position(), 43);
  EXPECT_EQ(edit.Text(), "43");
}

TEST_F(UpDownTest, EditChangeHandlerAlreadySeesTheFollowedPosition) {
  std::vector<int> positions;
  edit.OnChange = [&](Component&) { positions.push_back(spinner.Position()); };
  edit.UserType("0");
  edit.UserType("512");
  EXPECT_EQ(positions, (std::vector<int>{5000, 512})) << "0 is below Min 1, so 5000 stays";
}

TEST_F(UpDownTest, ProgramPositionIsKeptOutsideTheRangeButMustFitSixteenBits) {
  spinner.SetRange(0, 32766);
  spinner.SetPosition(32767);
  EXPECT_EQ(spinner.Position(), 32767);
  EXPECT_EQ(edit.Text(), "32767");
  spinner.SetPosition(-1);
  EXPECT_EQ(spinner.Position(), -1);

  EXPECT_THROW(spinner.SetPosition(32768), ERangeError);
  EXPECT_THROW(spinner.SetPosition(-32769), ERangeError);
  EXPECT_THROW(spinner.SetPosition(4294967295LL), ERangeError);
  EXPECT_EQ(spinner.Position(), -1);
  try {
    spinner.SetPosition(40000);
  } catch (const ERangeError& error) {
    EXPECT_STREQ(error.what(), "Range check error");
  }
}

TEST_F(UpDownTest, OnlyADisabledSpinnerTakesNoArrowClicks) {
  spinner.SetEnabled(false);
  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(spinner.Position(), 5000);

  spinner.SetEnabled(true);
  edit.SetEnabled(false);
  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_EQ(events, (std::vector<std::string>{"changing at 5000", "change 5001"}));
}

TEST_F(UpDownTest, ANumberOutsideTheRangeShowsAsItIsWithThePositionAtTheNearestEnd) {
  spinner.ShowNumber(40000);
  EXPECT_EQ(spinner.Position(), 32767);
  EXPECT_EQ(edit.Text(), "40000");
  EXPECT_EQ(spinner.OutsideNumber(), 40000);
  EXPECT_EQ(spinner.ShownNumber(), 40000);
  EXPECT_EQ(events.back(), "change 40000") << "the edit's handler sees the number as shown";

  spinner.ShowNumber(-5);
  EXPECT_EQ(spinner.Position(), 1);
  EXPECT_EQ(edit.Text(), "-5");
  spinner.ShowNumber(1234);
  EXPECT_EQ(spinner.OutsideNumber(), std::nullopt);
  EXPECT_EQ(edit.Text(), "1234");

  // Whatever changes the text lets the number go: typing, an arrow click, the program.
  spinner.ShowNumber(40000);
  edit.UserType("40000");
  EXPECT_TRUE(spinner.OutsideNumber()) << "the same text is no change";
  edit.UserType("4000");
  EXPECT_EQ(spinner.OutsideNumber(), std::nullopt);
  edit.UserType("40000");
  EXPECT_EQ(spinner.OutsideNumber(), std::nullopt) << "typed, it is the user's text like any other";
  EXPECT_EQ(spinner.Position(), 4000);
  spinner.ShowNumber(40000);
  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_EQ(spinner.OutsideNumber(), std::nullopt);
  EXPECT_EQ(edit.Text(), "32767");
  spinner.ShowNumber(0);
  spinner.SetPosition(1);
  EXPECT_EQ(spinner.OutsideNumber(), std::nullopt);
}

TEST_F(UpDownTest, BindingWritesThePositionAndRebindingLetsTheOldEditGo) {
  auto& shown = form.Add<TStaticText>("stHintPause");
  spinner.SetAssociate(&shown);
  EXPECT_EQ(shown.Text(), "5000");

  edit.UserType("10");  // no longer bound
  EXPECT_EQ(spinner.Position(), 5000);

  auto& label = form.Add<TLabel>("lblVisible");
  EXPECT_THROW(spinner.SetAssociate(&label), UsageError);
  EXPECT_EQ(spinner.Associate(), &shown);
}

TEST(UpDownParse, AcceptsOnlyWholeNumbersInRange) {
  EXPECT_EQ(TUpDown::ParsePosition("7", 0, 100), 7);
  EXPECT_EQ(TUpDown::ParsePosition("\t+100", 0, 100), 100);
  EXPECT_EQ(TUpDown::ParsePosition("-5", 0, -10), -5) << "a reversed range still bounds";
  EXPECT_EQ(TUpDown::ParsePosition("101", 0, 100), std::nullopt);
  EXPECT_EQ(TUpDown::ParsePosition("1,024", 0, 4096), std::nullopt);
  EXPECT_EQ(TUpDown::ParsePosition("0x10", 0, 100), std::nullopt);
}

}  // namespace
}  // namespace varnox
