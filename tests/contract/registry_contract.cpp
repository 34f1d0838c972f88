#include "contract/registry_contract.h"

#include <algorithm>
#include <cstring>

#include "support/memory_registry.h"

namespace varnox {

namespace {

constexpr std::uint32_t kKeySetValueOnly = 0x0002;
constexpr std::uint8_t kFill = 0x55;

std::vector<std::uint8_t> Bytes(const char* text, std::size_t size) {
  return std::vector<std::uint8_t>(text, text + size);
}

std::vector<std::uint8_t> Text(const char* text) { return Bytes(text, std::strlen(text) + 1); }

std::string ScratchName() {
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(name.begin(), name.end(), '/', '_');
  return name;
}

}  // namespace

void RegistryContract::SetUp() {
  api_ = GetParam().make();
  ASSERT_TRUE(api_);
  scratchPath_ = "Software\\VarnoxContract\\" + ScratchName();
  if (GetParam().removeTree) GetParam().removeTree(kHkeyCurrentUser, scratchPath_);
  ASSERT_EQ(Api().CreateKey(kHkeyCurrentUser, scratchPath_, kKeyAllAccess, &scratch_), kErrorSuccess);
}

void RegistryContract::TearDown() {
  if (!api_) return;
  for (RegKey key : opened_) Api().CloseKey(key);
  if (scratch_ != 0) Api().CloseKey(scratch_);
  if (GetParam().removeTree) GetParam().removeTree(kHkeyCurrentUser, scratchPath_);
}

long RegistryContract::Open(const std::string& path, std::uint32_t access, RegKey* key) {
  const long result = Api().OpenKey(scratch_, path, access, key);
  if (result == kErrorSuccess) opened_.push_back(*key);
  return result;
}

long RegistryContract::Create(const std::string& path, std::uint32_t access, RegKey* key) {
  const long result = Api().CreateKey(scratch_, path, access, key);
  if (result == kErrorSuccess) opened_.push_back(*key);
  return result;
}

long RegistryContract::Close(RegKey key) {
  opened_.erase(std::remove(opened_.begin(), opened_.end(), key), opened_.end());
  return Api().CloseKey(key);
}

long RegistryContract::Set(RegKey key, const std::string& name, std::uint32_t type,
                           const std::vector<std::uint8_t>& data) {
  return Api().SetValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
}

TEST_P(RegistryContract, OpenFindsOnlyExistingKeysAndCreateMakesTheMissingParents) {
  RegKey key = 0;
  EXPECT_EQ(Open("A", kKeyAllAccess, &key), kErrorFileNotFound);
  EXPECT_EQ(Open("A\\B", kKeyAllAccess, &key), kErrorFileNotFound);

  ASSERT_EQ(Create("A\\B\\C", kKeyAllAccess, &key), kErrorSuccess);
  EXPECT_EQ(Open("A", kKeyAllAccess, &key), kErrorSuccess);
  EXPECT_EQ(Open("A\\B", kKeyRead, &key), kErrorSuccess);
  EXPECT_EQ(Open("a\\b\\c", kKeyAllAccess, &key), kErrorSuccess) << "key names ignore case";
  EXPECT_EQ(Open("A\\B\\", kKeyAllAccess, &key), kErrorSuccess) << "a trailing backslash is allowed";
  EXPECT_EQ(Open("\\A", kKeyAllAccess, &key), kErrorBadPathname);
  EXPECT_EQ(Create("\\D", kKeyAllAccess, &key), kErrorBadPathname);
  EXPECT_EQ(Open("A\\B\\C\\D", kKeyAllAccess, &key), kErrorFileNotFound);

  // Creating an existing key opens it; a path from the root reaches the same key.
  RegKey again = 0;
  ASSERT_EQ(Create("A\\B", kKeyAllAccess, &again), kErrorSuccess);
  ASSERT_EQ(Set(again, "Mark", kRegDword, {1, 0, 0, 0}), kErrorSuccess);
  RegKey fromRoot = 0;
  ASSERT_EQ(Api().OpenKey(kHkeyCurrentUser, scratchPath_ + "\\A\\B", kKeyRead, &fromRoot), kErrorSuccess);
  opened_.push_back(fromRoot);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(Api().QueryValue(fromRoot, "Mark", &type, nullptr, &size), kErrorSuccess);
}

TEST_P(RegistryContract, HandleAccessDecidesWhatItMayDo) {
  ASSERT_EQ(Set("Kept", kRegDword, {7, 0, 0, 0}), kErrorSuccess);
  RegKey readOnly = 0;
  ASSERT_EQ(Open("", kKeyRead, &readOnly), kErrorSuccess);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(Api().QueryValue(readOnly, "Kept", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(Set(readOnly, "New", kRegDword, {1, 0, 0, 0}), kErrorAccessDenied);
  EXPECT_EQ(Api().DeleteValue(readOnly, "Kept"), kErrorAccessDenied);
  EXPECT_EQ(Api().DeleteValue(readOnly, "Missing"), kErrorAccessDenied) << "access is checked before the name";
  RegKeyInfo info;
  EXPECT_EQ(Api().QueryInfoKey(readOnly, &info), kErrorSuccess);
  EXPECT_EQ(Api().QueryValue(scratch_, "Kept", &type, nullptr, &size), kErrorSuccess) << "the refused delete kept it";
  EXPECT_EQ(Api().QueryValue(scratch_, "New", &type, nullptr, &size), kErrorFileNotFound);

  RegKey writeOnly = 0;
  ASSERT_EQ(Open("", kKeySetValueOnly, &writeOnly), kErrorSuccess);
  EXPECT_EQ(Api().QueryValue(writeOnly, "Kept", &type, nullptr, &size), kErrorAccessDenied);
  EXPECT_EQ(Set(writeOnly, "New", kRegDword, {1, 0, 0, 0}), kErrorSuccess);
}

TEST_P(RegistryContract, QueryWithoutBufferGivesTypeAndStoredSize) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const std::vector<Case> cases = {
      {"Text", kRegSz, Text("hello")},
      {"EmptyText", kRegSz, {}},
      {"Expand", kRegExpandSz, Text("%A%")},
      {"Number", kRegDword, {1, 2, 3, 4}},
      {"ShortNumber", kRegDword, {7, 0}},
      {"Raw", kRegBinary, {1, 2, 3, 4, 5, 6, 7}},
      {"Multi", kRegMultiSz, Bytes("a\0bc\0", 6)},
      {"Nothing", kRegNone, {}},
      {"InnerNul", kRegSz, Bytes("ab\0cd", 6)},
  };
  for (const Case& c : cases) ASSERT_EQ(Set(c.name, c.type, c.data), kErrorSuccess) << c.name;
  for (const Case& c : cases) {
    std::uint32_t type = 0xDEAD;
    std::uint32_t size = 0xDEAD;
    EXPECT_EQ(Api().QueryValue(scratch_, c.name, &type, nullptr, &size), kErrorSuccess) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(size, c.data.size()) << c.name;
  }
  EXPECT_EQ(Api().QueryValue(scratch_, "Text", nullptr, nullptr, nullptr), kErrorSuccess);
  EXPECT_EQ(Api().QueryValue(scratch_, "Missing", nullptr, nullptr, nullptr), kErrorFileNotFound);
}

TEST_P(RegistryContract, QueryWithBufferCopiesTheDataOrAsksForMoreRoom) {
  ASSERT_EQ(Set("Raw", kRegBinary, {1, 2, 3, 4, 5, 6, 7}), kErrorSuccess);
  ASSERT_EQ(Set("Text", kRegSz, Text("hello")), kErrorSuccess);

  std::uint8_t buffer[16];
  std::fill(std::begin(buffer), std::end(buffer), kFill);
  std::uint32_t type = 0;
  std::uint32_t size = sizeof buffer;
  ASSERT_EQ(Api().QueryValue(scratch_, "Raw", &type, buffer, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(size, 7u);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 8), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, kFill}));

