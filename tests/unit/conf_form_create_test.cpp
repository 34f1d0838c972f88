// The creation step: what a freshly opened window shows and holds on the NT
// family and outside it, and the safe state after a failing step.

#include "conf_form_fixture.h"
#include "settings/registry_errors.h"

namespace varnox::conf_form_test {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

ScriptedVersionResource VarnoxResource() {
  ScriptedVersionResource resource;
  resource.translation = 0x04E30419;  // Russian, code page 1251
  resource.strings["\\StringFileInfo\\041904E3\\ProductVersion"] = "1.0 (first release)";
  resource.strings["\\StringFileInfo\\041904E3\\FileVersion"] = "1.0.0.1";
  resource.strings["\\StringFileInfo\\041904E3\\LegalCopyright"] = "The Varnox developers";
  return resource;
}

// A check box on a settings page whose click marks a group, as a page's would.
TCheckBox& AddMarkingBox(TConfForm& form, const std::string& name, SettingGroup group) {
  auto& box = form.Add<TCheckBox>(name, form.Find<TTabSheet>("tsLogon"));
  box.OnClick = [&form, group](Component&) { form.MarkModified(group); };
  return box;
}

using CreateTest = ConfFormTest;

TEST_F(CreateTest, NTWindowOpensFilledWithNothingToSave) {
  ScriptedSystem xp = ScriptedSystem::WinXPSp3();
  xp.versionResources["C:\\WINDOWS\\system32\\varnox.cpl"] = VarnoxResource();
  TConfForm& window = Build(xp);
  // The load sets a box whose handler marks its group and enables OK.
  auto& box = AddMarkingBox(window, "cbLoaded", SettingGroup::Shutdown);
  bool loadedFlagDuringLoad = true;
  bool markedDuringLoad = false;
  window.Frame().AddLoadSection({"test key",
                                 kHkeyLocalMachine,
                                 [&](TRegistry&) {
                                   loadedFlagDuringLoad = window.FLoaded;
                                   box.SetState(cbChecked);
                                   markedDuringLoad = window.Modified(SettingGroup::Shutdown) && OkEnabled();
                                 },
                                 {&box}});
  window.FormCreate();

  EXPECT_TRUE(services.errors.empty());
  EXPECT_FALSE(loadedFlagDuringLoad);
  EXPECT_TRUE(markedDuringLoad);
  EXPECT_TRUE(window.FIsNT);
  EXPECT_TRUE(window.FLoaded);
  EXPECT_TRUE(box.Checked());
  EXPECT_FALSE(OkEnabled());
  EXPECT_FALSE(window.Flags().AnyRaised());

  EXPECT_EQ(Caption("SysLabel"), "Windows XP Professional Edition");
  EXPECT_EQ(Caption("SysVerLabel"), "Version 5.1 ( Build 2600 Service Pack 3 )");
  EXPECT_EQ(Caption("SysPlusLabel"), "");
  EXPECT_EQ(Caption("TotalMemoryLabel"), "524288 Kb");
  EXPECT_EQ(Caption("FreeMemoryLabel"), "204800 Kb");
  EXPECT_EQ(Caption("FileCacheLabel"), "detecting ...");  // until the first tick
  EXPECT_EQ(Caption("ProductVerLabel"), "1.0 (first release)");
  EXPECT_EQ(Caption("FileVerLabel"), "1.0.0.1 ( Control panel applet )");
  EXPECT_EQ(Caption("AuthorLabel"), "The Varnox developers");
  EXPECT_EQ(window.FUserName, "Administrator");

  EXPECT_EQ(ApplicationHints().HidePause(), 7000);
  EXPECT_EQ(Find<TUpDown>("udHintPause").Position(), 7);
  EXPECT_EQ(Caption("stHintPause"), "7");
  EXPECT_TRUE(Find("PageControl").Enabled());
  EXPECT_EQ(services.messagePasses, 0);  // only Windows 2000 lets messages through
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(CreateTest, MemoryAboveFourGigabytes) {
  ScriptedSystem system = ScriptedSystem::Win7X64();
  system.memory = {3 * 1024 * kMiB, 1536 * kMiB + 512};  // half a kilobyte rounds to even
  Open(system);
  EXPECT_EQ(Caption("TotalMemoryLabel"), "3145728 Kb");
  EXPECT_EQ(Caption("FreeMemoryLabel"), "1572864 Kb");
}

// The labels name the applet's own file under every host: the system's
// rundll32.exe, a Control Panel that loads the applet itself, or a 32-bit
// rundll32.exe of a 64-bit Windows. Only the suffix tells the hosts apart.
TEST_F(CreateTest, VersionLabelsComeFromTheLibrarysOwnFileUnderEveryHost) {
  struct Case {
    std::string host;
    std::string suffix;
  };
  const std::vector<Case> cases = {
      {"C:\\WINDOWS\\system32\\rundll32.exe", " ( Control panel applet )"},
      {"C:\\WINDOWS\\system32\\control.exe", " ( Application )"},
      {"C:\\WINDOWS\\SysWOW64\\rundll32.exe", " ( Application )"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.host);
    ScriptedSystem xp = ScriptedSystem::WinXPSp3();
    xp.hostExecutablePath = c.host;
    xp.libraryPath = "C:\\Program Files\\Varnox\\varnox.cpl";
    ScriptedVersionResource host;
    host.translation = 0x04B00409;
    host.strings["\\StringFileInfo\\040904B0\\FileVersion"] = "6.1";
    host.strings["\\StringFileInfo\\040904B0\\LegalCopyright"] = "host";
    xp.versionResources[c.host] = host;
    xp.versionResources[xp.libraryPath] = VarnoxResource();
    Open(xp);
    EXPECT_EQ(Caption("FileVerLabel"), "1.0.0.1" + c.suffix);
    EXPECT_EQ(Caption("ProductVerLabel"), "1.0 (first release)");
    EXPECT_EQ(Caption("AuthorLabel"), "The Varnox developers");
  }
}

TEST_F(CreateTest, NoVersionResourceLeavesOnlyTheHostSuffix) {
  Open(ScriptedSystem::WinXPSp3());
  EXPECT_EQ(Caption("ProductVerLabel"), "");
  EXPECT_EQ(Caption("FileVerLabel"), " ( Control panel applet )");
  EXPECT_EQ(Caption("AuthorLabel"), "");
}

TEST_F(CreateTest, Windows2000LetsMessagesThrough106Times) {
  Open(ScriptedSystem::Win2000Professional());
  EXPECT_EQ(services.messagePasses, 106);
}

TEST_F(CreateTest, CurrentUserItemDisabledOnlyWhenTheNameCannotBeRead) {
  for (const bool nameKnown : {true, false}) {
    SCOPED_TRACE(nameKnown);
    ScriptedSystem xp = ScriptedSystem::WinXPSp3();
    if (!nameKnown) xp.userName = std::nullopt;
    TConfForm& window = Build(xp);
    // The Logon page brings the menu; without that page the test provides it.
    auto* item = dynamic_cast<TMenuItem*>(window.FindComponent("miCurrentUser"));
    if (item == nullptr) item = &window.Add<TMenuItem>("miCurrentUser", window.Add<TPopupMenu>("pmLoginName"));
    window.FormCreate();
    EXPECT_EQ(item->Enabled(), nameKnown);
    EXPECT_EQ(item->Caption(),
              nameKnown ? "Type current user name here (\"Administrator\")" : "Type current user name here (\"\")");
  }
}

TEST_F(CreateTest, Windows98GetsTheWarningsAndLoadsNothing) {
  TConfForm& window = Build(ScriptedSystem::Win98SE());
  bool loaded = false;
  window.Frame().AddLoadSection({"test key", kHkeyLocalMachine, [&](TRegistry&) { loaded = true; }, {}});
  window.FormCreate();

  EXPECT_FALSE(loaded);
  EXPECT_FALSE(window.FIsNT);
  EXPECT_FALSE(window.FLoaded);
  EXPECT_TRUE(OkEnabled());
  EXPECT_FALSE(Find("PageControl").Enabled());
  EXPECT_FALSE(Find("lblURL").AcceptsInput());
  EXPECT_TRUE(Find("OptionsBtn").AcceptsInput());
  EXPECT_EQ(Caption("SysLabel"), "Microsoft Windows 98 Second Edition");
  for (const char* caption : {"lblProductVer", "lblFileVer", "lblAuthor"}) {
    EXPECT_EQ(Find(caption).FontStyle(), static_cast<TFontStyles>(fsStrikeOut)) << caption;
  }
  EXPECT_EQ(Caption("ProductVerLabel"), " Warning !");
  EXPECT_EQ(Caption("FileVerLabel"), " This program designed specially for Windows NT.");
  EXPECT_EQ(Caption("AuthorLabel"), " Do not use under Windows 95/98 or Windows ME.");
  for (const char* warning : {"ProductVerLabel", "FileVerLabel", "AuthorLabel"}) {
    EXPECT_EQ(Find(warning).FontColor(), clRed) << warning;
  }
  // Texts are applied on every platform; the hint time is left alone.
  EXPECT_EQ(Caption("lblVisible"), "Hints visible");
  EXPECT_EQ(ApplicationHints().HidePause(), HintSettings::kDefaultHidePause);
  EXPECT_EQ(Caption("stHintPause"), "2");

  Find<TTimer>("RunTimer").Tick();
  EXPECT_EQ(Caption("FileCacheLabel"), "File cache information not available");
  EXPECT_EQ(Caption("FreeMemoryLabel"), "40960 Kb");
}

TEST_F(CreateTest, LoadErrorLeavesNothingUnreadToSave) {
  TConfForm& window = Build(ScriptedSystem::Win2000Professional());
  auto& first = AddMarkingBox(window, "cbFirst", SettingGroup::AutoLogon);
  auto& failing = AddMarkingBox(window, "cbFailing", SettingGroup::Shutdown);
  auto& later = AddMarkingBox(window, "cbLater", SettingGroup::EndTask);
  // A handler that, like some pages', reacts only to changes after the load.
  auto& guarded = window.Add<TCheckBox>("cbGuarded", window.Find<TTabSheet>("tsLogon"));
  guarded.OnClick = [&window](Component&) {
    if (window.FLoaded) window.MarkModified(SettingGroup::PagingExecutive);
  };
  window.Frame().AddLoadSection({"first",
                                 kHkeyLocalMachine,
                                 [&](TRegistry& reg) {
                                   reg.OpenKey("SOFTWARE", false);
                                   first.SetState(cbChecked);
                                 },
                                 {&first, &guarded}});
  window.Frame().AddLoadSection({"failing",
                                 kHkeyLocalMachine,
                                 [&](TRegistry& reg) {
                                   failing.SetState(cbChecked);
                                   reg.OpenKey("SOFTWARE", false);
                                   throw FailedToGetData("HungAppTimeout");
                                 },
                                 {&failing}});
  bool laterLoaded = false;
  window.Frame().AddLoadSection({"later", kHkeyCurrentUser, [&](TRegistry&) { laterLoaded = true; }, {&later}});
  registry.CreateKeyPath(kHkeyLocalMachine, "SOFTWARE");
  window.FormCreate();

  EXPECT_EQ(services.errors, std::vector<std::string>{"Failed to get data for 'HungAppTimeout'"});
  EXPECT_FALSE(laterLoaded);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
  EXPECT_FALSE(OkEnabled());
  EXPECT_FALSE(window.Flags().AnyRaised());
  EXPECT_TRUE(first.Enabled());
  EXPECT_TRUE(first.Checked());
  EXPECT_FALSE(failing.Enabled());
  EXPECT_FALSE(later.Enabled());
  EXPECT_EQ(later.State(), cbUnchecked);
  EXPECT_EQ(services.messagePasses, 0);  // creation stopped where it failed
  EXPECT_TRUE(Find("PageControl").Enabled());

  // What did load stays editable, and the user's changes count.
  guarded.UserClick();
  EXPECT_TRUE(OkEnabled());
  EXPECT_TRUE(window.Modified(SettingGroup::PagingExecutive));
  later.UserClick();
  EXPECT_FALSE(window.Modified(SettingGroup::EndTask));
}

TEST_F(CreateTest, ErrorBeforeTheLoadDisablesEverySection) {
  for (const bool nt : {true, false}) {
    SCOPED_TRACE(nt ? "NT" : "98");
    registry.SetDword(kHkeyLocalMachine, kCurrentVersion, "SubVersionNumber", 1);
    TConfForm& window = Build(nt ? ScriptedSystem::WinXPSp3() : ScriptedSystem::Win98SE());
    auto& box = AddMarkingBox(window, "cbSection", SettingGroup::AutoLogon);
    bool loaded = false;
    window.Frame().AddLoadSection({"only", kHkeyLocalMachine, [&](TRegistry&) { loaded = true; }, {&box}});
    services.errors.clear();
    window.FormCreate();

    EXPECT_EQ(services.errors, std::vector<std::string>{"Invalid data type for 'SubVersionNumber'"});
    EXPECT_FALSE(loaded);
    EXPECT_FALSE(box.Enabled());
    EXPECT_FALSE(OkEnabled());
    EXPECT_EQ(Find("PageControl").Enabled(), nt);
    // The window still speaks its language and scrolls its line.
    EXPECT_EQ(Caption("lblVisible"), "Hints visible");
    EXPECT_FALSE(window.FMarqueeText.empty());
  }
}

}  // namespace
}  // namespace varnox::conf_form_test
