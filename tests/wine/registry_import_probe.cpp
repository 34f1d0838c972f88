// Proves that the rig imports a test's registry files, all of them and in the
// order given: a later file's value replaces an earlier one's.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<BYTE> Query(HKEY root, const char* key, const char* name, DWORD& type) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return {};
  std::vector<BYTE> data(256);
  DWORD size = static_cast<DWORD>(data.size());
  const LONG result = RegQueryValueExA(handle, name, nullptr, &type, data.data(), &size);
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS) return {};
  data.resize(size);
  return data;
}

DWORD QueryDword(const char* name) {
  DWORD type = 0;
  const auto data = Query(HKEY_LOCAL_MACHINE, "SOFTWARE\\VarnoxRig", name, type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << name;
  DWORD value = 0;
  if (data.size() == sizeof value) memcpy(&value, data.data(), sizeof value);
  return value;
}

TEST(RegistryImport, EveryFileIsImportedAndLaterFilesWin) {
  DWORD type = 0;
  const auto text = Query(HKEY_LOCAL_MACHINE, "SOFTWARE\\VarnoxRig", "Text", type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(text.begin(), text.end()), std::string("from the base file", 19));

  EXPECT_EQ(QueryDword("Kept"), 7u);
  EXPECT_EQ(QueryDword("Number"), 42u);

  const auto binary = Query(HKEY_CURRENT_USER, "Software\\VarnoxRig", "Binary", type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(binary, (std::vector<BYTE>{0x01, 0x02, 0xff}));
}

}  // namespace
