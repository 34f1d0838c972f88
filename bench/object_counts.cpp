#include "object_counts.h"

#include <psapi.h>
#include <winternl.h>

namespace varnox::bench {

namespace {

// Committed private memory, summed over the address space: the process
// memory counters give it too, but Wine leaves them at zero.
SIZE_T CommittedPrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  if (memory.PrivateUsage) return memory.PrivateUsage;
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* address = nullptr; VirtualQuery(address, &region, sizeof region) == sizeof region;
       address = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    if (region.RegionSize == 0) break;
  }
  return total;
}

// Wine's GDI handle table, which its process environment block points to
// (GetGuiResources there counts nothing): an entry whose type is not zero
// holds a live object of this process.
struct WineGdiEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  UINT64 userPointer;
};
constexpr int kWineGdiEntries = 0x10000;

long WineGdiObjects() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!GetProcAddress(ntdll, "wine_get_version")) return -1;
  using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  const auto query =
      reinterpret_cast<QueryFn>(reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic = {};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  // GdiSharedHandleTable: 0x94 into the 32-bit block, 0xF8 into the 64-bit one.
  const auto* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + (sizeof(void*) == 4 ? 0x94 : 0xF8));
  if (!table) return -1;
  long live = 0;
  for (int i = 0; i < kWineGdiEntries; ++i) {
    if (table[i].type != 0) ++live;
  }
  return live;
}

// A count that does not see one more brush is no count.
template <class Count>
bool SeesABrush(Count count) {
  const long before = count();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  const long with = count();
  DeleteObject(brush);
  return before >= 0 && with == before + 1 && count() == before;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  EnumChildWindows(window, &CountWindow, count);
  return TRUE;
}

long ThreadWindows() {
  long count = 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace

ObjectCounts CountObjects() {
  ObjectCounts counts;
  counts.privateBytes = CommittedPrivateBytes();
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (gdi != 0) {
    counts.gdi = static_cast<long>(gdi);
    counts.gdiSource = "GetGuiResources";
  } else if (SeesABrush(&WineGdiObjects)) {
    counts.gdi = WineGdiObjects();
    counts.gdiSource = "live entries of Wine's GDI handle table";
  }
  if (user != 0) {
    counts.user = static_cast<long>(user);
    counts.userSource = "GetGuiResources";
  } else {
    // Windows are what a window leaks of USER objects.
    counts.user = ThreadWindows();
    counts.userSource = "windows of this thread";
  }
  return counts;
}

}  // namespace varnox::bench
