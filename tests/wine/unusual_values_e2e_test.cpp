// Values real machines hold that the pages' controls cannot show as they
// are: the window opens on them without a message, with every page loaded,
// and keeps them through OK until the user changes their very control.

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include "page_scenario.h"
#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kDesktop[] = "Control Panel\\Desktop";

int NativePosition(const UiDriver& ui, const std::string& name) {
  return static_cast<int>(SendMessageW(ui.Find(name), UDM_GETPOS32, 0, 0));
}

class UnusualValues : public PageScenario {};

// A real XP profile's end-task timeout of 40000 ms, past the spinner's top.
TEST_F(UnusualValues, AHungAppTimeoutPastTheSpinnerLoadsEveryPageAndStaysAsStored) {
  ASSERT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "HungAppTimeout"), "40000");
  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Logon");
    EXPECT_EQ(ui.Text("edHungApplication"), L"40000");
    EXPECT_EQ(NativePosition(ui, "udHungApplication"), 32767);
    // Each later page shows what its load read, not its design state.
    ui.SelectTab("PageControl", L"Memory management");
    EXPECT_EQ(ui.CheckState("rbServer1"), BST_CHECKED);
    ui.SelectTab("PageControl", L"Network");
    EXPECT_EQ(ui.Text("lblDiskAlert"), L"Create this value in registry");
    ui.SelectTab("PageControl", L"Security");
    EXPECT_EQ(ui.Text("lblSyskey"), L"accounts database crypted.");
    ui.SelectTab("PageControl", L"IDE/ATAPI");
    EXPECT_EQ(ui.Text("lblATAPIload"), L"MS Atapi driver started");
    ui.SelectTab("PageControl", L"Explorer");
    EXPECT_EQ(ui.CheckState("cbMinAnimate"), BST_CHECKED);
    ui.SelectTab("PageControl", L"Other");
    EXPECT_EQ(ui.Text("edRegOwner"), L"Tester");
    ui.SelectTab("PageControl", L"System tools");
    EXPECT_EQ(ui.CheckState("rbPrefetch4"), BST_CHECKED);
    EXPECT_FALSE(ui.Enabled("ApplyBtn"));

    ui.SelectTab("PageControl", L"Logon");
    ui.Click("cbAutoEndTask");
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "AutoEndTasks"), "1");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "HungAppTimeout"), "40000") << "its spinner was left alone";

  Run([](UiDriver& ui) {
    ui.SelectTab("PageControl", L"Logon");
    ui.ArrowClick("udHungApplication", false);
    EXPECT_EQ(ui.Text("edHungApplication"), L"32766");
    ui.Click("ApplyBtn");
  });
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kDesktop, "HungAppTimeout"), "32766");
}

}  // namespace
}  // namespace varnox::test
