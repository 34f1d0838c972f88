// The open window: timer, options panel, links, page changes, OK and Cancel.

#include "conf_form_fixture.h"
#include "settings/registry.h"
#include "window/texts/contact.h"
#include "window/texts/language_texts.h"

namespace varnox::conf_form_test {
namespace {

std::size_t Utf8Characters(const std::string& text) {
  std::size_t count = 0;
  for (const char byte : text) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

using EventsTest = ConfFormTest;

TEST_F(EventsTest, MarqueeShowsFiftyCharactersAndComesRoundAgain) {
  for (const std::uint32_t locale : {0x0409u, 0x0419u}) {
    SCOPED_TRACE(locale);
    RecordLibraryLoadLocale(locale);
    TConfForm& window = Open(ScriptedSystem::WinXPSp3());
    const std::string start = window.FMarqueeText;
    const std::size_t characters = Utf8Characters(start);
    ASSERT_GT(characters, 50u);
    auto& timer = Find<TTimer>("RunTimer");
    for (std::size_t tick = 1; tick <= characters; ++tick) {
      timer.Tick();
      ASSERT_EQ(Utf8Characters(Caption("RunLabel")), 50u) << "tick " << tick;
      ASSERT_EQ(window.FMarqueeText == start, tick == characters) << "tick " << tick;
    }
    EXPECT_EQ(Caption("RunLabel"), LeadingCharacters(start, 50));
  }
}

TEST_F(EventsTest, TickRefreshesTheReadOutAndUndoesMaximising) {
  TConfForm& window = Open(ScriptedSystem::WinXPSp3());
  system.memory = {1024ull * 1024 * 1024, 300ull * 1024 * 1024};
  window.SetWindowState(WindowState::Maximized);
  Find<TTimer>("RunTimer").Tick();
  EXPECT_EQ(window.GetWindowState(), WindowState::Normal);
  EXPECT_EQ(Caption("FreeMemoryLabel"), "307200 Kb");
  EXPECT_EQ(Caption("TotalMemoryLabel"), "524288 Kb");  // read once, at creation
  EXPECT_EQ(Caption("FileCacheLabel"), "49152 Kb ( peak size 98304 Kb )");
  EXPECT_EQ(Caption("LoadSystemTimeLabel"), "0 days, 01:23:45  ");
  EXPECT_EQ(Find<TTimer>("RunTimer").Interval(), 333u);
}

TEST_F(EventsTest, OptionsPanelSlidesOpenAndBackToTheFirstHeight) {
  for (const bool nt : {true, false}) {
    SCOPED_TRACE(nt ? "NT" : "98");
    TConfForm& window = Build(nt ? ScriptedSystem::WinXPSp3() : ScriptedSystem::Win98SE());
    window.SetFrameExtents(6, 22);  // as the view reports a tool window's frame
    window.FormCreate();
    const int first = window.Height();
    ASSERT_EQ(window.FNormalHeight, first);
    EXPECT_EQ(window.ClientHeight(), 393);
    auto& button = Find<TButton>("OptionsBtn");
    system.sleeps.clear();
    services.repaints = services.messagePasses = 0;

    button.UserClick();
    EXPECT_EQ(window.Height(), first + 80 + 8);
    EXPECT_EQ(button.Caption(), "Options <");
    EXPECT_EQ(services.repaints, 88);
    EXPECT_EQ(services.messagePasses, 88);
    EXPECT_EQ(system.sleeps, nt ? std::vector<std::uint32_t>(88, 1) : std::vector<std::uint32_t>{});

    button.UserClick();
    EXPECT_EQ(window.Height(), first);
    EXPECT_EQ(button.Caption(), "Options >");
    EXPECT_EQ(services.repaints, 176);
  }
}

TEST_F(EventsTest, SecondClickDuringTheSlideEndsAtTheSameHeight) {
  TConfForm& window = Open(ScriptedSystem::WinXPSp3());
  auto& button = Find<TButton>("OptionsBtn");
  bool clicked = false;
  services.duringMessages = [&] {
    if (clicked) return;
    clicked = true;
    button.UserClick();
  };
  button.UserClick();
  EXPECT_EQ(window.Height(), window.FNormalHeight + 88);
  EXPECT_EQ(button.Caption(), "Options <");
  EXPECT_EQ(services.repaints, 88);

  // A height past the goal (the screen may have its say) ends the slide too.
  window.SetHeight(window.FNormalHeight - 5);
  services.duringMessages = nullptr;
  button.UserClick();
  EXPECT_EQ(window.Height(), window.FNormalHeight - 5);
  EXPECT_EQ(button.Caption(), "Options >");
}

TEST_F(EventsTest, LinksOpenThePageAndTheMailProgram) {
  Open(ScriptedSystem::WinXPSp3());
  services.cursorX = 420;
  services.cursorY = 310;
  Find("lblURL").UserClick();
  auto& menu = Find<TPopupMenu>("pmSelectURL");
  EXPECT_EQ(menu.PopupX(), 420);
  EXPECT_EQ(menu.PopupY(), 310);
  ASSERT_EQ(menu.Items().size(), 1u);
  EXPECT_EQ(menu.Items()[0]->Caption(), "site on Velmo");
  menu.Items()[0]->UserClick();
  Find("lblEMail").UserClick();
  EXPECT_EQ(system.shellOpened,
            (std::vector<std::string>{kWebPageAddress, std::string("mailto:") + kMaintainerEmail + "?subject=Varnox"}));
  EXPECT_EQ(Caption("lblEMail"), kMaintainerEmail);
  EXPECT_EQ(Caption("lblURL"), "varnox page");
}

TEST_F(EventsTest, LinksTakeNoInputOutsideTheNTFamily) {
  Open(ScriptedSystem::Win98SE());
  Find("lblEMail").UserClick();
  Find("lblURL").UserClick();
  EXPECT_TRUE(system.shellOpened.empty());
  EXPECT_EQ(Find<TPopupMenu>("pmSelectURL").PopupX(), 0);
}

TEST_F(EventsTest, HoveredLinkIsBlueAndUnderlinedTheOtherNavy) {
  Open(ScriptedSystem::WinXPSp3());
  auto& url = Find("lblURL");
  auto& mail = Find("lblEMail");
  const auto expect = [&](bool urlHot, bool mailHot) {
    EXPECT_EQ(url.FontColor(), urlHot ? clBlue : clNavy);
    EXPECT_EQ(url.FontStyle(), urlHot ? fsItalic | fsUnderline : static_cast<TFontStyles>(fsItalic));
    EXPECT_EQ(mail.FontColor(), mailHot ? clBlue : clNavy);
    EXPECT_EQ(mail.FontStyle(), mailHot ? fsItalic | fsUnderline : static_cast<TFontStyles>(fsItalic));
  };
  url.UserMouseMove(0, 3, 3);
  expect(true, false);
  mail.UserMouseMove(0, 3, 3);
  expect(false, true);
  for (const char* plain : {"Label12", "Label17", "gbInet", "PageControl", "ConfForm"}) {
    SCOPED_TRACE(plain);
    url.UserMouseMove(0, 3, 3);
    Find(plain).UserMouseMove(0, 3, 3);
    expect(false, false);
  }
}

// The control a page brings, or a stand-in while that page is not built.
template <class T>
T& PageControlNamed(TConfForm& window, const std::string& name, const std::string& sheet) {
  if (auto* existing = dynamic_cast<T*>(window.FindComponent(name))) return *existing;
  return window.Add<T>(name, window.Find<TTabSheet>(sheet));
}

TEST_F(EventsTest, PageChangeSettlesTheFocusAndSetsUpInternetAndIde) {
  // NT 4.0 shows both the Internet and the IDE/ATAPI page.
  TConfForm& window = Build(ScriptedSystem::WinNT4Sp6Workstation());
  auto& profiles = PageControlNamed<TComboBox>(window, "cbTCPProfile", "tsInternet");
  profiles.SetItems({"Adapter one", "Adapter two"});
  int profileChanges = 0;
  profiles.OnChange = [&](Component&) { ++profileChanges; };
  auto& drives = PageControlNamed<TListView>(window, "lvDrives", "tsIDE");
  int shown = 0;
  drives.OnClick = [&](Component&) { ++shown; };
  window.FormCreate();
  auto& pages = Find<TPageControl>("PageControl");

  // The handler leaves no control focused; from a button the focus goes to
  // the new page's first input, from the tab strip it stays there.
  ASSERT_TRUE(window.FocusControl(&Find("CancelBtn")));
  pages.UserSelectTab(Find<TTabSheet>("tsLogon"));
  ASSERT_GE(window.TabStops().size(), 2u);
  EXPECT_EQ(window.TabStops()[0], &pages);
  EXPECT_EQ(window.ActiveControl(), window.TabStops()[1]) << "the first input after the tab strip";
  EXPECT_EQ(window.ActiveControl()->Name(), "cbDisableCAD") << "the autologon fields are off here";
  ASSERT_TRUE(pages.SetFocus());
  pages.UserSelectTab(Find<TTabSheet>("tsMemory"));
  EXPECT_EQ(window.ActiveControl(), &pages);

  profiles.SetEnabled(true);
  pages.UserSelectTab(Find<TTabSheet>("tsInternet"));
  ASSERT_EQ(pages.ActivePage(), &Find<TTabSheet>("tsInternet"));
  EXPECT_EQ(profiles.ItemIndex(), 0);
  EXPECT_EQ(profileChanges, 1) << "the first adapter is shown along with its selection";
  EXPECT_EQ(window.ActiveControl(), &pages);

  // No device yet: nothing to select or show.
  drives.Clear();
  drives.SetEnabled(true);
  pages.UserSelectTab(Find<TTabSheet>("tsIDE"));
  ASSERT_EQ(pages.ActivePage(), &Find<TTabSheet>("tsIDE"));
  EXPECT_EQ(shown, 0);
  drives.AddItem({"Primary master", {"atapi"}, 0});
  drives.AddItem({"Primary slave", {"atapi"}, 0});
  pages.UserSelectTab(Find<TTabSheet>("tsOther"));
  pages.UserSelectTab(Find<TTabSheet>("tsIDE"));
  EXPECT_EQ(drives.Selected(), 0);
  EXPECT_EQ(drives.ItemFocused(), 0);
  EXPECT_EQ(shown, 1);

  // A disabled profile list cannot take the focus; the step goes on without it.
  profiles.SetItemIndex(1);
  profiles.SetEnabled(false);
  ASSERT_TRUE(window.FocusControl(&Find("CancelBtn")));
  pages.UserSelectTab(Find<TTabSheet>("tsInternet"));
  EXPECT_EQ(profiles.ItemIndex(), 0);
  ASSERT_NE(window.ActiveControl(), nullptr);
  EXPECT_TRUE(window.ActiveControl()->CanFocus());
  EXPECT_NE(window.ActiveControl(), &profiles);
}

TEST_F(EventsTest, ShowingPagesMarksNothingChangesDo) {
  TConfForm& window = Build(ScriptedSystem::WinXPSp3());
  auto& sheet = window.Find<TTabSheet>("tsNetWork");
  auto& edit = window.Add<TEdit>("edTest", sheet);
  auto& spinner = window.Add<TUpDown>("udTest", sheet);
  spinner.SetAssociate(&edit);
  spinner.OnChanging = [&window](Component&, bool&) { window.MarkModified(SettingGroup::DiskSpace); };
  window.Frame().AddLoadSection({"spinner", kHkeyLocalMachine, [&](TRegistry&) { spinner.SetPosition(90); }, {}});
  window.FormCreate();

  auto& pages = Find<TPageControl>("PageControl");
  for (TTabSheet* page : pages.Pages()) pages.UserSelectTab(*page);
  EXPECT_FALSE(OkEnabled());
  EXPECT_FALSE(window.Flags().AnyRaised());
  EXPECT_EQ(edit.Text(), "90");

  spinner.UserArrowClick(UpDownButton::Up);
  EXPECT_TRUE(OkEnabled());
  EXPECT_TRUE(window.Modified(SettingGroup::DiskSpace));
}

TEST_F(EventsTest, SaveErrorIsShownAndTheWindowStillCloses) {
  constexpr char kKey[] = "SOFTWARE\\Test";
  registry.CreateKeyPath(kHkeyLocalMachine, kKey);
  registry.FailCalls("SetValue", "Second", kErrorAccessDenied);
  TConfForm& window = Build(ScriptedSystem::WinXPSp3());
  const auto writer = [&](const char* name) {
    return [&, name](TRegistry& reg) {
      if (reg.OpenKey(kKey, false)) reg.WriteDword(name, 1);
    };
  };
  window.Frame().AddSaveGroup({SettingGroup::Mouse, kHkeyLocalMachine, writer("Third"), {}});
  window.Frame().AddSaveGroup({SettingGroup::AutoLogon, kHkeyLocalMachine, writer("First"), {}});
  window.Frame().AddSaveGroup({SettingGroup::Shutdown, kHkeyLocalMachine, writer("Second"), {}});
  window.FormCreate();
  for (SettingGroup group : {SettingGroup::AutoLogon, SettingGroup::Shutdown, SettingGroup::Mouse}) {
    window.MarkModified(group);
  }

  Find("ApplyBtn").UserClick();
  EXPECT_EQ(services.errors, std::vector<std::string>{"Failed to set data for 'Second'"});
  EXPECT_EQ(window.ModalResult(), mrOk);
  EXPECT_TRUE(registry.Dword(kHkeyLocalMachine, kKey, "First").has_value());
  EXPECT_FALSE(registry.Value(kHkeyLocalMachine, kKey, "Third").has_value());
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(EventsTest, CancelWritesNothing) {
  TConfForm& window = Build(ScriptedSystem::WinXPSp3());
  bool saved = false;
  window.Frame().AddSaveGroup({SettingGroup::AutoLogon, kHkeyLocalMachine, [&](TRegistry&) { saved = true; }, {}});
  window.FormCreate();
  window.MarkModified(SettingGroup::AutoLogon);
  ASSERT_TRUE(OkEnabled());
  EXPECT_TRUE(window.UserKey(DialogKey::Escape));
  EXPECT_EQ(window.ModalResult(), mrCancel);
  EXPECT_FALSE(saved);
}

}  // namespace
}  // namespace varnox::conf_form_test
