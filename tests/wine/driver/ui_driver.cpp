#include "ui_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace varnox::test {

std::string NameOf(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "Name")));
  if (atom == 0) return {};
  char buffer[256] = {};
  const UINT length = GlobalGetAtomNameA(atom, buffer, sizeof buffer);
  return std::string(buffer, length);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

namespace {

struct NameSearch {
  std::string name;
  HWND found = nullptr;
};

BOOL CALLBACK MatchName(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<NameSearch*>(data);
  if (NameOf(window) == search->name) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

void ClickAt(HWND window, int x, int y) {
  const LPARAM point = MAKELPARAM(x, y);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(window, WM_LBUTTONUP, 0, point);
}

struct BoxSearch {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<BoxSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == search->process && IsWindowVisible(window) && ClassOf(window) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindMessageBox() {
  BoxSearch search{GetCurrentProcessId()};
  EnumWindows(&MatchMessageBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

HWND UiDriver::Find(const std::string& name) const {
  NameSearch search{name};
  if (NameOf(form_) == name) return form_;
  EnumChildWindows(form_, &MatchName, reinterpret_cast<LPARAM>(&search));
  EXPECT_NE(search.found, nullptr) << "no control named " << name;
  return search.found;
}

bool UiDriver::Exists(const std::string& name) const {
  NameSearch search{name};
  EnumChildWindows(form_, &MatchName, reinterpret_cast<LPARAM>(&search));
  return search.found != nullptr;
}

void UiDriver::Click(const std::string& name) const {
  HWND window = Find(name);
  if (!window) return;
  if (ClassOf(window) == L"Button") {
    SendMessageW(window, BM_CLICK, 0, 0);
    return;
  }
  RECT client;
  GetClientRect(window, &client);
  ClickAt(window, client.right / 2, client.bottom / 2);
}

void UiDriver::Type(const std::string& name, const std::wstring& text) const {
  HWND window = Find(name);
  if (!window) return;
  SendMessageW(window, WM_SETFOCUS, 0, 0);
  SendMessageW(window, EM_SETSEL, 0, -1);
  if (text.empty()) {
    SendMessageW(window, WM_CHAR, VK_BACK, 0);
    return;
  }
  for (wchar_t c : text) SendMessageW(window, WM_CHAR, c, 1);
}

void UiDriver::ArrowClick(const std::string& name, bool up) const {
  HWND window = Find(name);
  if (!window) return;
  RECT client;
  GetClientRect(window, &client);
  const bool horizontal = (GetWindowLongW(window, GWL_STYLE) & UDS_HORZ) != 0;
  if (horizontal) {
    ClickAt(window, up ? client.right * 3 / 4 : client.right / 4, client.bottom / 2);
  } else {
    ClickAt(window, client.right / 2, up ? client.bottom / 4 : client.bottom * 3 / 4);
  }
}

void UiDriver::SelectTab(const std::string& name, const std::wstring& caption) const {
  HWND tabs = Find(name);
  if (!tabs) return;
  const auto captions = TabCaptions(name);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (captions[i] != caption) continue;
    RECT item;
    SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
    ClickAt(tabs, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    return;
  }
  ADD_FAILURE() << "no tab captioned as asked in " << name;
}

void UiDriver::Key(const std::string& name, WORD virtualKey) const {
  HWND window = Find(name);
  if (!window) return;
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

namespace {

UINT RunWorkMessage() {
  static const UINT message = RegisterWindowMessageW(L"VarnoxTestRunWork");
  return message;
}

// Called on the window thread before the window procedure gets a message
// sent to it; the work message carries the work to do.
LRESULT CALLBACK RunSentWork(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == RunWorkMessage()) {
    (*reinterpret_cast<const std::function<void()>*>(sent->lParam))();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void UiDriver::OnWindowThread(const std::function<void()>& work) const {
  const DWORD thread = GetWindowThreadProcessId(form_, nullptr);
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &RunSentWork, nullptr, thread);
  ASSERT_NE(hook, nullptr) << "no hook on the window thread";
  SendMessageW(form_, RunWorkMessage(), 0, reinterpret_cast<LPARAM>(&work));
  UnhookWindowsHookEx(hook);
}

namespace {

struct TipSearch {
  DWORD thread;
  HWND found = nullptr;
};

BOOL CALLBACK MatchVisibleTip(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TipSearch*>(data);
  if (ClassOf(window) == L"tooltips_class32" && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring TipText(HWND tip) {
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  if (!SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) return {};
  wchar_t buffer[2048] = {};
  tool.lpszText = buffer;
  SendMessageW(tip, TTM_GETTEXTW, 2048, reinterpret_cast<LPARAM>(&tool));
  return buffer;
}

}  // namespace

std::wstring UiDriver::HoverHint(const std::string& name, DWORD timeoutMs) const {
  HWND window = Find(name);
  if (!window) return {};
  RECT rect;
  GetWindowRect(window, &rect);
  const POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  // Off the control first, so the hint of the last one goes away; on a busy
  // machine the tip needs a moment to notice.
  SetCursorPos(0, 0);
  Sleep(300);
  SetCursorPos(centre.x, centre.y);
  POINT client = centre;
  ScreenToClient(window, &client);
  const DWORD start = GetTickCount();
  const DWORD thread = GetWindowThreadProcessId(form_, nullptr);
  while (GetTickCount() - start < timeoutMs) {
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    TipSearch search{thread};
    EnumThreadWindows(thread, &MatchVisibleTip, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      std::wstring text = TipText(search.found);
      if (!text.empty()) return text;
    }
    Sleep(50);
  }
  return {};
}

int UiDriver::CheckState(const std::string& name) const {
  HWND window = Find(name);
  return window ? static_cast<int>(SendMessageW(window, BM_GETCHECK, 0, 0)) : -1;
}

std::wstring UiDriver::Text(const std::string& name) const {
  HWND window = Find(name);
  if (!window) return {};
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

bool UiDriver::Enabled(const std::string& name) const {
  HWND window = Find(name);
  return window && IsWindowEnabled(window);
}

bool UiDriver::Visible(const std::string& name) const {
  HWND window = Find(name);
  return window && IsWindowVisible(window);
}

int UiDriver::UpDownPosition(const std::string& name) const {
  HWND window = Find(name);
  return window ? static_cast<short>(LOWORD(SendMessageW(window, UDM_GETPOS, 0, 0))) : -1;
}

std::vector<std::wstring> UiDriver::TabCaptions(const std::string& name) const {
  std::vector<std::wstring> captions;
  HWND tabs = Find(name);
  if (!tabs) return captions;
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[128] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 128;
    SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    captions.emplace_back(buffer);
  }
  return captions;
}

RECT UiDriver::WindowRect(const std::string& name) const {
  RECT rect = {};
  if (HWND window = Find(name)) GetWindowRect(window, &rect);
  return rect;
}

bool UiDriver::MessageBoxShowing() const { return FindMessageBox() != nullptr; }

std::wstring UiDriver::DismissMessageBox(DWORD timeoutMs) const {
  const DWORD start = GetTickCount();
  HWND box = nullptr;
  while (!(box = FindMessageBox())) {
    if (GetTickCount() - start > timeoutMs) return {};
    Sleep(20);
  }
  std::wstring text;
  // The message is the box's static text control (id 0xFFFF).
  if (HWND label = GetDlgItem(box, 0xFFFF)) {
    // As long as it is: the message of an opened file names many lines.
    text.resize(static_cast<std::size_t>(GetWindowTextLengthW(label)) + 1);
    text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
  }
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  // Wait for it to go, so the next step acts on the window again.
  while (IsWindow(box) && GetTickCount() - start < timeoutMs) Sleep(20);
  return text;
}

namespace {

struct FormSearch {
  DWORD thread;
  HWND found = nullptr;
};

BOOL CALLBACK MatchForm(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<FormSearch*>(data);
  if (NameOf(window) == "ConfForm" && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

namespace {

// Opens the window through `open` on this thread and drives it from another.
bool RunOpened(const CplLibrary& cpl, const std::function<void(HWND owner)>& open,
               const std::function<void(UiDriver&)>& scenario, DWORD timeoutMs) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"Control Panel", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  cpl.Send(owner, 1 /* CPL_INIT */, 0, 0);
  const DWORD uiThread = GetCurrentThreadId();
  std::atomic<bool> sawWindow{false};
  std::thread driver([&] {
    const DWORD start = GetTickCount();
    FormSearch search{uiThread};
    std::vector<std::wstring> creationMessages;
    UiDriver boxes(nullptr, {});
    while (!search.found && GetTickCount() - start < timeoutMs) {
      // An error while the window is created is shown before it appears.
      if (FindMessageBox()) creationMessages.push_back(boxes.DismissMessageBox());
      EnumThreadWindows(uiThread, &MatchForm, reinterpret_cast<LPARAM>(&search));
      if (!search.found) Sleep(20);
    }
    if (!search.found) {
      // What the applet said instead, so a window that never came says why.
      for (const std::wstring& message : creationMessages) {
        ADD_FAILURE() << "a box came up before any window: " << std::string(message.begin(), message.end());
      }
      return;
    }
    sawWindow = true;
    UiDriver ui(search.found, std::move(creationMessages));
    scenario(ui);
    if (IsWindow(search.found)) PostMessageW(search.found, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  open(owner);
  driver.join();
  DestroyWindow(owner);
  return sawWindow;
}

}  // namespace

bool RunApplet(const CplLibrary& cpl, const std::function<void(UiDriver&)>& scenario, DWORD timeoutMs) {
  return RunOpened(
      cpl, [&](HWND owner) { cpl.Send(owner, 5 /* CPL_DBLCLK */, 0, 0); }, scenario, timeoutMs);
}

bool RunAppletWithParameter(const CplLibrary& cpl, const std::wstring& parameter,
                            const std::function<void(UiDriver&)>& scenario, LONG& answer, DWORD timeoutMs) {
  return RunOpened(
      cpl,
      [&](HWND owner) {
        answer = cpl.Send(owner, 10 /* CPL_STARTWPARMSW */, 0, reinterpret_cast<LPARAM>(parameter.c_str()));
      },
      scenario, timeoutMs);
}

}  // namespace varnox::test
