#include "registry_dump.h"

#include <fstream>
#include <sstream>

namespace varnox::test {

namespace {

void DumpTree(HKEY root, const std::string& rootName, const std::string& path, Dump& dump) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  const std::string prefix = rootName + "\\" + path + (path.empty() ? "" : "\\");
  dump[prefix] = "key";
  for (DWORD index = 0;; ++index) {
    char name[1024];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    std::vector<BYTE> data(64 * 1024);
    auto size = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
    std::ostringstream line;
    line << type << ":";
    for (DWORD i = 0; i < size; ++i) line << std::hex << static_cast<int>(data[i]) << ",";
    dump[prefix + std::string(name, nameLength)] = line.str();
  }
  std::vector<std::string> subkeys;
  for (DWORD index = 0;; ++index) {
    char name[1024];
    DWORD nameLength = sizeof name;
    if (RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subkeys.emplace_back(name, nameLength);
  }
  RegCloseKey(key);
  for (const std::string& subkey : subkeys) {
    // The control sets are reached once, through CurrentControlSet. Wine
    // keeps state of its own under Software\Wine, and records the display
    // of each X server under Video and Class. Its console host writes its
    // defaults under Console whenever a console program (reg.exe, say)
    // first runs in the prefix, at a moment no test controls; the window
    // manages nothing there.
    if (path == "SYSTEM" && subkey.rfind("ControlSet", 0) == 0) continue;
    if (rootName == "HKCU" && path == "Software" && subkey == "Wine") continue;
    if (rootName == "HKCU" && path.empty() && subkey == "Console") continue;
    if (path == "SYSTEM\\CurrentControlSet\\Control" && (subkey == "Video" || subkey == "Class")) continue;
    DumpTree(root, rootName, path.empty() ? subkey : path + "\\" + subkey, dump);
  }
}

}  // namespace

Dump DumpRegistry() {
  Dump dump;
  DumpTree(HKEY_CURRENT_USER, "HKCU", "", dump);
  DumpTree(HKEY_LOCAL_MACHINE, "HKLM", "SOFTWARE", dump);
  DumpTree(HKEY_LOCAL_MACHINE, "HKLM", "SYSTEM", dump);
  return dump;
}

std::vector<std::string> Differences(const Dump& a, const Dump& b) {
  std::vector<std::string> names;
  for (const auto& [name, value] : a) {
    const auto other = b.find(name);
    if (other == b.end() || other->second != value) names.push_back(name);
  }
  for (const auto& [name, value] : b) {
    if (!a.count(name)) names.push_back(name);
  }
  return names;
}

void Save(const Dump& dump, const std::string& path) {
  std::ofstream file(path, std::ios::binary);
  for (const auto& [name, value] : dump) file << name << '\t' << value << '\n';
}

Dump Load(const std::string& path) {
  Dump dump;
  std::ifstream file(path, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    const auto tab = line.find('\t');
    dump[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return dump;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace varnox::test
