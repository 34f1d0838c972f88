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
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT bounds = {};
  std::wstring caption;
  std::vector<LOGFONTW> fonts;
  std::vector<Child> children;
  std::vector<HWND> recorded;  // the original windows, while recording

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

  static BOOL CALLBACK Add(HWND window, LPARAM self) {
    reinterpret_cast<Recording*>(self)->recorded.push_back(window);
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

  void Record(HWND window) {
    style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & ~WS_VISIBLE;
    exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    GetWindowRect(window, &bounds);
    caption = TextOf(window);
    EnumChildWindows(window, &Add, reinterpret_cast<LPARAM>(this));
    for (HWND child : recorded) {
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
      children.push_back(std::move(copy));
    }
    for (std::size_t i = 0; i < recorded.size(); ++i) RecordKind(recorded[i], children[i]);
    recorded.clear();
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
  for (auto& child : recording_->children) {
    if (!child.picture) continue;
    if (child.pictureType == IMAGE_ICON) {
      DestroyIcon(static_cast<HICON>(child.picture));
    } else {
      DeleteObject(child.picture);
    }
  }
}

std::size_t BareWindow::Controls() const { return recording_->children.size(); }

HWND BareWindow::Build(HWND owner) {
  Recording& r = *recording_;
  ULONG_PTR cookie = 0;
  const bool styled = r.context != INVALID_HANDLE_VALUE && ActivateActCtx(r.context, &cookie);
  for (const LOGFONTW& font : r.fonts) r.madeFonts.push_back(CreateFontIndirectW(&font));
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  r.top = CreateWindowExW(r.exStyle, kTopClass, r.caption.c_str(), r.style, r.bounds.left, r.bounds.top,
                          r.bounds.right - r.bounds.left, r.bounds.bottom - r.bounds.top, owner, nullptr, instance,
                          nullptr);
  // Parents come before their children in the recording. Each control is
  // filled as soon as it is made, as the library fills its own; an up-down
  // made before its buddy gets the buddy at the end.
  for (const auto& child : r.children) {
    HWND parent = child.parent < 0 ? r.top : r.built[static_cast<std::size_t>(child.parent)];
    HWND window = CreateWindowExW(child.exStyle, child.className.c_str(), child.text.c_str(), child.style,
                                  child.bounds.left, child.bounds.top, child.bounds.right - child.bounds.left,
                                  child.bounds.bottom - child.bounds.top, parent, nullptr, instance, nullptr);
    r.built.push_back(window);
    if (window && child.font >= 0) {
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(r.madeFonts[static_cast<std::size_t>(child.font)]),
                   FALSE);
    }
    if (window) r.Fill(window, child);
  }
  for (std::size_t i = 0; i < r.children.size(); ++i) {
    const auto buddy = static_cast<std::size_t>(r.children[i].buddy);
    if (r.built[i] && r.children[i].buddy >= 0 && buddy >= i) {
      SendMessageW(r.built[i], UDM_SETBUDDY, reinterpret_cast<WPARAM>(r.built[buddy]), 0);
    }
  }
  if (styled) DeactivateActCtx(0, cookie);
  return r.top;
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
