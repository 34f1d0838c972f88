#include "bare_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace varnox::bench {

namespace {

constexpr wchar_t kTopClass[] = L"VarnoxBench.BareWindow";

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

bool IsClass(const std::wstring& name, const wchar_t* kind) { return lstrcmpiW(name.c_str(), kind) == 0; }

// A class of the library's own: made again here with the same attributes.
void CopyClass(HWND window, const std::wstring& name) {
  WNDCLASSEXW copy = {sizeof copy};
  copy.style = static_cast<UINT>(GetClassLongPtrW(window, GCL_STYLE));
  copy.lpfnWndProc = &DefWindowProcW;
  copy.hInstance = GetModuleHandleW(nullptr);
  copy.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  copy.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  copy.lpszClassName = name.c_str();
  RegisterClassExW(&copy);
}

}  // namespace

struct BareWindow::Recording {
  struct Child {
    std::wstring className;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT bounds = {};  // in the parent's client area
    int parent = -1;   // index of the parent child, -1 for the top-level window
    int font = -1;     // index into fonts
    // What the kind holds.
    std::vector<std::wstring> items;              // tabs, combo items, list columns
    std::vector<std::vector<std::wstring>> rows;  // list items with their sub-items
    int selected = -1;
    int low = 0, high = 0, position = 0;  // up-down and track bar
    int buddy = -1;
    LRESULT check = 0;
    HANDLE picture = nullptr;
    UINT pictureType = IMAGE_BITMAP;
  };
  // What a visit of a page added: its controls (their parents and buddies
  // count the recorded controls first, then these), and what it changed of
  // the recorded ones.
  struct Page {
    std::string caption;
    std::vector<Child> children;
    std::vector<std::pair<std::size_t, bool>> shows;  // recorded controls shown or hidden
    std::vector<std::pair<std::size_t, int>> tabs;    // recorded tab controls and the tab selected
    // The step's outermost windows that show: they are made hidden and
    // shown once their contents exist, so nothing draws while it is made.
    std::vector<std::size_t> roots;
  };
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT bounds = {};
  std::wstring caption;
  std::vector<LOGFONTW> fonts;
  std::vector<Child> children;
  std::vector<Page> pages;
  std::vector<HWND> recorded;  // the original windows of the first recording, then of a step while it records
  std::vector<HWND> seen;      // every original window recorded, first or in a step

  HWND top = nullptr;
  std::vector<HWND> built;
  std::vector<HFONT> madeFonts;
  HANDLE context = INVALID_HANDLE_VALUE;

  int FontIndex(HFONT font) {
    if (!font) return -1;
    LOGFONTW logFont = {};
    if (!GetObjectW(font, sizeof logFont, &logFont)) return -1;
    for (std::size_t i = 0; i < fonts.size(); ++i) {
      if (std::memcmp(&fonts[i], &logFont, sizeof logFont) == 0) return static_cast<int>(i);
    }
    fonts.push_back(logFont);
    return static_cast<int>(fonts.size() - 1);
  }

  int IndexOf(HWND window) const {
    const auto found = std::find(recorded.begin(), recorded.end(), window);
    return found == recorded.end() ? -1 : static_cast<int>(found - recorded.begin());
  }

  static BOOL CALLBACK Add(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
  }

