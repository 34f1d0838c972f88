// The window's Tab order as a keyboard user meets it: the tab strip, the
// shown page in reading order, the buttons, and the options panel's
// controls only while the panel is open.

#include "conf_form_fixture.h"
#include "reg_file_loader.h"

namespace varnox::conf_form_test {
namespace {

using KeyboardOrderTest = ConfFormTest;

std::vector<std::string> Names(const std::vector<Control*>& controls) {
  std::vector<std::string> names;
  for (const Control* control : controls) names.push_back(control->Name());
  return names;
}

TEST_F(KeyboardOrderTest, TabGoesThroughThePageTheButtonsAndAnOpenPanel) {
  LoadRegFile(registry, FixturePath("winxp.reg"));
  TConfForm& window = Open(ScriptedSystem::WinXPSp3());
  window.SetFrameExtents(6, 22);
  auto& pages = Find<TPageControl>("PageControl");
  EXPECT_EQ(Names(window.TabStops()), (std::vector<std::string>{"PageControl", "CancelBtn", "OptionsBtn"}))
      << "the Information page takes no input and OK waits for a change";

  pages.UserSelectTab(Find<TTabSheet>("tsLogon"));
  const std::vector<std::string> logon = Names(window.TabStops());
  // The autologon group's three fields are on one row each with their
  // captions, the group boxes follow each other down the page.
  const std::vector<std::string> head(logon.begin(), logon.begin() + 4);
  EXPECT_EQ(head, (std::vector<std::string>{"PageControl", "LoginNameEdit", "DomainEdit", "PasswordEdit"}));
  const auto at = [&](const std::string& name) { return std::find(logon.begin(), logon.end(), name) - logon.begin(); };
  EXPECT_LT(at("cbDisableCAD"), at("cbClearPageFileAtShutdown"));
  EXPECT_LT(at("cbClearPageFileAtShutdown"), at("edHungApplication"));
  EXPECT_LT(at("edHungApplication"), at("edWaitToKillApp"));
  EXPECT_LT(at("edWaitToKillApp"), at("cbAutoEndTask"));
  EXPECT_EQ(logon.back(), "OptionsBtn");
  EXPECT_EQ(std::find(logon.begin(), logon.end(), "cbSwitchLanguage"), logon.end()) << "the panel is closed";

  // Up in a spin box's field is an arrow click: the group is marked.
  ASSERT_TRUE(Find("edHungApplication").SetFocus());
  const int hung = Find<TUpDown>("udHungApplication").Position();
  EXPECT_TRUE(window.UserKey(DialogKey::Up));
  EXPECT_EQ(Find<TUpDown>("udHungApplication").Position(), hung + 1);
  EXPECT_TRUE(window.Modified(SettingGroup::EndTask));
  EXPECT_TRUE(Find("ApplyBtn").Enabled());

  Find<TButton>("OptionsBtn").UserClick();
  const std::vector<std::string> open = Names(window.TabStops());
  const auto options = std::find(open.begin(), open.end(), "OptionsBtn");
  ASSERT_NE(options, open.end());
  EXPECT_EQ(std::vector<std::string>(options - 2, open.end()),
            (std::vector<std::string>{"ApplyBtn", "CancelBtn", "OptionsBtn", "cbSwitchLanguage", "btnSaveChanges",
                                      "btnBackup", "btnOpenSettings"}));
}

}  // namespace
}  // namespace varnox::conf_form_test
