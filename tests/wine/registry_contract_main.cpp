// The registry contract against the real registry under Wine, and the
// decision about the 64-bit registry view.

#include <windows.h>

#include <string>
#include <vector>

#include "contract/registry_contract.h"
#include "platform/win32/win32_registry.h"

namespace varnox {
namespace {

// RegDeleteKeyA removes only keys without subkeys, so the tree goes from the leaves up.
void RemoveTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  std::vector<std::string> children;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.emplace_back(name, length);
  }
  RegCloseKey(key);
  for (const std::string& child : children) RemoveTree(root, path + "\\" + child);
  RegDeleteKeyA(root, path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Wine, RegistryContract,
                         ::testing::Values(RegistryContractTarget{
                             "Wine", [] { return std::make_shared<Win32RegistryApi>(); },
                             [](RegKey root, const std::string& path) { RemoveTree(ToHkey(root), path); }}),
                         RegistryContractName);

using GetNativeSystemInfoFn = void(WINAPI*)(SYSTEM_INFO*);

// Whether Windows itself is 64-bit, asked without IsWow64Process.
bool WindowsIsSixtyFourBit() {
  const auto getNativeSystemInfo = reinterpret_cast<GetNativeSystemInfoFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetNativeSystemInfo")));
  if (getNativeSystemInfo == nullptr) return false;  // older than XP: never 64-bit
  SYSTEM_INFO info = {};
  getNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

TEST(Win32RegistryView, SixtyFourBitOnlyForA32BitProgramOnA64BitWindows) {
  const bool wow64 = sizeof(void*) == 4 && WindowsIsSixtyFourBit();
  Win32RegistryApi api;
  EXPECT_EQ(api.UsesSixtyFourBitView(), wow64);

  // Under WOW64 a write must reach the key that Windows reads, not the 32-bit copy.
  RegKey key = 0;
  ASSERT_EQ(api.CreateKey(kHkeyLocalMachine, "SOFTWARE\\VarnoxView", kKeyAllAccess, &key), kErrorSuccess);
  api.CloseKey(key);
  HKEY seen = nullptr;
  const REGSAM kViewOfWindows = wow64 ? KEY_WOW64_64KEY : 0;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VarnoxView", 0, KEY_READ | kViewOfWindows, &seen),
            ERROR_SUCCESS);
  if (seen != nullptr) RegCloseKey(seen);
  if (wow64) {
    seen = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VarnoxView", 0, KEY_READ | KEY_WOW64_32KEY, &seen),
              ERROR_FILE_NOT_FOUND);
    if (seen != nullptr) RegCloseKey(seen);
  }
  HKEY software = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ALL_ACCESS | kViewOfWindows, &software) == ERROR_SUCCESS) {
    RegDeleteKeyA(software, "VarnoxView");
    RegCloseKey(software);
  }
}

TEST(Win32Registry, ThePredefinedRootsReachTheirHives) {
  // The roots are mapped by name; a plain cast would miss them in a 64-bit program.
  EXPECT_EQ(ToHkey(kHkeyCurrentUser), HKEY_CURRENT_USER);
  EXPECT_EQ(ToHkey(kHkeyLocalMachine), HKEY_LOCAL_MACHINE);
  Win32RegistryApi api;
  RegKey key = 0;
  ASSERT_EQ(api.OpenKey(kHkeyLocalMachine, "SOFTWARE", kKeyRead, &key), kErrorSuccess);
  EXPECT_EQ(api.CloseKey(key), kErrorSuccess);
  EXPECT_EQ(&SystemRegistry(), &SystemRegistry());
}

}  // namespace
}  // namespace varnox
