#pragma once
// Switches the pages of a window's tab control from inside its thread, as a
// click on a tab does (the tab control selects the tab and tells its parent),
// and times each switch to the end of the paint that follows.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace varnox::bench {

struct PageVisit {
  std::string caption;  // UTF-8
  double milliseconds = 0;
};

// Visits every tab but the one shown, in order, each once; `visited` (may
// be empty) runs after each visit, outside its time.
std::vector<PageVisit> VisitEveryPage(HWND window, const std::function<void(const PageVisit&)>& visited = {});
// Goes back to the first tab.
void ShowFirstPage(HWND window);

}  // namespace varnox::bench
