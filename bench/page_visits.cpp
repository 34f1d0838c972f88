#include "page_visits.h"

#include <commctrl.h>

#include "opening_probe.h"

namespace varnox::bench {

namespace {

BOOL CALLBACK MatchTabControl(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (lstrcmpiW(name, WC_TABCONTROLW) != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND TabControlOf(HWND window) {
  HWND tabs = nullptr;
  EnumChildWindows(window, &MatchTabControl, reinterpret_cast<LPARAM>(&tabs));
  return tabs;
}

void SelectTab(HWND tabs, int index) {
  SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  NMHDR header = {};
  header.hwndFrom = tabs;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(tabs));
  header.code = TCN_SELCHANGE;
  SendMessageW(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

std::string CaptionOf(HWND tabs, int index) {
  wchar_t text[256] = {};
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 256;
  SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  char caption[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, caption, sizeof caption, nullptr, nullptr);
  return caption;
}

}  // namespace

std::vector<PageVisit> VisitEveryPage(HWND window, const std::function<void(const PageVisit&)>& visited) {
  std::vector<PageVisit> visits;
  HWND tabs = TabControlOf(window);
  if (!tabs) return visits;
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  const int shown = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (i == shown) continue;
    TraceMark(("@page visit " + CaptionOf(tabs, i)).c_str());
    const LONGLONG start = Now();
    SelectTab(tabs, i);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    TraceMark("@page end");
    visits.push_back({CaptionOf(tabs, i), Milliseconds(Now() - start)});
    if (visited) visited(visits.back());
  }
  return visits;
}

void ShowFirstPage(HWND window) {
  if (HWND tabs = TabControlOf(window)) SelectTab(tabs, 0);
}

}  // namespace varnox::bench
