#include "registry_call_counter.h"

#include <cstring>

namespace varnox::bench {

namespace {

std::map<std::string, long> g_calls;

using OpenKeyEx = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
using CreateKeyEx = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);
using QueryValueEx = LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using SetValueEx = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
using DeleteValue = LONG(WINAPI*)(HKEY, LPCSTR);
using QueryInfoKey = LONG(WINAPI*)(HKEY, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD,
                                   LPDWORD, PFILETIME);
using CloseKey = LONG(WINAPI*)(HKEY);

OpenKeyEx g_openKeyEx;
CreateKeyEx g_createKeyEx;
QueryValueEx g_queryValueEx;
SetValueEx g_setValueEx;
DeleteValue g_deleteValue;
QueryInfoKey g_queryInfoKey;
CloseKey g_closeKey;

LONG WINAPI CountedOpenKeyEx(HKEY k, LPCSTR p, DWORD o, REGSAM s, PHKEY r) {
  ++g_calls["RegOpenKeyExA"];
  return g_openKeyEx(k, p, o, s, r);
}
LONG WINAPI CountedCreateKeyEx(HKEY k, LPCSTR p, DWORD r, LPSTR c, DWORD o, REGSAM s, LPSECURITY_ATTRIBUTES a,
                               PHKEY res, LPDWORD d) {
  ++g_calls["RegCreateKeyExA"];
  return g_createKeyEx(k, p, r, c, o, s, a, res, d);
}
LONG WINAPI CountedQueryValueEx(HKEY k, LPCSTR n, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD s) {
  ++g_calls["RegQueryValueExA"];
  return g_queryValueEx(k, n, r, t, d, s);
}
LONG WINAPI CountedSetValueEx(HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE* d, DWORD s) {
  ++g_calls["RegSetValueExA"];
  return g_setValueEx(k, n, r, t, d, s);
}
LONG WINAPI CountedDeleteValue(HKEY k, LPCSTR n) {
  ++g_calls["RegDeleteValueA"];
  return g_deleteValue(k, n);
}
LONG WINAPI CountedQueryInfoKey(HKEY k, LPSTR c, LPDWORD cl, LPDWORD r, LPDWORD a, LPDWORD b, LPDWORD e, LPDWORD f,
                                LPDWORD g, LPDWORD h, LPDWORD i, PFILETIME t) {
  ++g_calls["RegQueryInfoKeyA"];
  return g_queryInfoKey(k, c, cl, r, a, b, e, f, g, h, i, t);
}
LONG WINAPI CountedCloseKey(HKEY k) {
  ++g_calls["RegCloseKey"];
  return g_closeKey(k);
}

template <class F>
void* Replace(void* original, F& keep, F counted) {
  keep = reinterpret_cast<F>(original);
  return reinterpret_cast<void*>(counted);
}

void* Wrapper(const char* name, void* original) {
  if (!std::strcmp(name, "RegOpenKeyExA")) return Replace(original, g_openKeyEx, &CountedOpenKeyEx);
  if (!std::strcmp(name, "RegCreateKeyExA")) return Replace(original, g_createKeyEx, &CountedCreateKeyEx);
  if (!std::strcmp(name, "RegQueryValueExA")) return Replace(original, g_queryValueEx, &CountedQueryValueEx);
  if (!std::strcmp(name, "RegSetValueExA")) return Replace(original, g_setValueEx, &CountedSetValueEx);
  if (!std::strcmp(name, "RegDeleteValueA")) return Replace(original, g_deleteValue, &CountedDeleteValue);
  if (!std::strcmp(name, "RegQueryInfoKeyA")) return Replace(original, g_queryInfoKey, &CountedQueryInfoKey);
  if (!std::strcmp(name, "RegCloseKey")) return Replace(original, g_closeKey, &CountedCloseKey);
  return nullptr;
}

}  // namespace

int CountRegistryCalls(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return 0;
  int patched = 0;
  for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); import->Name;
       ++import) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + import->Name), "advapi32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
    auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++addresses) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      void* original = reinterpret_cast<void*>(addresses->u1.Function);
      void* wrapper = Wrapper(reinterpret_cast<const char*>(byName->Name), original);
      if (!wrapper) continue;
      DWORD protection;
      VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, PAGE_READWRITE, &protection);
      addresses->u1.Function = reinterpret_cast<ULONG_PTR>(wrapper);
      VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, protection, &protection);
      ++patched;
    }
  }
  return patched;
}

const std::map<std::string, long>& RegistryCalls() { return g_calls; }

long TotalRegistryCalls() {
  long total = 0;
  for (const auto& [name, count] : g_calls) total += count;
  return total;
}

void ResetRegistryCalls() { g_calls.clear(); }

}  // namespace varnox::bench