  void RecordKind(HWND window, Child& child) {
    const std::wstring& kind = child.className;
    wchar_t text[512];
    if (IsClass(kind, WC_TABCONTROLW)) {
      const int count = static_cast<int>(SendMessageW(window, TCM_GETITEMCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 512;
        text[0] = 0;
        SendMessageW(window, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        child.items.emplace_back(text);
      }
      child.selected = static_cast<int>(SendMessageW(window, TCM_GETCURSEL, 0, 0));
    } else if (IsClass(kind, WC_COMBOBOXW)) {
      const int count = static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        const auto length = SendMessageW(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(window, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(std::wcslen(item.c_str()));
        child.items.push_back(item);
      }
      child.selected = static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
    } else if (IsClass(kind, WC_LISTVIEWW)) {
      for (int column = 0;; ++column) {
        LVCOLUMNW info = {};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = text;
        info.cchTextMax = 512;
        text[0] = 0;
        if (!SendMessageW(window, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info))) break;
        child.items.emplace_back(text);
        child.low = info.cx;  // the column width, one for all
      }
      const int count = static_cast<int>(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0));
      for (int row = 0; row < count; ++row) {
        std::vector<std::wstring> cells;
        for (std::size_t column = 0; column < std::max<std::size_t>(child.items.size(), 1); ++column) {
          LVITEMW item = {};
          item.iSubItem = static_cast<int>(column);
          item.pszText = text;
          item.cchTextMax = 512;
          text[0] = 0;
          SendMessageW(window, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
          cells.emplace_back(text);
        }
        child.rows.push_back(cells);
      }
    } else if (IsClass(kind, UPDOWN_CLASSW)) {
      SendMessageW(window, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&child.low), reinterpret_cast<LPARAM>(&child.high));
      child.position = static_cast<int>(SendMessageW(window, UDM_GETPOS32, 0, 0));
      child.buddy = IndexOf(reinterpret_cast<HWND>(SendMessageW(window, UDM_GETBUDDY, 0, 0)));
    } else if (IsClass(kind, TRACKBAR_CLASSW)) {
      child.low = static_cast<int>(SendMessageW(window, TBM_GETRANGEMIN, 0, 0));
      child.high = static_cast<int>(SendMessageW(window, TBM_GETRANGEMAX, 0, 0));
      child.position = static_cast<int>(SendMessageW(window, TBM_GETPOS, 0, 0));
    } else if (IsClass(kind, L"Button")) {
      child.check = SendMessageW(window, BM_GETCHECK, 0, 0);
      if (HANDLE image = reinterpret_cast<HANDLE>(SendMessageW(window, BM_GETIMAGE, IMAGE_BITMAP, 0))) {
        child.picture = CopyImage(image, IMAGE_BITMAP, 0, 0, 0);
      }
    } else if (IsClass(kind, L"Static")) {
      const DWORD type = child.style & SS_TYPEMASK;
      if (type == SS_BITMAP || type == SS_ICON) {
        child.pictureType = type == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP;
        if (HANDLE image = reinterpret_cast<HANDLE>(SendMessageW(window, STM_GETIMAGE, child.pictureType, 0))) {
          child.picture = CopyImage(image, child.pictureType, 0, 0, 0);
        }
      }
    }
  }

  Child Describe(HWND child, HWND window) {
    Child copy;
    copy.className = ClassOf(child);
    copy.text = TextOf(child);
    copy.style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    copy.exStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE));
    HWND parent = GetParent(child);
    copy.parent = parent == window ? -1 : IndexOf(parent);
    GetWindowRect(child, &copy.bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&copy.bounds), 2);
    copy.font = FontIndex(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    WNDCLASSEXW known = {sizeof known};
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), copy.className.c_str(), &known)) CopyClass(child, copy.className);
    return copy;
  }

  // Describes the recorded windows from `from` on.
  void RecordChildren(HWND window, std::size_t from, std::vector<Child>& into) {
    for (std::size_t i = from; i < recorded.size(); ++i) into.push_back(Describe(recorded[i], window));
    for (std::size_t i = from; i < recorded.size(); ++i) RecordKind(recorded[i], into[i - from]);
  }

  void Record(HWND window) {
    style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & ~WS_VISIBLE;
    exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    GetWindowRect(window, &bounds);
    caption = TextOf(window);
    EnumChildWindows(window, &Add, reinterpret_cast<LPARAM>(&recorded));
    RecordChildren(window, 0, children);
    seen = recorded;
  }

  void RecordPage(HWND window, const std::string& pageCaption) {
    std::vector<HWND> now;
    EnumChildWindows(window, &Add, reinterpret_cast<LPARAM>(&now));
    const std::size_t first = recorded.size();
    for (HWND child : now) {
      if (std::find(seen.begin(), seen.end(), child) == seen.end()) recorded.push_back(child);
    }
    Page page;
    page.caption = pageCaption;
    RecordChildren(window, first, page.children);
    for (std::size_t i = 0; i < page.children.size(); ++i) {
      Child& child = page.children[i];
      if (child.parent >= static_cast<int>(first) || !(child.style & WS_VISIBLE)) continue;
      child.style &= ~WS_VISIBLE;
      page.roots.push_back(first + i);
    }
    for (std::size_t i = 0; i < first; ++i) {
      const bool visible = (GetWindowLongW(recorded[i], GWL_STYLE) & WS_VISIBLE) != 0;
      if (visible != ((children[i].style & WS_VISIBLE) != 0)) page.shows.emplace_back(i, visible);
      if (!IsClass(children[i].className, WC_TABCONTROLW)) continue;
      const int selected = static_cast<int>(SendMessageW(recorded[i], TCM_GETCURSEL, 0, 0));
      if (selected != children[i].selected) page.tabs.emplace_back(i, selected);
    }
    seen.insert(seen.end(), recorded.begin() + static_cast<std::ptrdiff_t>(first), recorded.end());
    recorded.resize(first);
    pages.push_back(std::move(page));
  }

  // Makes one control under its parent among those built and fills it, as
  // the library fills its own as soon as it makes them.
  void Make(const Child& child) {
    HWND parent = child.parent < 0 ? top : built[static_cast<std::size_t>(child.parent)];
    HWND window =
        CreateWindowExW(child.exStyle, child.className.c_str(), child.text.c_str(), child.style, child.bounds.left,
                        child.bounds.top, child.bounds.right - child.bounds.left,
                        child.bounds.bottom - child.bounds.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    built.push_back(window);
    if (window && child.font >= 0) {
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(madeFonts[static_cast<std::size_t>(child.font)]),
                   FALSE);
    }
    if (window) Fill(window, child);
  }

  // Makes `made`, the first of them at `first` among the built windows; an
  // up-down made before its buddy gets the buddy at the end.
  void MakeAll(const std::vector<Child>& made, std::size_t first) {
    for (const Child& child : made) Make(child);
    for (std::size_t i = 0; i < made.size(); ++i) {
      const auto buddy = static_cast<std::size_t>(made[i].buddy);
      if (built[first + i] && made[i].buddy >= 0 && buddy >= first + i && buddy < built.size()) {
        SendMessageW(built[first + i], UDM_SETBUDDY, reinterpret_cast<WPARAM>(built[buddy]), 0);
      }
    }
  }

  void DropPictures(const std::vector<Child>& made) {
    for (const Child& child : made) {
      if (!child.picture) continue;
      if (child.pictureType == IMAGE_ICON) {
        DestroyIcon(static_cast<HICON>(child.picture));
      } else {
        DeleteObject(child.picture);
      }
    }
  }

  void Fill(HWND window, const Child& child) {
    if (IsClass(child.className, WC_TABCONTROLW)) {
      for (std::size_t i = 0; i < child.items.size(); ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(child.items[i].c_str());
        SendMessageW(window, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
      }
      SendMessageW(window, TCM_SETCURSEL, static_cast<WPARAM>(child.selected), 0);
    } else if (IsClass(child.className, WC_COMBOBOXW)) {
      for (const std::wstring& item : child.items) {
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
      }
      SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(child.selected), 0);
    } else if (IsClass(child.className, WC_LISTVIEWW)) {
      for (std::size_t i = 0; i < child.items.size(); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = child.low;
        column.pszText = const_cast<wchar_t*>(child.items[i].c_str());
        SendMessageW(window, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
      }
      for (std::size_t row = 0; row < child.rows.size(); ++row) {
        for (std::size_t cell = 0; cell < child.rows[row].size(); ++cell) {
          LVITEMW item = {};
          item.mask = LVIF_TEXT;
          item.iItem = static_cast<int>(row);
          item.iSubItem = static_cast<int>(cell);
          item.pszText = const_cast<wchar_t*>(child.rows[row][cell].c_str());
          SendMessageW(window, cell == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, cell == 0 ? 0 : row,
                       reinterpret_cast<LPARAM>(&item));
        }
      }
    } else if (IsClass(child.className, UPDOWN_CLASSW)) {
      const auto buddy = static_cast<std::size_t>(child.buddy);
      if (child.buddy >= 0 && buddy < built.size()) {
        SendMessageW(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(built[buddy]), 0);
      }
      SendMessageW(window, UDM_SETRANGE32, static_cast<WPARAM>(child.low), child.high);
      SendMessageW(window, UDM_SETPOS32, 0, child.position);
    } else if (IsClass(child.className, TRACKBAR_CLASSW)) {
      SendMessageW(window, TBM_SETRANGEMIN, FALSE, child.low);
      SendMessageW(window, TBM_SETRANGEMAX, FALSE, child.high);
      SendMessageW(window, TBM_SETPOS, FALSE, child.position);
    } else if (IsClass(child.className, L"Button")) {
      SendMessageW(window, BM_SETCHECK, static_cast<WPARAM>(child.check), 0);
      if (child.picture) SendMessageW(window, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(child.picture));
    } else if (IsClass(child.className, L"Static") && child.picture) {
      SendMessageW(window, STM_SETIMAGE, child.pictureType, reinterpret_cast<LPARAM>(child.picture));
    }
  }
};

