#include "registry_call_counter.h"

#include <algorithm>
#include <cctype>

#include "import_patch.h"

namespace varnox::bench {

namespace {

std::string g_section = "before any step";
RegistryTally g_tally;
std::map<HKEY, std::string> g_openKeys;  // what each key handle the library holds names
std::map<std::string, long> g_dataReads;

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

void Count(const char* function) {
  ++g_tally.byFunction[function];
  ++g_tally.total;
  auto found = std::find_if(g_tally.bySection.begin(), g_tally.bySection.end(),
                            [](const auto& entry) { return entry.first == g_section; });
  if (found == g_tally.bySection.end()) {
    g_tally.bySection.emplace_back(g_section, 1);
  } else {
    ++found->second;
  }
}

std::string KeyName(HKEY key) {
  if (key == HKEY_LOCAL_MACHINE) return "HKLM";
  if (key == HKEY_CURRENT_USER) return "HKCU";
  if (auto found = g_openKeys.find(key); found != g_openKeys.end()) return found->second;
  return "?";
}

// Registry names ignore case.
std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

void Opened(LONG status, HKEY parent, LPCSTR path, PHKEY result) {
  if (status == ERROR_SUCCESS && result) g_openKeys[*result] = KeyName(parent) + "\\" + (path ? path : "");
}

LONG WINAPI CountedOpenKeyEx(HKEY k, LPCSTR p, DWORD o, REGSAM s, PHKEY r) {
  Count("RegOpenKeyExA");
  const LONG status = g_openKeyEx(k, p, o, s, r);
  Opened(status, k, p, r);
  return status;
}
LONG WINAPI CountedCreateKeyEx(HKEY k, LPCSTR p, DWORD r, LPSTR c, DWORD o, REGSAM s, LPSECURITY_ATTRIBUTES a,
                               PHKEY res, LPDWORD d) {
  Count("RegCreateKeyExA");
  const LONG status = g_createKeyEx(k, p, r, c, o, s, a, res, d);
  Opened(status, k, p, res);
  return status;
}
LONG WINAPI CountedQueryValueEx(HKEY k, LPCSTR n, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD s) {
  Count("RegQueryValueExA");
  if (d) ++g_dataReads[Lower(KeyName(k) + "\\" + (n ? n : ""))];
  return g_queryValueEx(k, n, r, t, d, s);
}
LONG WINAPI CountedSetValueEx(HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE* d, DWORD s) {
  Count("RegSetValueExA");
  return g_setValueEx(k, n, r, t, d, s);
}
LONG WINAPI CountedDeleteValue(HKEY k, LPCSTR n) {
  Count("RegDeleteValueA");
  return g_deleteValue(k, n);
}
LONG WINAPI CountedQueryInfoKey(HKEY k, LPSTR c, LPDWORD cl, LPDWORD r, LPDWORD a, LPDWORD b, LPDWORD e, LPDWORD f,
                                LPDWORD g, LPDWORD h, LPDWORD i, PFILETIME t) {
  Count("RegQueryInfoKeyA");
  return g_queryInfoKey(k, c, cl, r, a, b, e, f, g, h, i, t);
}
LONG WINAPI CountedCloseKey(HKEY k) {
  Count("RegCloseKey");
  g_openKeys.erase(k);
  return g_closeKey(k);
}

template <class F>
bool Patch(HMODULE module, const char* name, F& keep, F counted) {
  void* original = PatchImport(module, "advapi32.dll", name, reinterpret_cast<void*>(counted));
  if (original) keep = reinterpret_cast<F>(original);
  return original != nullptr;
}

}  // namespace

int CountRegistryCalls(HMODULE module) {
  return Patch(module, "RegOpenKeyExA", g_openKeyEx, &CountedOpenKeyEx) +
         Patch(module, "RegCreateKeyExA", g_createKeyEx, &CountedCreateKeyEx) +
         Patch(module, "RegQueryValueExA", g_queryValueEx, &CountedQueryValueEx) +
         Patch(module, "RegSetValueExA", g_setValueEx, &CountedSetValueEx) +
         Patch(module, "RegDeleteValueA", g_deleteValue, &CountedDeleteValue) +
         Patch(module, "RegQueryInfoKeyA", g_queryInfoKey, &CountedQueryInfoKey) +
         Patch(module, "RegCloseKey", g_closeKey, &CountedCloseKey);
}

void SetSection(const std::string& section) { g_section = section; }

RegistryTally RegistryCalls() {
  RegistryTally tally = g_tally;
  for (const auto& [value, reads] : g_dataReads) {
    if (reads > 1) tally.readTwice.emplace_back(value, reads);
  }
  return tally;
}

void ResetRegistryCalls() {
  g_tally = {};
  g_dataReads.clear();
}

}  // namespace varnox::bench
