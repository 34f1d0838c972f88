#include "opening_probe.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "import_patch.h"
#include "registry_call_counter.h"

namespace varnox::bench {

namespace {

constexpr char kStepProperty[] = "VarnoxOpeningStep";
// A round that has not returned this many limits after it started hangs
// outside any message loop: nothing in this thread can end it.
constexpr int kHangLimits = 4;

LARGE_INTEGER g_frequency;
HHOOK g_cbtHook = nullptr;
HHOOK g_messageHook = nullptr;
UINT g_shownMarker = 0;
int g_limitMs = 5000;
using SetPropAFn = BOOL(WINAPI*)(HWND, LPCSTR, HANDLE);
SetPropAFn g_setPropA = nullptr;

const bool g_traceMarks = std::getenv("VARNOX_BENCH_TRACE") != nullptr;
bool g_inRound = false;
bool g_closeWhenPainted = false;
PaintedCallback g_paintedCallback = nullptr;
HWND g_window = nullptr;
OpeningTimes g_times;
UINT_PTR g_watchdog = 0;
std::atomic<LONGLONG> g_roundStartedAt{0};  // read by the hang watch thread; 0 between rounds
void (*g_hangReport)() = nullptr;

// The step's name is the property's data, in this process. The probe takes
// the mark and does not pass it on, so being watched costs the window no
// trip to the window server.
BOOL WINAPI WatchedSetPropA(HWND window, LPCSTR name, HANDLE data) {
  if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0 && std::strcmp(name, kStepProperty) == 0) {
    if (g_inRound) {
      const char* step = static_cast<const char*>(data);
      g_times.steps.emplace_back(step, Now());
      TraceMark(step);
      SetSection(step);
    }
    return TRUE;
  }
  return g_setPropA(window, name, data);
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (g_inRound && code == HCBT_CREATEWND && !g_window) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    if (!(create->lpcs->style & WS_CHILD)) {
      g_window = reinterpret_cast<HWND>(wParam);
      g_times.windowCreated = Now();
      TraceMark("@created");
    }
  } else if (g_inRound && code == HCBT_ACTIVATE && reinterpret_cast<HWND>(wParam) == g_window && !g_times.shown) {
    PostMessageW(g_window, g_shownMarker, 0, 0);
  }
  return CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

LRESULT CALLBACK OnMessage(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == g_shownMarker && g_inRound &&
      message->hwnd == g_window && !g_times.shown) {
    message->message = WM_NULL;
    g_times.shown = Now();
    TraceMark("@shown");
    RedrawWindow(g_window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    g_times.painted = Now();
    TraceMark("@painted");
    if (g_paintedCallback) g_paintedCallback(g_window);
    if (g_closeWhenPainted) PostMessageW(g_window, WM_KEYDOWN, VK_ESCAPE, 0);
  }
  return CallNextHookEx(g_messageHook, code, wParam, lParam);
}

BOOL CALLBACK CloseDialog(HWND window, LPARAM closed) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wcscmp(className, L"#32770") == 0 && IsWindowVisible(window)) {
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ++*reinterpret_cast<int*>(closed);
  }
  return TRUE;
}

// Runs in whatever message loop the thread is in: a message box of the
// library, or the window's own loop. A message box goes first, and the
// window may then still show and paint; a window stuck without one is closed.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_inRound || g_times.painted) return;
  g_times.timedOut = true;
  int closed = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CloseDialog, reinterpret_cast<LPARAM>(&closed));
  if (closed == 0 && g_window && IsWindow(g_window)) {
    PostMessageW(g_window, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(g_window, WM_CLOSE, 0, 0);
  }
}

DWORD WINAPI WatchForHangs(void*) {
  for (;;) {
    Sleep(500);
    const LONGLONG started = g_roundStartedAt;
    if (started && Milliseconds(Now() - started) > static_cast<double>(kHangLimits) * g_limitMs) {
      std::printf("a round did not return within %d ms; stopped\n", kHangLimits * g_limitMs);
      if (g_hangReport) g_hangReport();
      std::fflush(stdout);
      ExitProcess(3);
    }
  }
}

}  // namespace

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double Milliseconds(LONGLONG ticks) { return 1000.0 * static_cast<double>(ticks) / g_frequency.QuadPart; }

void InstallOpeningProbe(HMODULE library, int roundLimitMs) {
  QueryPerformanceFrequency(&g_frequency);
  g_limitMs = roundLimitMs;
  g_shownMarker = RegisterWindowMessageW(L"VarnoxBench.Shown");
  SetEnvironmentVariableA("VARNOX_OPENING_STEPS", "1");
  g_setPropA = reinterpret_cast<SetPropAFn>(
      PatchImport(library, "user32.dll", "SetPropA", reinterpret_cast<void*>(&WatchedSetPropA)));
  if (!g_setPropA) std::printf("the library does not import SetPropA: no opening steps\n");
  g_cbtHook = SetWindowsHookExW(WH_CBT, &OnCbt, nullptr, GetCurrentThreadId());
  g_messageHook = SetWindowsHookExW(WH_GETMESSAGE, &OnMessage, nullptr, GetCurrentThreadId());
  if (HANDLE thread = CreateThread(nullptr, 0, &WatchForHangs, nullptr, 0, nullptr)) CloseHandle(thread);
}

void RemoveOpeningProbe() {
  UnhookWindowsHookEx(g_cbtHook);
  UnhookWindowsHookEx(g_messageHook);
}

void SetHangReport(void (*report)()) { g_hangReport = report; }

void BeginRound(bool closeWhenPainted, PaintedCallback painted) {
  g_times = {};
  g_window = nullptr;
  g_closeWhenPainted = closeWhenPainted;
  g_paintedCallback = painted;
  SetSection("before any step");
  g_inRound = true;
  g_watchdog = SetTimer(nullptr, 0, static_cast<UINT>(g_limitMs), &Watchdog);
  g_times.start = Now();
  g_roundStartedAt = g_times.start;
}

OpeningTimes EndRound() {
  g_roundStartedAt = 0;
  KillTimer(nullptr, g_watchdog);
  g_inRound = false;
  if (!g_times.painted) g_times.timedOut = true;
  return g_times;
}

void MarkStep(const char* step) {
  if (!g_inRound) return;
  g_times.steps.emplace_back(step, Now());
  TraceMark(step);
}

void TraceMark(const char* mark) {
  if (g_traceMarks) GlobalFindAtomA(mark);
}

bool RoundOver() { return g_times.painted != 0 || g_times.timedOut; }

}  // namespace varnox::bench