BareWindow::BareWindow(HWND window, HMODULE manifestModule) : recording_(std::make_unique<Recording>()) {
  // The controls come from the common-controls version the library's
  // manifest asks for, as the library's own do.
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(manifestModule, path, MAX_PATH);
  ACTCTXW request = {sizeof request};
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path;
  request.lpResourceName = MAKEINTRESOURCEW(123);
  request.hModule = manifestModule;
  recording_->context = CreateActCtxW(&request);
  WNDCLASSEXW top = {sizeof top};
  if (!GetClassInfoExW(GetModuleHandleW(nullptr), kTopClass, &top)) {
    top.cbSize = sizeof top;
    top.lpfnWndProc = &DefWindowProcW;
    top.hInstance = GetModuleHandleW(nullptr);
    top.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    top.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    top.lpszClassName = kTopClass;
    RegisterClassExW(&top);
  }
  recording_->Record(window);
}

BareWindow::~BareWindow() {
  Destroy();
  if (recording_->context != INVALID_HANDLE_VALUE) ReleaseActCtx(recording_->context);
  recording_->DropPictures(recording_->children);
  for (const auto& page : recording_->pages) recording_->DropPictures(page.children);
}

std::size_t BareWindow::Controls() const { return recording_->children.size(); }

void BareWindow::RecordPage(HWND window, const std::string& caption) { recording_->RecordPage(window, caption); }

