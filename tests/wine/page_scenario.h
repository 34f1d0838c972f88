#pragma once
// What the end-to-end page scenarios share: the Windows version the run
// emulates, and a fixture that opens the window and runs a scenario on it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "cpl_library.h"
#include "driver/ui_driver.h"

namespace varnox::test {

// "nt40", "win2k", "winxp", ... as the test's registration names it.
inline std::string Version() {
  const char* version = std::getenv("VARNOX_WINVER");
  return version ? version : "";
}

class PageScenario : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cpl_.Loaded()) << cpl_.Path(); }
  // Opens the window, runs the scenario, and fails when no window showed
  // or the window reported an error while opening.
  void Run(const std::function<void(UiDriver&)>& scenario) {
    const bool ran = RunApplet(cpl_, [&](UiDriver& ui) {
      EXPECT_TRUE(ui.CreationMessages().empty()) << "an error box came up while the window opened";
      scenario(ui);
    });
    EXPECT_TRUE(ran) << "the window never showed";
  }

  CplLibrary cpl_;
};

}  // namespace varnox::test