  size = 6;
  ASSERT_EQ(Api().QueryValue(scratch_, "Text", &type, buffer, &size), kErrorSuccess) << "an exact fit is enough";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer)), "hello");

  size = 5;
  type = 0;
  EXPECT_EQ(Api().QueryValue(scratch_, "Text", &type, buffer, &size), kErrorMoreData);
  EXPECT_EQ(size, 6u) << "the size needed";
  EXPECT_EQ(type, kRegSz);
  size = 0;
  EXPECT_EQ(Api().QueryValue(scratch_, "Raw", &type, buffer, &size), kErrorMoreData);
  EXPECT_EQ(size, 7u);

  EXPECT_EQ(Api().QueryValue(scratch_, "Raw", &type, buffer, nullptr), kErrorInvalidParameter);
}

TEST_P(RegistryContract, TextWithoutItsNulGetsOneOnlyWhereThereIsRoom) {
  // The byte after the three counted ones is not a NUL, so nothing may take it for one.
  const char stored[] = "abcX";
  ASSERT_EQ(Api().SetValue(scratch_, "Bare", kRegSz, reinterpret_cast<const std::uint8_t*>(stored), 3), kErrorSuccess);
  ASSERT_EQ(Set("Empty", kRegSz, {}), kErrorSuccess);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  ASSERT_EQ(Api().QueryValue(scratch_, "Bare", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(size, 3u);

  std::uint8_t buffer[8];
  std::fill(std::begin(buffer), std::end(buffer), kFill);
  size = sizeof buffer;
  ASSERT_EQ(Api().QueryValue(scratch_, "Bare", &type, buffer, &size), kErrorSuccess);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 5), (std::vector<std::uint8_t>{'a', 'b', 'c', 0, kFill}));

  std::fill(std::begin(buffer), std::end(buffer), kFill);
  size = 3;
  ASSERT_EQ(Api().QueryValue(scratch_, "Bare", &type, buffer, &size), kErrorSuccess);
  EXPECT_EQ(buffer[3], kFill) << "nothing written past the buffer given";

  std::fill(std::begin(buffer), std::end(buffer), kFill);
  size = sizeof buffer;
  ASSERT_EQ(Api().QueryValue(scratch_, "Empty", &type, buffer, &size), kErrorSuccess);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(buffer[0], kFill);
}

