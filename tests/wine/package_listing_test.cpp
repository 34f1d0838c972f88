// The installed package as Windows shows it: Control Panel's registered
// applets, the applet's category, and the entry in Programs and Features.
// tests/package/install-cycle runs this after installing; VARNOX_INSTALLED_CPL
// names where the package should have put the library.

#include <gtest/gtest.h>
#include <windows.h>

#include <cpl.h>
#include <msi.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace varnox::test {
namespace {

constexpr char kControlPanel[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\";
constexpr char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string InstalledPath() {
  const char* path = std::getenv("VARNOX_INSTALLED_CPL");
  return path ? path : "";
}

// This program has the package's word size, so its own registry view is the
// one the package must write to; the other view, on 64-bit Windows, is the
// one it must not.
REGSAM OtherView() {
  if (sizeof(void*) == 8) return KEY_WOW64_32KEY;
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64 ? KEY_WOW64_64KEY : 0;
}

struct Value {
  DWORD type = REG_NONE;
  std::string data;
};

std::vector<std::pair<std::string, Value>> ValuesOf(const std::string& key, REGSAM view = 0) {
  std::vector<std::pair<std::string, Value>> values;
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return values;
  for (DWORD index = 0;; ++index) {
    char name[512];
    BYTE data[2048];
    DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = REG_NONE;
    if (RegEnumValueA(handle, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
    data[dataSize] = 0;
    Value value{type, {}};
    if (type == REG_DWORD && dataSize == 4) {
      value.data = std::to_string(*reinterpret_cast<DWORD*>(data));
    } else {
      value.data = reinterpret_cast<char*>(data);
    }
    values.emplace_back(name, value);
  }
  RegCloseKey(handle);
  return values;
}

std::string Expanded(const std::string& text) {
  char buffer[MAX_PATH * 2] = {};
  ExpandEnvironmentStringsA(text.c_str(), buffer, sizeof buffer);
  return buffer;
}

// What the shell does for each registered library: expand the path, load it,
// CPL_INIT, then CPL_NEWINQUIRE for each of its applets.
std::vector<std::string> AppletNames(const std::string& path) {
  std::vector<std::string> names;
  HMODULE module = LoadLibraryA(path.c_str());
  if (!module) return names;
  using Entry = LONG(APIENTRY*)(HWND, UINT, LPARAM, LPARAM);
  auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "CPlApplet")));
  if (entry && entry(nullptr, CPL_INIT, 0, 0)) {
    const LONG count = entry(nullptr, CPL_GETCOUNT, 0, 0);
    for (LONG i = 0; i < count; ++i) {
      NEWCPLINFOA info = {};
      info.dwSize = sizeof info;
      entry(nullptr, CPL_NEWINQUIRE, i, reinterpret_cast<LPARAM>(&info));
      if (info.hIcon) DestroyIcon(info.hIcon);
      names.emplace_back(info.szName);
    }
    entry(nullptr, CPL_EXIT, 0, 0);
  }
  FreeLibrary(module);
  return names;
}

std::string RegisteredPath() {
  for (const auto& [name, value] : ValuesOf(std::string(kControlPanel) + "Cpls")) {
    if (name == "Varnox") return value.data;
  }
  return {};
}

TEST(InstalledPackage, ControlPanelListsTheInstalledAppletAsVarnox) {
  ASSERT_FALSE(InstalledPath().empty());
  std::vector<std::string> listed;
  for (const auto& [name, value] : ValuesOf(std::string(kControlPanel) + "Cpls")) {
    ASSERT_TRUE(value.type == REG_SZ || value.type == REG_EXPAND_SZ) << name;
    const std::string path = Expanded(value.data);
    for (const std::string& applet : AppletNames(path)) {
      listed.push_back(applet);
      if (applet == "Varnox") {
        EXPECT_EQ(name, "Varnox");
        EXPECT_EQ(lstrcmpiA(path.c_str(), InstalledPath().c_str()), 0) << path;
      }
    }
  }
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "Varnox"), 1);
  if (OtherView()) {
    EXPECT_TRUE(ValuesOf(std::string(kControlPanel) + "Cpls", OtherView()).empty())
        << "each package registers in the view of its own word size only";
  }
}

TEST(InstalledPackage, TheCategoryNamesTheRegisteredPath) {
  const std::string registered = RegisteredPath();
  ASSERT_FALSE(registered.empty());
  // Vista and later, then XP: the category key of each, value named by the path.
  for (const char* key : {"Extended Properties\\System.ControlPanel.Category",
                          "Extended Properties\\{305CA226-D286-468e-B848-2B2E8E697B74} 2"}) {
    const auto values = ValuesOf(std::string(kControlPanel) + key);
    ASSERT_EQ(values.size(), 1u) << key;
    EXPECT_EQ(values[0].first, registered) << key;
    EXPECT_EQ(values[0].second.type, static_cast<DWORD>(REG_DWORD)) << key;
    EXPECT_EQ(values[0].second.data, "5") << key << ": System and Security";
    if (OtherView()) {
      EXPECT_TRUE(ValuesOf(std::string(kControlPanel) + key, OtherView()).empty()) << key;
    }
  }
}

std::string FileVersion(const std::string& path) {
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT size = 0;
  if (block.empty() || !GetFileVersionInfoA(path.c_str(), 0, block.size(), block.data()) ||
      !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &size) || !info) {
    return {};
  }
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

std::string ProductInfo(const char* product, const char* property) {
  char buffer[MAX_PATH] = {};
  DWORD size = sizeof buffer;
  return MsiGetProductInfoA(product, property, buffer, &size) == ERROR_SUCCESS ? buffer : "";
}

TEST(InstalledPackage, ProgramsAndFeaturesShowsOneEntryWithTheAppletsVersion) {
  std::vector<std::string> ours;
  char product[39];
  for (DWORD index = 0; MsiEnumProductsA(index, product) == ERROR_SUCCESS; ++index) {
    if (ProductInfo(product, INSTALLPROPERTY_INSTALLEDPRODUCTNAME).rfind("Varnox", 0) == 0) ours.push_back(product);
  }
  ASSERT_EQ(ours.size(), 1u) << "an upgrade leaves one product";
  const char* code = ours[0].c_str();
  const std::string version = FileVersion(InstalledPath());
  ASSERT_FALSE(version.empty()) << InstalledPath();
  EXPECT_EQ(ProductInfo(code, INSTALLPROPERTY_INSTALLEDPRODUCTNAME), sizeof(void*) == 8 ? "Varnox (64-bit)" : "Varnox");
  EXPECT_EQ(ProductInfo(code, INSTALLPROPERTY_VERSIONSTRING), version);
  EXPECT_EQ(ProductInfo(code, INSTALLPROPERTY_PUBLISHER), "Varnox developers");
  const std::string icon = ProductInfo(code, INSTALLPROPERTY_PRODUCTICON);
  EXPECT_NE(GetFileAttributesA(icon.c_str()), INVALID_FILE_ATTRIBUTES) << "icon '" << icon << "'";

  // What "Programs and Features" reads for the version and the size. The size
  // is Windows Installer's own estimate: Windows computes it, Wine writes 0.
  std::vector<std::string> names;
  for (const auto& [name, value] : ValuesOf(kUninstall + ours[0])) {
    if (name == "DisplayVersion") {
      EXPECT_EQ(value.data, version);
    } else if (name == "EstimatedSize") {
      EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
    }
    names.push_back(name);
  }
  for (const char* name : {"DisplayName", "DisplayVersion", "Publisher", "EstimatedSize", "UninstallString"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  }
}

}  // namespace
}  // namespace varnox::test
