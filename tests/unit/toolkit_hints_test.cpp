// Which control's hint shows, and the library-wide hint times; and the
// dispatcher that keeps handler exceptions inside the window.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace varnox {
namespace {

class HintTest : public ::testing::Test {
 protected:
  HintTest() {
    pages.SetShowHint(false);
    network.SetHint("Network Parameters");
    group.SetHint("I/O page lock limit");
    group.SetShowHint(true);
    radio.SetHint("The system locked the 512K for I/O operations.");
  }

  std::string Shown(const Control& control) {
    auto hint = ResolveHint(control);
    return hint ? hint->owner->Name() + ": " + hint->text : "nothing";
  }

  TForm form{"ConfForm"};
  TPageControl& pages = form.Add<TPageControl>("PageControl");
  TTabSheet& memory = form.Add<TTabSheet>("tsMemory", pages);
  TTabSheet& network = form.Add<TTabSheet>("tsNetWork", pages);
  TGroupBox& group = form.Add<TGroupBox>("gbIOLock", memory);
  TRadioButton& radio = form.Add<TRadioButton>("rbIOLockDefault", group);
  TUpDown& spinner = form.Add<TUpDown>("udIOLockOther", group);
};

TEST_F(HintTest, OwnHintShowsWhereHintsAreOnAlsoWhenInherited) {
  EXPECT_EQ(Shown(radio), "rbIOLockDefault: The system locked the 512K for I/O operations.");
  EXPECT_EQ(Shown(group), "gbIOLock: I/O page lock limit");
}

TEST_F(HintTest, EmptyOwnHintShowsTheEnclosingControlsHint) {
  spinner.SetShowHint(true);
  EXPECT_EQ(Shown(spinner), "udIOLockOther: I/O page lock limit");
}

TEST_F(HintTest, ControlWithHintsOffShowsTheNearestEnclosingSwitchedOnControl) {
  radio.SetShowHint(false);
  EXPECT_EQ(Shown(radio), "gbIOLock: I/O page lock limit");
}

TEST_F(HintTest, NothingShowsWithoutHintsOnOrWithoutText) {
  EXPECT_EQ(Shown(network), "nothing") << "hints are off for the pages";
  auto& label = form.Add<TLabel>("lblOnNetwork", network);
  label.SetHint("Edit server comments");
  EXPECT_EQ(Shown(label), "nothing");

  auto& empty = form.Add<TEdit>("edAutoLogonCount", memory);
  empty.SetShowHint(true);
  EXPECT_EQ(Shown(empty), "nothing") << "switched on, but no text anywhere up the tree";
}

TEST(HintSettingsTest, DefaultsChangesAndObservers) {
  HintSettings& hints = ApplicationHints();
  hints.Reset();
  EXPECT_EQ(hints.HidePause(), 2500);
  EXPECT_EQ(hints.Pause(), 500);
  EXPECT_EQ(hints.ShortPause(), 50);

  struct Counter : HintSettingsObserver {
    int calls = 0;
    void HintSettingsChanged() override { ++calls; }
  } view;
  hints.AddObserver(view);
  hints.SetHidePause(7000);
  hints.SetHidePause(7000);
  hints.SetHidePause(-5);
  EXPECT_EQ(hints.HidePause(), 0);
  EXPECT_EQ(&ApplicationHints(), &hints) << "one object for the library";
  hints.Reset();
  hints.RemoveObserver(view);
  EXPECT_EQ(view.calls, 3);
}

struct CollectingSink : ErrorSink {
  std::vector<std::string> shown;
  void ShowError(const std::string& message) override { shown.push_back(message); }
};

TEST(DispatchTest, HandlerErrorsReachTheSinkAndStopThere) {
  CollectingSink sink;
  int after = 0;
  EXPECT_TRUE(RunHandler([&] { ++after; }, sink));
  EXPECT_FALSE(RunHandler([] { throw std::runtime_error("Invalid data type for 'DisableCAD'"); }, sink));
  EXPECT_FALSE(RunHandler([] { throw 42; }, sink));
  EXPECT_TRUE(RunHandler(nullptr, sink));
  EXPECT_EQ(after, 1);
  EXPECT_EQ(sink.shown, (std::vector<std::string>{"Invalid data type for 'DisableCAD'", kUnknownErrorText}));
}

TEST(DispatchTest, ModelEventsRunThroughTheDispatcherLikeAView) {
  TForm form{"ConfForm"};
  auto& box = form.Add<TCheckBox>("cbClearPageFileAtShutdown");
  box.OnClick = [](Component&) { throw std::runtime_error("Failed to set data for 'ClearPageFileAtShutdown'"); };
  CollectingSink sink;
  EXPECT_FALSE(RunHandler([&] { box.UserClick(); }, sink));
  EXPECT_EQ(box.State(), cbChecked) << "the state changed before the handler failed";

  struct ThrowingSink : ErrorSink {
    void ShowError(const std::string&) override { throw std::runtime_error("no message box"); }
  } broken;
  EXPECT_FALSE(RunHandler([&] { box.UserClick(); }, broken)) << "nothing escapes, not even from the sink";
}

}  // namespace
}  // namespace varnox
