// How fast the configuration window opens, where the time goes, and whether
// opening it leaks.
//
// In one process: opens and closes the real window through CPL_DBLCLK and,
// round by round in turn with it, a bare window with the same controls built
// and shown the same way; times each from the call to the end of its first
// paint, split into steps; times the first visit of every other page in each
// of the window's rounds; counts the registry calls of one opening per load
// section; and reads committed private memory and the GDI and USER objects
// before and after CYCLES open/close cycles, each visiting every page. The
// bare window holds every control of every page. A round that does not
// finish within LIMIT ms is counted and reported. The ratios come last.
//
// The floors are what a user waits for at the least: the visible floor is a
// bare window of exactly the controls that exist when the window first
// shows, opened the same way; a page's floor is a bare copy of what that
// page's first visit added, made on a shown visible floor, timed from the
// call to the end of the paint, as the visit is.
//
// Usage: window_bench [ROUNDS [CYCLES [LIMIT]]]   (under Wine beside varnox.cpl;
//        defaults 21, 200, 5000)

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../tests/wine/cpl_library.h"
#include "bare_window.h"
#include "object_counts.h"
#include "opening_probe.h"
#include "page_visits.h"
#include "registry_call_counter.h"

namespace {

using namespace varnox::bench;
using varnox::test::CplLibrary;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Step durations of many rounds, by step name, in the order first seen.
class StepTimes {
 public:
  void Add(const std::string& step, double milliseconds) {
    auto found = std::find_if(steps_.begin(), steps_.end(), [&](const auto& entry) { return entry.first == step; });
    if (found == steps_.end()) {
      steps_.emplace_back(step, std::vector<double>{milliseconds});
    } else {
      found->second.push_back(milliseconds);
    }
  }
  // The step with the largest median, and that median.
  double MedianOf(const std::string& step) const {
    for (const auto& [name, times] : steps_) {
      if (name == step) return Median(times);
    }
    return 0;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : steps_) names.push_back(entry.first);
    return names;
  }
  std::pair<std::string, double> Largest() const {
    std::pair<std::string, double> largest{"", 0};
    for (const auto& [step, times] : steps_) {
      if (Median(times) > largest.second) largest = {step, Median(times)};
    }
    return largest;
  }
  void Print(const char* indent) const {
    for (const auto& [step, times] : steps_) std::printf("%s%-44s %8.2f ms\n", indent, step.c_str(), Median(times));
  }

 private:
  std::vector<std::pair<std::string, std::vector<double>>> steps_;
};

// The rounds of one kind of window.
struct Rounds {
  std::vector<double> totals;
  StepTimes steps;
  int timeouts = 0;

  void Add(const OpeningTimes& times);
};

struct Results {
  Rounds window;
  Rounds bare;
  Rounds floor;
  StepTimes visits;      // by page caption
  StepTimes pageFloors;  // by page caption
  int rounds = 0;
};

Results g_results;
std::unique_ptr<BareWindow> g_bare;   // every control of every page
std::unique_ptr<BareWindow> g_floor;  // what shows first, and each page's step
HMODULE g_library = nullptr;

// The window makes a page's controls when the page first shows. The floor
// is recorded as the window first shows, each page's step as it is first
// visited; the copy of every control once every page has shown, with the
// first one shown again.
void RecordBare(HWND window) {
  if (g_bare) return;
  g_floor = std::make_unique<BareWindow>(window, g_library);
  VisitEveryPage(window, [window](const PageVisit& visit) { g_floor->RecordPage(window, visit.caption); });
  ShowFirstPage(window);
  g_bare = std::make_unique<BareWindow>(window, g_library);
}

void TimeVisits(HWND window) {
  for (const PageVisit& visit : VisitEveryPage(window)) g_results.visits.Add(visit.caption, visit.milliseconds);
}

void VisitPages(HWND window) { VisitEveryPage(window); }

void PrintGrowth(const char* what, long before, long after, const std::string& source) {
  if (before < 0 || after < 0) {
    std::printf("  %-23s not counted here\n", what);
    return;
  }
  std::printf("  %-23s %ld / %ld (%+ld; %s)\n", what, before, after, after - before, source.c_str());
}

