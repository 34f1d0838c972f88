// The form: making and finding components, buttons and the modal result,
// focus and tab order, pages, menus and the timer.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/toolkit.h"

namespace varnox {
namespace {

class FormTest : public ::testing::Test {
 protected:
  TForm form{"ConfForm"};
  std::vector<std::string> log;
};

TEST_F(FormTest, FindsComponentsByNameAndRefusesTheWrongKind) {
  auto& pages = form.Add<TPageControl>("PageControl");
  auto& sheet = form.Add<TTabSheet>("tsLogon", pages);
  auto& group = form.Add<TGroupBox>("gbAutoLogon", sheet);
  auto& box = form.Add<TCheckBox>("cbDisableCAD", group);

  EXPECT_EQ(&form.Find<TCheckBox>("cbDisableCAD"), &box);
  EXPECT_EQ(&form.Find<Control>("cbDisableCAD"), &box);
  EXPECT_EQ(&form.Find<TForm>("ConfForm"), &form);
  EXPECT_EQ(form.FindComponent("cbMissing"), nullptr);
  EXPECT_THROW(form.Find<TEdit>("cbDisableCAD"), UsageError);
  EXPECT_THROW(form.Find<TCheckBox>("cbMissing"), UsageError);

  EXPECT_EQ(box.ParentControl(), &group);
  EXPECT_EQ(form.Components(), (std::vector<Component*>{&pages, &sheet, &group, &box}));
}

TEST_F(FormTest, AddRefusesBadNamesAndParents) {
  auto& pages = form.Add<TPageControl>("PageControl");
  auto& box = form.Add<TCheckBox>("cbOne");
  auto& menu = form.Add<TPopupMenu>("pmLoginName");

  EXPECT_THROW(form.Add<TCheckBox>("cbOne"), UsageError);
  EXPECT_THROW(form.Add<TCheckBox>("ConfForm"), UsageError);
  EXPECT_THROW(form.Add<TCheckBox>(""), UsageError);
  EXPECT_THROW(form.Add<TCheckBox>("cbInBox", box), UsageError);
  EXPECT_THROW(form.Add<TCheckBox>("cbOnPages", pages), UsageError);
  EXPECT_THROW(form.Add<TTabSheet>("tsLoose"), UsageError);
  EXPECT_THROW(form.Add<TMenuItem>("miLoose"), UsageError);
  EXPECT_THROW(form.Add<TCheckBox>("cbInMenu", menu), UsageError);
  TForm other{"Other"};
  EXPECT_THROW(form.Add<TCheckBox>("cbElsewhere", other), UsageError);

  EXPECT_EQ(form.Components().size(), 3u);
  EXPECT_EQ(form.FindComponent("cbInBox"), nullptr) << "a refused component leaves no trace";
}

TEST_F(FormTest, ButtonSetsModalResultBeforeItsHandlerRuns) {
  auto& ok = form.Add<TBitBtn>("ApplyBtn");
  ok.SetModalResult(mrOk);
  ok.OnClick = [&](Component&) {
    log.push_back("handler sees " + std::to_string(form.ModalResult()));
    form.Close();
    throw std::runtime_error("Failed to set data for 'AutoAdminLogon'");
  };
  EXPECT_THROW(ok.UserClick(), std::runtime_error);
  EXPECT_EQ(log, (std::vector<std::string>{"handler sees 1"}));
  EXPECT_EQ(form.ModalResult(), mrOk) << "Close keeps a result already set";
}

TEST_F(FormTest, CloseWithoutResultCancelsAndPlainButtonsLeaveTheResult) {
  auto& options = form.Add<TButton>("OptionsBtn");
  options.UserClick();
  EXPECT_EQ(form.ModalResult(), mrNone);
  form.Close();
  EXPECT_EQ(form.ModalResult(), mrCancel);
}

TEST_F(FormTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
  auto& ok = form.Add<TBitBtn>("ApplyBtn");
  auto& cancel = form.Add<TBitBtn>("CancelBtn");
  auto& options = form.Add<TButton>("OptionsBtn");
  ok.SetDefault(true);
  ok.SetModalResult(mrOk);
  cancel.SetCancel(true);
  cancel.SetModalResult(mrCancel);
  for (TButton* button : std::vector<TButton*>{&ok, &cancel, &options}) {
    button->OnClick = [&](Component& s) { log.push_back(s.Name()); };
  }

  ok.SetEnabled(false);  // a fresh window: nothing to apply
  EXPECT_FALSE(form.UserKey(DialogKey::Enter));
  ASSERT_TRUE(options.SetFocus());
  EXPECT_TRUE(form.UserKey(DialogKey::Enter)) << "Enter presses the focused button";
  EXPECT_TRUE(form.UserKey(DialogKey::Escape));

  EXPECT_EQ(log, (std::vector<std::string>{"OptionsBtn", "CancelBtn"}));
  EXPECT_EQ(form.ModalResult(), mrCancel);
}

TEST_F(FormTest, TabOrderVisitsFocusableTabStopsDepthFirst) {
  form.SetBounds(0, 0, 365, 393);
  auto& pages = form.Add<TPageControl>("PageControl");
  pages.SetBounds(1, 3, 361, 355);
  auto& info = form.Add<TTabSheet>("tsInformation", pages);
  auto& ide = form.Add<TTabSheet>("tsIDE", pages);
  form.Add<TLabel>("lblOnInfo", info);
  auto& hidden = form.Add<TEdit>("edOnInfo", info);  // on a page that is not active
  auto& group = form.Add<TGroupBox>("gbATAPI", ide);
  auto& first = form.Add<TRadioGroup>("rgATAPI_0", group);
  auto& disabled = form.Add<TRadioGroup>("rgATAPI_1", group);
  disabled.SetTop(20);
  auto& list = form.Add<TListView>("lvDrives", ide);
  list.SetTop(100);
  auto& ok = form.Add<TBitBtn>("ApplyBtn");
  ok.SetTop(363);
  ok.SetTabStop(false);
  disabled.SetEnabled(false);
  pages.SetActivePage(&ide);

  EXPECT_EQ(form.TabStops(), (std::vector<Control*>{&pages, &first, &list}));
  EXPECT_FALSE(hidden.SetFocus()) << "a control on a hidden page cannot take the focus";
  EXPECT_EQ(form.ActiveControl(), nullptr);

  ASSERT_TRUE(list.SetFocus());
  ASSERT_TRUE(form.SelectFirst());
  EXPECT_EQ(form.ActiveControl(), &pages);
  ASSERT_TRUE(form.SelectNext());
  EXPECT_EQ(form.ActiveControl(), &first);
  ASSERT_TRUE(form.SelectNext());
  ASSERT_TRUE(form.SelectNext());
  EXPECT_EQ(form.ActiveControl(), &pages) << "wraps around";
  ASSERT_TRUE(form.SelectNext(false));
  EXPECT_EQ(form.ActiveControl(), &list);

  ASSERT_TRUE(ok.SetFocus()) << "a control that is no tab stop can still be focused directly";
  ASSERT_TRUE(form.SelectNext());
  EXPECT_EQ(form.ActiveControl(), &pages);
  ASSERT_TRUE(form.FocusControl(nullptr));
  EXPECT_FALSE(list.Focused());
}

TEST_F(FormTest, PageControlFiresOnlyOnTheUsersTabSwitch) {
  auto& pages = form.Add<TPageControl>("PageControl");
  auto& info = form.Add<TTabSheet>("tsInformation", pages);
  auto& internet = form.Add<TTabSheet>("tsInternet", pages);
  auto& ide = form.Add<TTabSheet>("tsIDE", pages);
  pages.OnChange = [&](Component&) { log.push_back(pages.ActivePage()->Name()); };
  EXPECT_EQ(pages.ActivePage(), &info) << "the first page starts active";

  pages.SetActivePage(&ide);
  pages.UserSelectTab(ide);  // already active
  pages.UserSelectTab(info);
  internet.SetTabVisible(false);
  pages.UserSelectTab(internet);  // no tab to click
  pages.SetEnabled(false);
  pages.UserSelectTab(ide);

  EXPECT_EQ(log, (std::vector<std::string>{"tsInformation"}));
  EXPECT_EQ(pages.VisibleTabs(), (std::vector<TTabSheet*>{&info, &ide}));
  EXPECT_EQ(ide.PageIndex(), 2);
}

TEST_F(FormTest, HidingTheActiveTabMovesToAnotherVisibleTab) {
  auto& pages = form.Add<TPageControl>("PageControl");
  auto& first = form.Add<TTabSheet>("tsOne", pages);
  auto& second = form.Add<TTabSheet>("tsTwo", pages);
  auto& third = form.Add<TTabSheet>("tsThree", pages);
  pages.SetActivePage(&second);

  second.SetTabVisible(false);
  EXPECT_EQ(pages.ActivePage(), &third);
  third.SetTabVisible(false);
  EXPECT_EQ(pages.ActivePage(), &first);
  first.SetTabVisible(false);
  EXPECT_EQ(pages.ActivePage(), nullptr);
  second.SetTabVisible(true);
  EXPECT_EQ(pages.ActivePage(), &second);
  TForm other{"Other"};
  auto& foreign = other.Add<TTabSheet>("tsForeign", other.Add<TPageControl>("pc"));
  EXPECT_THROW(pages.SetActivePage(&foreign), UsageError);
}

TEST_F(FormTest, PopupFiresOnPopupBeforeAskingTheViewToShow) {
  struct Recorder : ComponentObserver {
    std::vector<std::string>* log;
    void PropertyChanged(Component& c, Property p) override {
      if (p == Property::PopupRequested) {
        auto& menu = static_cast<TPopupMenu&>(c);
        log->push_back("show at " + std::to_string(menu.PopupX()) + "," + std::to_string(menu.PopupY()));
      }
    }
  } view;
  view.log = &log;

  auto& menu = form.Add<TPopupMenu>("pmHidePassword");
  auto& show = form.Add<TMenuItem>("miShowPassword", menu);
  auto& hide = form.Add<TMenuItem>("miHidePassword", menu);
  auto& edit = form.Add<TEdit>("PasswordEdit");
  edit.SetPopupMenu(&menu);
  menu.AddObserver(view);
  menu.OnPopup = [&](Component&) {
    log.push_back("OnPopup");
    hide.SetChecked(true);
  };
  show.OnClick = [&](Component& s) { log.push_back(s.Name()); };

  edit.UserContextMenu(10, 20);
  show.UserClick();
  show.SetEnabled(false);
  show.UserClick();
  edit.SetEnabled(false);
  edit.UserContextMenu(1, 1);  // a disabled control pops up nothing
  menu.RemoveObserver(view);

  EXPECT_EQ(log, (std::vector<std::string>{"OnPopup", "show at 10,20", "miShowPassword"}));
  EXPECT_TRUE(hide.Checked());
  EXPECT_EQ(menu.Items(), (std::vector<TMenuItem*>{&show, &hide}));
}

TEST_F(FormTest, TimerTicksOnlyWhileRunning) {
  auto& timer = form.Add<TTimer>("RunTimer");
  timer.SetInterval(333);
  int ticks = 0;
  timer.OnTimer = [&](Component&) { ++ticks; };
  timer.Tick();
  timer.SetEnabled(false);
  timer.Tick();
  timer.SetEnabled(true);
  timer.SetInterval(0);
  timer.Tick();
  EXPECT_EQ(ticks, 1);
}

TEST_F(FormTest, ObserversHearChangesBeforeHandlersAndNotAfterRemoval) {
  auto& box = form.Add<TCheckBox>("cbAutoPlayCD");
  struct Recorder : ComponentObserver {
    std::vector<std::string>* log;
    void PropertyChanged(Component&, Property p) override { log->push_back(p == Property::State ? "state" : "other"); }
  } view;
  view.log = &log;
  box.AddObserver(view);
  box.AddObserver(view);  // once is enough
  box.OnClick = [&](Component&) { log.push_back("handler"); };

  box.UserClick();
  box.RemoveObserver(view);
  box.UserClick();

  EXPECT_EQ(log, (std::vector<std::string>{"state", "handler", "handler"}));
}

TEST_F(FormTest, ClientSizeStaysWhenTheViewReportsTheFrame) {
  form.SetClientWidth(365);
  form.SetClientHeight(393);
  form.SetFrameExtents(6, 25);
  EXPECT_EQ(form.Height(), 418);
  EXPECT_EQ(form.ClientHeight(), 393);
  form.SetHeight(form.Height() + 53);  // the options panel slides in
  EXPECT_EQ(form.ClientHeight(), 446);
  EXPECT_EQ(form.ClientWidth(), 365);
}

}  // namespace
}  // namespace varnox
