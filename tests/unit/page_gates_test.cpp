#include <gtest/gtest.h>

#include "page_test_fixture.h"
#include "reg_file_loader.h"

namespace varnox::test {
namespace {

class PageGates : public PageTest {};

TEST_F(PageGates, InternetLivesOnlyOnNt4AndIdeOnlyUpToWindows2003) {
  struct Case {
    const char* fixture;
    ScriptedSystem (*system)();
    bool internet;
    bool ide;
  } cases[] = {
      {"nt40.reg", &ScriptedSystem::WinNT4Sp6Workstation, true, true},
      {"win2k.reg", &ScriptedSystem::Win2000Professional, false, true},
      {"winxp.reg", &ScriptedSystem::WinXPSp3, false, true},
      {"win2003.reg", &ScriptedSystem::Win2003Server, false, true},
      {"vista.reg", &ScriptedSystem::WinVista, false, false},
      {"win7.reg", &ScriptedSystem::Win7X64, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    LoadRegFile(registry, FixturePath(c.fixture));
    Open(c.system());
    ASSERT_TRUE(services.errors.empty()) << services.errors.front();
    auto& internet = Find<TTabSheet>("tsInternet");
    auto& ide = Find<TTabSheet>("tsIDE");
    EXPECT_EQ(internet.TabVisible(), c.internet);
    EXPECT_EQ(internet.Enabled(), c.internet);
    EXPECT_EQ(ide.TabVisible(), c.ide);
    EXPECT_EQ(ide.Enabled(), c.ide);
    const auto tabs = Find<TPageControl>("PageControl").VisibleTabs();
    EXPECT_EQ(tabs.size(), 8u + c.internet + c.ide);
  }
}

TEST_F(PageGates, Windows98KeepsEveryTabBehindTheDisabledPageControl) {
  Open(ScriptedSystem::Win98SE());
  EXPECT_EQ(Find<TPageControl>("PageControl").VisibleTabs().size(), 10u);
  EXPECT_FALSE(Find<TPageControl>("PageControl").Enabled());
}

}  // namespace
}  // namespace varnox::test
