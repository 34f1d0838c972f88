#include "toolkit_view_support.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/win32/wide_text.h"

namespace varnox::test {

ShownForm::ShownForm() {
  form.SetClientWidth(400);
  form.SetClientHeight(300);
  form.SetBorderStyle(BorderStyle::Single);
}

ShownForm::~ShownForm() { view.reset(); }

void ShownForm::Show() {
  view = std::make_unique<FormView>(form, nullptr, GetModuleHandleW(nullptr));
  view->MakeControls();
  ShowWindow(view->Window(), SW_SHOW);
  UpdateWindow(view->Window());
}

HWND ShownForm::operator[](const std::string& name) const {
  HWND found = FindByName(view->Window(), name);
  EXPECT_NE(found, nullptr) << "no window named " << name;
  return found;
}

std::string NameOf(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "Name")));
  if (!atom) return {};
  char name[256] = {};
  const UINT length = GlobalGetAtomNameA(atom, name, sizeof name);
  return std::string(name, length);
}

namespace {

struct Search {
  std::string name;
  HWND found = nullptr;
};

BOOL CALLBACK MatchName(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (NameOf(window) != search->name) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindByName(HWND root, const std::string& name) {
  if (NameOf(root) == name) return root;
  Search search{name};
  EnumChildWindows(root, &MatchName, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND window) { return WindowTextW(window); }

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  // Checked after every message, so that a state that lasts one message is seen.
  const DWORD start = GetTickCount();
  MSG message;
  while (!done()) {
    if (GetTickCount() - start >= milliseconds) return false;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    } else {
      Sleep(2);
    }
  }
  return true;
}

void PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

void ClickAt(HWND window, int x, int y) {
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

namespace {

struct CatcherState {
  UINT_PTR timer = 0;
  int count = 0;
  std::wstring lastText;
};
CatcherState g_catcher;

BOOL CALLBACK PressOkOfMessageBox(HWND window, LPARAM) {
  if (ClassOf(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
  // The text of a message box is the static control 0xFFFF.
  g_catcher.lastText = TextOf(GetDlgItem(window, 0xFFFF));
  ++g_catcher.count;
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK LookForMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), &PressOkOfMessageBox, 0);
}

struct ScriptState {
  UINT_PTR timer = 0;
  HWND window = nullptr;
  std::function<void()> script;
};
ScriptState g_script;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!IsWindowVisible(g_script.window)) return;
  KillTimer(nullptr, timer);
  auto script = std::move(g_script.script);
  g_script = {};
  script();
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher() {
  g_catcher = {};
  g_catcher.timer = SetTimer(nullptr, 0, 30, &LookForMessageBoxes);
}

MessageBoxCatcher::~MessageBoxCatcher() { KillTimer(nullptr, g_catcher.timer); }

int MessageBoxCatcher::Count() const { return g_catcher.count; }

const std::wstring& MessageBoxCatcher::LastText() const { return g_catcher.lastText; }

void RunWhenShown(HWND window, std::function<void()> script) {
  g_script.window = window;
  g_script.script = std::move(script);
  g_script.timer = SetTimer(nullptr, 0, 20, &RunScript);
}

}  // namespace varnox::test