std::size_t BareWindow::Pages() const { return recording_->pages.size(); }

const std::string& BareWindow::PageCaption(std::size_t page) const { return recording_->pages.at(page).caption; }

std::size_t BareWindow::PageControls(std::size_t page) const { return recording_->pages.at(page).children.size(); }

HWND BareWindow::Build(HWND owner) {
  Recording& r = *recording_;
  ULONG_PTR cookie = 0;
  const bool styled = r.context != INVALID_HANDLE_VALUE && ActivateActCtx(r.context, &cookie);
  for (const LOGFONTW& font : r.fonts) r.madeFonts.push_back(CreateFontIndirectW(&font));
  r.top = CreateWindowExW(r.exStyle, kTopClass, r.caption.c_str(), r.style, r.bounds.left, r.bounds.top,
                          r.bounds.right - r.bounds.left, r.bounds.bottom - r.bounds.top, owner, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  // Parents come before their children in the recording.
  r.MakeAll(r.children, 0);
  if (styled) DeactivateActCtx(0, cookie);
  return r.top;
}

void BareWindow::BuildPage(std::size_t page) {
  Recording& r = *recording_;
  const Recording::Page& step = r.pages.at(page);
  ULONG_PTR cookie = 0;
  const bool styled = r.context != INVALID_HANDLE_VALUE && ActivateActCtx(r.context, &cookie);
  r.MakeAll(step.children, r.built.size());
  for (const auto& [index, visible] : step.shows) ShowWindow(r.built[index], visible ? SW_SHOWNA : SW_HIDE);
  for (std::size_t index : step.roots) ShowWindow(r.built[index], SW_SHOWNA);
  for (const auto& [index, selected] : step.tabs) {
    SendMessageW(r.built[index], TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
  }
  if (styled) DeactivateActCtx(0, cookie);
}

void BareWindow::Destroy() {
  Recording& r = *recording_;
  if (r.top) DestroyWindow(r.top);
  r.top = nullptr;
  r.built.clear();
  for (HFONT font : r.madeFonts) DeleteObject(font);
  r.madeFonts.clear();
}

}  // namespace varnox::bench
