// Proves that the rig imports a registry file's HKEY_LOCAL_MACHINE\HARDWARE
// keys as volatile keys, with their values in file order, and the file's
// other keys as stored ones.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "registry_probe.h"

namespace varnox::test {
namespace {

constexpr char kPort[] = "HARDWARE\\VarnoxRig\\Port 0";

// Whether a stored (non-volatile) subkey may be made under the key: never
// under a volatile one.
LONG CreateStoredChild(const std::string& path) {
  HKEY key = nullptr;
  const LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, (path + "\\Stored child").c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (result == ERROR_SUCCESS) RegCloseKey(key);
  return result;
}

TEST(VolatileImport, HardwareKeysAreVolatileWithTheirValuesInFileOrder) {
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kPort, "Driver"), "atapi");
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kPort, "Number"), 0x1F0u);
  const auto values = ValuesOf(HKEY_LOCAL_MACHINE, kPort);
  EXPECT_EQ(values.count("Gone"), 0u);
  ASSERT_EQ(values.count("Bytes"), 1u);
  EXPECT_EQ(values.at("Bytes"), (RegistryData{REG_BINARY, {0x01, 0x02}}));

  EXPECT_EQ(CreateStoredChild(kPort), ERROR_CHILD_MUST_BE_VOLATILE);
  EXPECT_EQ(CreateStoredChild(std::string(kPort) + "\\Empty"), ERROR_CHILD_MUST_BE_VOLATILE);
}

TEST(VolatileImport, TheFilesOtherKeysAreStoredAsUsual) {
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\VarnoxRig\\Stored", "Text"), "beside the hardware keys");
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\VarnoxRig", "Kept"), 7u);
  EXPECT_EQ(CreateStoredChild("SOFTWARE\\VarnoxRig\\Stored"), ERROR_SUCCESS);
}

}  // namespace
}  // namespace varnox::test