void Rounds::Add(const OpeningTimes& times) {
  if (times.timedOut) {
    ++timeouts;
    return;
  }
  totals.push_back(Milliseconds(times.painted - times.start));
  LONGLONG at = times.start;
  steps.Add("make the model and the window classes", Milliseconds(times.windowCreated - at));
  at = times.windowCreated;
  std::string step = "create the window";
  for (const auto& [name, when] : times.steps) {
    steps.Add(step, Milliseconds(when - at));
    step = name;
    at = when;
  }
  steps.Add(step, Milliseconds(times.shown - at));
  steps.Add("first paint", Milliseconds(times.painted - times.shown));
}

OpeningTimes OpenWindow(const CplLibrary& cpl, HWND owner, PaintedCallback painted) {
  TraceMark("@round window");
  BeginRound(true, painted);
  cpl.Send(owner, 5 /* CPL_DBLCLK */, 0, 0);
  return EndRound();
}

// `round` names the copy in a trace: "@round bare" or "@round floor".
OpeningTimes OpenBare(HWND owner, BareWindow& bare, const char* round) {
  TraceMark(round);
  BeginRound(false, nullptr);
  HWND window = bare.Build(owner);
  MarkStep("show");
  ShowWindow(window, SW_SHOW);
  SetActiveWindow(window);
  SetFocus(window);
  MSG message;
  while (!RoundOver() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  OpeningTimes times = EndRound();
  bare.Destroy();
  return times;
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Each page's step on a visible floor that has shown and painted.
void TimePageFloors(HWND owner) {
  for (std::size_t page = 0; page < g_floor->Pages(); ++page) {
    HWND window = g_floor->Build(owner);
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    TraceMark(("@page floor " + g_floor->PageCaption(page)).c_str());
    const LONGLONG start = Now();
    g_floor->BuildPage(page);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    TraceMark("@page end");
    g_results.pageFloors.Add(g_floor->PageCaption(page), Milliseconds(Now() - start));
    g_floor->Destroy();
    Pump();
  }
}

// The page whose first visit is furthest above its floor, and by how much.
std::pair<std::string, double> HeaviestVisitOverFloor() {
  std::pair<std::string, double> heaviest{"", 0};
  for (const std::string& page : g_results.visits.Names()) {
    const double floor = g_results.pageFloors.MedianOf(page);
    if (floor > 0 && g_results.visits.MedianOf(page) / floor > heaviest.second) {
      heaviest = {page, g_results.visits.MedianOf(page) / floor};
    }
  }
  return heaviest;
}

void PrintTimes() {
  const Results& r = g_results;
  std::printf("\nwindow, median of %zu rounds, by step:\n", r.window.totals.size());
  r.window.steps.Print("  ");
  std::printf("first visit of each page, median:\n");
  r.visits.Print("  ");
  std::printf("bare window, median of %zu rounds, by step:\n", r.bare.totals.size());
  r.bare.steps.Print("  ");
  std::printf("rounds past their time limit:     window %d, bare %d (of %d each)\n", r.window.timeouts, r.bare.timeouts,
              r.rounds);
  const double window = Median(r.window.totals);
  const double bare = Median(r.bare.totals);
  std::printf("median bare window, same controls: %.2f ms\n", bare);
  std::printf("median open to shown:             %.2f ms\n", window);
  if (r.window.totals.empty() || r.bare.totals.empty()) {
    std::printf("ratio window / bare:              none (no round of one of them finished in time)\n");
  } else {
    std::printf("ratio window / bare:              %.2f\n", window / bare);
  }
  const auto [page, heaviest] = r.visits.Largest();
  if (bare > 0 && !page.empty()) {
    std::printf("heaviest first page visit:        %.2f ms (%s)\n", heaviest, page.c_str());
    std::printf("ratio heaviest visit / bare:      %.2f\n", heaviest / bare);
  }

  std::printf("\nvisible floor (%zu controls), median of %zu rounds, by step:\n", g_floor ? g_floor->Controls() : 0,
              r.floor.totals.size());
  r.floor.steps.Print("  ");
  std::printf("first visit of each page against its page floor, median:\n");
  for (std::size_t i = 0; g_floor && i < g_floor->Pages(); ++i) {
    const std::string& caption = g_floor->PageCaption(i);
    const double visit = r.visits.MedianOf(caption);
    const double floor = r.pageFloors.MedianOf(caption);
    std::printf("  %-24s %3zu controls  visit %7.2f ms  floor %7.2f ms  ratio %.2f\n", caption.c_str(),
                g_floor->PageControls(i), visit, floor, floor > 0 ? visit / floor : 0.0);
  }
  const double visibleFloor = Median(r.floor.totals);
  std::printf("median visible floor:             %.2f ms\n", visibleFloor);
  if (r.window.totals.empty() || r.floor.totals.empty()) {
    std::printf("ratio open / visible floor: none (no round of one of them finished in time)\n");
  } else {
    std::printf("ratio open / visible floor: %.2f\n", window / visibleFloor);
  }
  const auto [overPage, overFloor] = HeaviestVisitOverFloor();
  if (!overPage.empty()) {
    std::printf("heaviest first visit against its floor: %s\n", overPage.c_str());
    std::printf("ratio heaviest first visit / page floor: %.2f\n", overFloor);
  }
  std::fflush(stdout);
}

void PrintRegistry(const RegistryTally& tally, int patched) {
  std::printf("\nregistry calls of one opening:    %ld (import entries counted: %d)\n", tally.total, patched);
  for (const auto& [name, count] : tally.byFunction) std::printf("  %-42s %ld\n", name.c_str(), count);
  std::printf("by step:\n");
  for (const auto& [section, count] : tally.bySection) std::printf("  %-42s %ld\n", section.c_str(), count);
  if (tally.readTwice.empty()) {
    std::printf("values read more than once:       none\n");
  } else {
    std::printf("values read more than once:\n");
    for (const auto& [value, reads] : tally.readTwice) std::printf("  %s: %ld reads\n", value.c_str(), reads);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 21;
  const int cycles = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
  const int limit = argc > 3 ? std::max(500, std::atoi(argv[3])) : 5000;
  InitCommonControls();

  CplLibrary cpl;
  if (!cpl.Loaded()) {
    std::printf("cannot load %s\n", cpl.Path().c_str());
    return 1;
  }
  g_library = cpl.Module();
  const int patched = CountRegistryCalls(cpl.Module());
  InstallOpeningProbe(cpl.Module(), limit);
  SetHangReport(&PrintTimes);
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  cpl.Send(owner, 1 /* CPL_INIT */, 0, 0);

  // The first opening loads what the process keeps (fonts, classes, code):
  // it is timed apart, and its registry calls are the ones listed.
  ResetRegistryCalls();
  const OpeningTimes first = OpenWindow(cpl, owner, &RecordBare);
  const RegistryTally tally = RegistryCalls();
  Pump();
  if (!g_bare) {
    std::printf("the first opening did not paint within %d ms; stopped\n", limit);
    return 2;
  }

  // In turn, so that all see the same load on the machine.
  OpenBare(owner, *g_bare, "@round bare");
  Pump();
  OpenBare(owner, *g_floor, "@round floor");
  Pump();
  Results& r = g_results;
  for (int i = 0; i < rounds; ++i) {
    ++r.rounds;
    r.window.Add(OpenWindow(cpl, owner, &TimeVisits));
    Pump();
    r.bare.Add(OpenBare(owner, *g_bare, "@round bare"));
    Pump();
    r.floor.Add(OpenBare(owner, *g_floor, "@round floor"));
    Pump();
    TimePageFloors(owner);
  }

  const ObjectCounts before = CountObjects();
  int cycleTimeouts = 0;
  for (int i = 0; i < cycles; ++i) {
    if (OpenWindow(cpl, owner, &VisitPages).timedOut) ++cycleTimeouts;
    Pump();
  }
  const ObjectCounts after = CountObjects();

  RemoveOpeningProbe();
  cpl.Send(owner, 7 /* CPL_EXIT */, 0, 0);

  std::printf("controls in the window:           %zu child windows\n", g_bare->Controls());
  std::printf("first open to shown:              %.2f ms%s\n", Milliseconds(first.painted - first.start),
              first.timedOut ? " (past its time limit)" : "");
  PrintRegistry(tally, patched);
  std::printf("\nbefore/after %d cycles, each visiting every page:\n", cycles);
  std::printf("  committed private bytes %lu / %lu (%+ld)\n", static_cast<unsigned long>(before.privateBytes),
              static_cast<unsigned long>(after.privateBytes),
              static_cast<long>(after.privateBytes) - static_cast<long>(before.privateBytes));
  PrintGrowth("GDI objects", before.gdi, after.gdi, after.gdiSource);
  PrintGrowth("USER objects", before.user, after.user, after.userSource);
  if (cycleTimeouts) std::printf("cycles past their time limit:     %d\n", cycleTimeouts);
  PrintTimes();
  g_bare.reset();
  g_floor.reset();
  DestroyWindow(owner);
  return 0;
}
