#pragma once
// Loads the built varnox.cpl for a test and calls its one export. The runner
// copies the library beside the test program; VARNOX_CPL names another path.

#include <windows.h>

#include <cstdlib>
#include <string>

namespace varnox::test {

class CplLibrary {
 public:
  CplLibrary() : path_(Locate()) {
    module_ = LoadLibraryA(path_.c_str());
    if (module_) entry_ = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module_, "CPlApplet")));
  }
  ~CplLibrary() {
    if (module_) FreeLibrary(module_);
  }
  CplLibrary(const CplLibrary&) = delete;
  CplLibrary& operator=(const CplLibrary&) = delete;

  bool Loaded() const { return module_ && entry_; }
  HMODULE Module() const { return module_; }
  const std::string& Path() const { return path_; }
  LONG Send(HWND window, UINT message, LPARAM param1, LPARAM param2) const {
    return entry_(window, message, param1, param2);
  }

 private:
  using Entry = LONG(APIENTRY*)(HWND, UINT, LPARAM, LPARAM);

  static std::string Locate() {
    if (const char* path = std::getenv("VARNOX_CPL"); path && *path) return path;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string directory(self);
    directory.erase(directory.find_last_of("\\/") + 1);
    return directory + "varnox.cpl";
  }

  std::string path_;
  HMODULE module_ = nullptr;
  Entry entry_ = nullptr;
};

}  // namespace varnox::test
