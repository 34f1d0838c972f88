// Imports the HKEY_LOCAL_MACHINE\HARDWARE sections of a REGEDIT4 file as
// volatile keys. The system rebuilds that tree at every boot and Wine, like
// Windows, lets nothing but volatile keys live there (error 1021 otherwise),
// which reg.exe's import cannot make. The keys last as long as the
// wineserver that holds them, so the test rig keeps it running.
//
//   volatile_import FILE.reg
//
// Exit code 0 when every key and value was written; 2 for a file it cannot
// read or a section outside HKEY_LOCAL_MACHINE\HARDWARE; 1 when a call failed.

#include <windows.h>

#include <cstdio>
#include <string>

#include "reg_file.h"

namespace {

bool UnderHardware(const varnox::RegFileSection& section) {
  std::string path = section.path;
  CharUpperA(path.data());
  return lstrcmpiA(section.root.c_str(), "HKEY_LOCAL_MACHINE") == 0 &&
         (path == "HARDWARE" || path.rfind("HARDWARE\\", 0) == 0);
}

// Creates the key, and any missing key above it, volatile; writes its values.
bool Import(const varnox::RegFileSection& section) {
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, section.path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) {
    std::fprintf(stderr, "volatile_import: line %d: cannot create %s (error %ld)\n", section.line, section.path.c_str(),
                 result);
    return false;
  }
  bool ok = true;
  for (const varnox::RegFileValue& value : section.values) {
    const char* name = value.name.empty() ? nullptr : value.name.c_str();
    result = value.remove
                 ? RegDeleteValueA(key, name)
                 : RegSetValueExA(key, name, 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    if (result != ERROR_SUCCESS && !(value.remove && result == ERROR_FILE_NOT_FOUND)) {
      std::fprintf(stderr, "volatile_import: line %d: cannot write \"%s\" (error %ld)\n", value.line,
                   value.name.c_str(), result);
      ok = false;
    }
  }
  RegCloseKey(key);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: volatile_import FILE.reg\n");
    return 2;
  }
  const varnox::RegFile file = varnox::ReadRegFile(argv[1]);
  if (!file.problems.empty()) {
    std::fprintf(stderr, "volatile_import: %s:\n%s", argv[1], varnox::DescribeProblems(file).c_str());
    return 2;
  }
  for (const varnox::RegFileSection& section : file.sections) {
    if (!UnderHardware(section)) {
      std::fprintf(stderr, "volatile_import: line %d: %s\\%s is not under HKEY_LOCAL_MACHINE\\HARDWARE\n", section.line,
                   section.root.c_str(), section.path.c_str());
      return 2;
    }
  }
  bool ok = true;
  for (const varnox::RegFileSection& section : file.sections) ok = Import(section) && ok;
  return ok ? 0 : 1;
}
