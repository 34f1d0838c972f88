#include "changed_pages.h"

#include <iterator>
#include <vector>

#include "page_scenario.h"

namespace varnox::test {

void ChangeEveryPage(UiDriver& ui) {
  const auto clickIfEnabled = [&ui](const char* name) {
    if (ui.Enabled(name)) ui.Click(name);
  };
  ui.SelectTab("PageControl", L"Logon");
  clickIfEnabled("cbClearPageFileAtShutdown");
  clickIfEnabled("cbAutoEndTask");
  if (ui.Enabled("DomainEdit")) ui.Type("DomainEdit", L"W\u00d6RKGROUP");
  ui.SelectTab("PageControl", L"Memory management");
  clickIfEnabled("cbDisablePagingExecutive");
  ui.SelectTab("PageControl", L"Network");
  clickIfEnabled("cbHideServer");
  if (Version() == "nt40") {
    ui.SelectTab("PageControl", L"Internet");
    if (ui.Enabled("edMTU")) ui.Type("edMTU", L"1400");
  }
  ui.SelectTab("PageControl", L"Security");
  clickIfEnabled("cbProtectionMode");
  if (Version() == "nt40") {
    ui.SelectTab("PageControl", L"IDE/ATAPI");
    // The third level of the first channel: its keys do not exist yet.
    HWND group = ui.Find("rgATAPI_0");
    HWND item = GetWindow(GetWindow(GetWindow(group, GW_CHILD), GW_HWNDNEXT), GW_HWNDNEXT);
    if (item) SendMessageW(item, BM_CLICK, 0, 0);
  }
  ui.SelectTab("PageControl", L"Explorer");
  clickIfEnabled("cbNoRun");
  clickIfEnabled("cbMinAnimate");
  ui.SelectTab("PageControl", L"Other");
  clickIfEnabled("cbNTFSDisableLAU");
  if (ui.Enabled("edRegOwner")) ui.Type("edRegOwner", L"J\u00f6rg \"Quoted\" \\ M\u00fcller");
  ui.SelectTab("PageControl", L"System tools");
  clickIfEnabled("rbPrefetch1");
  ui.SelectTab("PageControl", L"Information");
}

// What the controls ChangeEveryPage acts on show, by name: a check state or
// a text, read from the native controls (each page is visited first, so
// its windows exist).

Shown ShownStates(UiDriver& ui) {
  std::vector<ShownRow> rows(std::begin(kShownRows), std::end(kShownRows));
  if (Version() == "nt40") rows.push_back({L"Internet", "edMTU", true, L"\\MTU"});
  Shown shown;
  for (const ShownRow& row : rows) {
    ui.SelectTab("PageControl", row.tab);
    shown[row.control] = row.text ? ui.Text(row.control) : std::to_wstring(ui.CheckState(row.control));
  }
  if (Version() == "nt40") {
    ui.SelectTab("PageControl", L"IDE/ATAPI");
    HWND group = ui.Find("rgATAPI_0");
    HWND item = GetWindow(GetWindow(GetWindow(group, GW_CHILD), GW_HWNDNEXT), GW_HWNDNEXT);
    shown["rgATAPI_0 item 2"] = std::to_wstring(SendMessageW(item, BM_GETCHECK, 0, 0));
  }
  ui.SelectTab("PageControl", L"Information");
  return shown;
}

std::wstring Describe(const Shown& shown) {
  std::wstring text;
  for (const auto& [name, state] : shown) text += std::wstring(name.begin(), name.end()) + L"=" + state + L"\n";
  return text;
}

}  // namespace varnox::test
