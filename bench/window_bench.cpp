// How fast the configuration window opens, and whether opening it leaks.
//
// In one process: opens and closes the real window N times through
// CPL_DBLCLK and times each from the call to the window's activation; builds
// a bare window with the same number and kinds of child controls N times as
// a yardstick; counts the registry calls of one opening; and reads private
// bytes and GDI/USER object counts before and after 200 open/close cycles.
//
// Usage: window_bench [N [CYCLES]]   (run under Wine beside varnox.cpl; CYCLES defaults to 200)

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "../tests/wine/cpl_library.h"
#include "registry_call_counter.h"

namespace {

using varnox::test::CplLibrary;

LARGE_INTEGER g_frequency;
LONGLONG g_shownAt = 0;
HHOOK g_hook = nullptr;
std::vector<std::pair<std::wstring, DWORD>> g_children;  // class and style of each child of the first window

double Milliseconds(LONGLONG ticks) { return 1000.0 * static_cast<double>(ticks) / g_frequency.QuadPart; }

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

bool IsConfForm(HWND window) {
  const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "Name")));
  char name[64] = {};
  if (atom) GlobalGetAtomNameA(atom, name, sizeof name);
  return std::string(name) == "ConfForm";
}

BOOL CALLBACK RecordChild(HWND child, LPARAM) {
  wchar_t className[64] = {};
  GetClassNameW(child, className, 64);
  g_children.emplace_back(className, static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)));
  return TRUE;
}

// Activation is the moment the modal window is on the screen; it is closed
// at once with Esc.
LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (IsConfForm(window) && g_shownAt == 0) {
      g_shownAt = Now();
      if (g_children.empty()) EnumChildWindows(window, &RecordChild, 0);
      PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

int g_missedActivations = 0;

BOOL CALLBACK CloseShownForm(HWND window, LPARAM) {
  if (IsConfForm(window) && IsWindowVisible(window)) {
    ++g_missedActivations;
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  return TRUE;
}

// A window that showed without being activated would keep the modal loop
// waiting; the watchdog closes it and the round counts as missed.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  if (g_shownAt == 0) EnumThreadWindows(GetCurrentThreadId(), &CloseShownForm, 0);
}

double OpenOnce(const CplLibrary& cpl, HWND owner) {
  g_shownAt = 0;
  const UINT_PTR watchdog = SetTimer(nullptr, 0, 3000, &Watchdog);
  const LONGLONG start = Now();
  cpl.Send(owner, 5 /* CPL_DBLCLK */, 0, 0);
  KillTimer(nullptr, watchdog);
  return g_shownAt ? Milliseconds(g_shownAt - start) : -1.0;
}

double BareOnce(HWND owner) {
  const LONGLONG start = Now();
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"VarnoxBareWindow", L"bare", WS_POPUP | WS_CAPTION, 100, 100, 371,
                                420, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int i = 0;
  for (const auto& [className, style] : g_children) {
    HWND child = CreateWindowExW(0, className.c_str(), L"Control", (style | WS_CHILD) & ~WS_POPUP, (i * 7) % 300,
                                 (i * 11) % 300, 80, 20, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ++i;
  }
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  const double elapsed = Milliseconds(Now() - start);
  DestroyWindow(window);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

struct Resources {
  SIZE_T privateBytes;
  DWORD gdiObjects;
  DWORD userObjects;
};

// Committed private memory, summed over the address space: the process
// memory counters give it too, but Wine leaves them at zero.
SIZE_T CommittedPrivateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;
       address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    if (region.RegionSize == 0) break;
  }
  return total;
}

Resources Measure() {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  const SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : CommittedPrivateBytes();
  return {privateBytes, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
          GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 31;
  const int cycles = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
  QueryPerformanceFrequency(&g_frequency);
  InitCommonControls();

  CplLibrary cpl;
  if (!cpl.Loaded()) {
    std::printf("cannot load %s\n", cpl.Path().c_str());
    return 1;
  }
  const int patched = varnox::bench::CountRegistryCalls(cpl.Module());
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  cpl.Send(owner, 1 /* CPL_INIT */, 0, 0);
  g_hook = SetWindowsHookExW(WH_CBT, &OnActivate, nullptr, GetCurrentThreadId());

  // The first opening warms caches (fonts, classes); it is timed apart.
  varnox::bench::ResetRegistryCalls();
  const double first = OpenOnce(cpl, owner);
  const long registryCalls = varnox::bench::TotalRegistryCalls();
  const auto callsByName = varnox::bench::RegistryCalls();

  std::vector<double> opens;
  for (int i = 0; i < rounds; ++i) {
    const double elapsed = OpenOnce(cpl, owner);
    if (elapsed >= 0) opens.push_back(elapsed);
  }

  WNDCLASSW bare = {};
  bare.lpfnWndProc = &DefWindowProcW;
  bare.hInstance = GetModuleHandleW(nullptr);
  bare.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  bare.lpszClassName = L"VarnoxBareWindow";
  RegisterClassW(&bare);
  BareOnce(owner);
  std::vector<double> bares;
  for (int i = 0; i < rounds; ++i) {
    bares.push_back(BareOnce(owner));
    Pump();
  }

  Pump();
  const Resources before = Measure();
  for (int i = 0; i < cycles; ++i) OpenOnce(cpl, owner);
  Pump();
  const Resources after = Measure();

  UnhookWindowsHookEx(g_hook);
  cpl.Send(owner, 7 /* CPL_EXIT */, 0, 0);

  std::printf("controls in the window:          %zu child windows\n", g_children.size());
  std::printf("first open to shown:             %.2f ms\n", first);
  std::printf("median open to shown (%d runs):  %.2f ms\n", rounds, Median(opens));
  if (g_missedActivations) std::printf("rounds closed by the watchdog:   %d\n", g_missedActivations);
  std::printf("median bare window, same children: %.2f ms\n", Median(bares));
  std::printf("ratio window / bare:             %.2f\n", Median(opens) / std::max(Median(bares), 0.001));
  std::printf("registry calls per open:         %ld (import entries counted: %d)\n", registryCalls, patched);
  for (const auto& [name, count] : callsByName) std::printf("  %-18s %ld\n", name.c_str(), count);
  std::printf("private bytes before/after %d:  %lu / %lu (%+ld)\n", cycles,
              static_cast<unsigned long>(before.privateBytes), static_cast<unsigned long>(after.privateBytes),
              static_cast<long>(after.privateBytes) - static_cast<long>(before.privateBytes));
  if (before.gdiObjects == 0 && after.gdiObjects == 0) {
    std::printf("GDI and USER object counts:      not reported by this system (GetGuiResources gives 0)\n");
  } else {
    std::printf("GDI objects before/after %d:    %lu / %lu\n", cycles, before.gdiObjects, after.gdiObjects);
    std::printf("USER objects before/after %d:   %lu / %lu\n", cycles, before.userObjects, after.userObjects);
  }
  DestroyWindow(owner);
  return 0;
}