TEST_P(RegistryContract, SettingAnExistingNameReplacesTypeAndDataWhateverTheCase) {
  ASSERT_EQ(Set("MixedCase", kRegSz, Text("first")), kErrorSuccess);
  ASSERT_EQ(Set("MIXEDCASE", kRegDword, {5, 0, 0, 0}), kErrorSuccess);

  std::uint8_t buffer[8] = {};
  std::uint32_t type = 0;
  std::uint32_t size = sizeof buffer;
  ASSERT_EQ(Api().QueryValue(scratch_, "mixedcase", &type, buffer, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(buffer[0], 5);

  ASSERT_EQ(Set("mixedCASE", kRegBinary, {9}), kErrorSuccess);
  size = sizeof buffer;
  ASSERT_EQ(Api().QueryValue(scratch_, "MixedCase", &type, buffer, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(size, 1u);

  RegKeyInfo info;
  ASSERT_EQ(Api().QueryInfoKey(scratch_, &info), kErrorSuccess);
  EXPECT_EQ(info.valueCount, 1u);
}

TEST_P(RegistryContract, DeleteRemovesAPresentValueAndReportsAMissingOne) {
  ASSERT_EQ(Set("Gone", kRegDword, {1, 0, 0, 0}), kErrorSuccess);
  ASSERT_EQ(Set("Stays", kRegDword, {2, 0, 0, 0}), kErrorSuccess);

  EXPECT_EQ(Api().DeleteValue(scratch_, "GONE"), kErrorSuccess);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(Api().QueryValue(scratch_, "Gone", &type, nullptr, &size), kErrorFileNotFound);
  EXPECT_EQ(Api().QueryValue(scratch_, "Stays", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(Api().DeleteValue(scratch_, "Gone"), kErrorFileNotFound);
  EXPECT_EQ(Api().DeleteValue(scratch_, "NeverThere"), kErrorFileNotFound);
}

TEST_P(RegistryContract, TheEmptyNameIsTheDefaultValue) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(Api().QueryValue(scratch_, "", &type, nullptr, &size), kErrorFileNotFound) << "no default until set";

  ASSERT_EQ(Set("", kRegSz, Text("dflt")), kErrorSuccess);
  ASSERT_EQ(Api().QueryValue(scratch_, "", &type, nullptr, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 5u);
  RegKeyInfo info;
  ASSERT_EQ(Api().QueryInfoKey(scratch_, &info), kErrorSuccess);
  EXPECT_EQ(info.valueCount, 1u);
  EXPECT_EQ(info.maxValueNameLength, 0u);

  EXPECT_EQ(Api().DeleteValue(scratch_, ""), kErrorSuccess);
  EXPECT_EQ(Api().QueryValue(scratch_, "", &type, nullptr, &size), kErrorFileNotFound);
}

TEST_P(RegistryContract, KeyInfoCountsSubkeysAndValuesWithTheLongestNamesAndData) {
  RegKeyInfo info;
  ASSERT_EQ(Api().QueryInfoKey(scratch_, &info), kErrorSuccess);
  EXPECT_EQ(info.subKeyCount, 0u);
  EXPECT_EQ(info.maxSubKeyNameLength, 0u);
  EXPECT_EQ(info.valueCount, 0u);
  EXPECT_EQ(info.maxValueNameLength, 0u);
  EXPECT_EQ(info.maxValueDataLength, 0u);
  EXPECT_NE(info.lastWriteTime, 0u);

  RegKey sub = 0;
  ASSERT_EQ(Create("One", kKeyAllAccess, &sub), kErrorSuccess);
  ASSERT_EQ(Create("Longest\\Below", kKeyAllAccess, &sub), kErrorSuccess);
  ASSERT_EQ(Set("V", kRegDword, {1, 0, 0, 0}), kErrorSuccess);
  ASSERT_EQ(Set("LongerName", kRegBinary, {1, 2, 3, 4, 5}), kErrorSuccess);
  ASSERT_EQ(Set("T", kRegSz, Text("hello")), kErrorSuccess);

  ASSERT_EQ(Api().QueryInfoKey(scratch_, &info), kErrorSuccess);
  EXPECT_EQ(info.subKeyCount, 2u) << "only direct subkeys count";
  EXPECT_EQ(info.maxSubKeyNameLength, 7u);
  EXPECT_EQ(info.valueCount, 3u);
  EXPECT_EQ(info.maxValueNameLength, 10u);
  EXPECT_EQ(info.maxValueDataLength, 12u) << "texts count in UTF-16 bytes, even to the ANSI call";

  ASSERT_EQ(Set("LongerName", kRegBinary, std::vector<std::uint8_t>(20, 1)), kErrorSuccess);
  ASSERT_EQ(Api().QueryInfoKey(scratch_, &info), kErrorSuccess);
  EXPECT_EQ(info.maxValueDataLength, 20u);
}

TEST_P(RegistryContract, AClosedHandleIsInvalidButARootNeverCloses) {
  RegKey key = 0;
  ASSERT_EQ(Create("Sub", kKeyAllAccess, &key), kErrorSuccess);
  ASSERT_EQ(Close(key), kErrorSuccess);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  RegKeyInfo info;
  EXPECT_EQ(Api().QueryValue(key, "X", &type, nullptr, &size), kErrorInvalidHandle);
  EXPECT_EQ(Set(key, "X", kRegDword, {1, 0, 0, 0}), kErrorInvalidHandle);
  EXPECT_EQ(Api().DeleteValue(key, "X"), kErrorInvalidHandle);
  EXPECT_EQ(Api().QueryInfoKey(key, &info), kErrorInvalidHandle);
  EXPECT_EQ(Api().CloseKey(key), kErrorInvalidHandle);
  EXPECT_EQ(Api().CloseKey(0), kErrorInvalidHandle);
  EXPECT_EQ(Api().QueryValue(0, "X", &type, nullptr, &size), kErrorInvalidHandle);

  EXPECT_EQ(Api().CloseKey(kHkeyCurrentUser), kErrorSuccess);
  RegKey reopened = 0;
  EXPECT_EQ(Api().OpenKey(kHkeyCurrentUser, scratchPath_ + "\\Sub", kKeyAllAccess, &reopened), kErrorSuccess);
  if (reopened != 0) Api().CloseKey(reopened);
}

}  // namespace varnox
