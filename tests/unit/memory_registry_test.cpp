// What the in-memory registry offers tests beyond the registry contract:
// refused full access, injected failures, removed keys, the call log and
// the seeding helpers.

#include "support/memory_registry.h"

#include <gtest/gtest.h>

namespace varnox {
namespace {

TEST(MemoryRegistry, DeniedFullAccessCoversTheKeyTreeButNotReading) {
  MemoryRegistry memory;
  memory.SetDword(kHkeyLocalMachine, "SOFTWARE\\A\\B", "V", 1);
  memory.DenyFullAccess(kHkeyLocalMachine, "SOFTWARE\\A");

  RegKey key = 0;
  EXPECT_EQ(memory.OpenKey(kHkeyLocalMachine, "SOFTWARE\\A\\B", kKeyAllAccess, &key), kErrorAccessDenied);
  EXPECT_EQ(memory.CreateKey(kHkeyLocalMachine, "SOFTWARE\\A\\New", kKeyAllAccess, &key), kErrorAccessDenied);
  EXPECT_EQ(memory.CreateKey(kHkeyLocalMachine, "SOFTWARE\\A\\New", kKeyRead, &key), kErrorAccessDenied)
      << "making a subkey needs write access to its parent";
  EXPECT_FALSE(memory.KeyExists(kHkeyLocalMachine, "SOFTWARE\\A\\New"));
  EXPECT_EQ(memory.OpenHandleCount(), 0u);

  ASSERT_EQ(memory.OpenKey(kHkeyLocalMachine, "SOFTWARE\\A\\B", kKeyRead | 0x0100, &key), kErrorSuccess)
      << "a view flag is no right";
  memory.CloseKey(key);
  ASSERT_EQ(memory.OpenKey(kHkeyLocalMachine, "SOFTWARE", kKeyAllAccess, &key), kErrorSuccess) << "the parent is free";
  memory.CloseKey(key);
}

TEST(MemoryRegistry, InjectedFailuresChangeNothingAndLeaveNoHandle) {
  MemoryRegistry memory;
  memory.SetDword(kHkeyCurrentUser, "K", "V", 1);
  memory.FailCalls("SetValue", "v", kErrorAccessDenied);
  memory.FailCalls("OpenKey", "HKCU\\Other", kErrorAccessDenied);
  memory.FailCalls("CreateKey", "HKCU\\Made", kErrorAccessDenied);

  RegKey key = 0;
  ASSERT_EQ(memory.OpenKey(kHkeyCurrentUser, "K", kKeyAllAccess, &key), kErrorSuccess);
  const std::uint8_t two[] = {2, 0, 0, 0};
  EXPECT_EQ(memory.SetValue(key, "V", kRegDword, two, 4), kErrorAccessDenied);
  EXPECT_EQ(memory.Dword(kHkeyCurrentUser, "K", "V"), 1u);
  EXPECT_EQ(memory.SetValue(key, "W", kRegDword, two, 4), kErrorSuccess);
  memory.CloseKey(key);

  memory.CreateKeyPath(kHkeyCurrentUser, "Other");
  RegKey other = 0;
  EXPECT_EQ(memory.OpenKey(kHkeyCurrentUser, "other", kKeyAllAccess, &other), kErrorAccessDenied);
  EXPECT_EQ(memory.CreateKey(kHkeyCurrentUser, "Made", kKeyAllAccess, &other), kErrorAccessDenied);
  EXPECT_FALSE(memory.KeyExists(kHkeyCurrentUser, "Made"));
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
  EXPECT_EQ(memory.Calls().back().result, kErrorAccessDenied);
}

TEST(MemoryRegistry, HandlesOfARemovedKeyReportItDeleted) {
  MemoryRegistry memory;
  memory.SetDword(kHkeyCurrentUser, "K\\Sub", "V", 1);
  RegKey key = 0;
  ASSERT_EQ(memory.OpenKey(kHkeyCurrentUser, "K\\Sub", kKeyAllAccess, &key), kErrorSuccess);
  memory.RemoveKey(kHkeyCurrentUser, "K");

  EXPECT_FALSE(memory.KeyExists(kHkeyCurrentUser, "K"));
  std::uint32_t size = 0;
  EXPECT_EQ(memory.QueryValue(key, "V", nullptr, nullptr, &size), kErrorKeyDeleted);
  EXPECT_EQ(memory.CloseKey(key), kErrorSuccess);
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

TEST(MemoryRegistry, RecordsEachCallAsTheCallerSpelledIt) {
  MemoryRegistry memory;
  memory.CreateKeyPath(kHkeyLocalMachine, "SOFTWARE\\WinLogon");
  RegKey key = 0;
  ASSERT_EQ(memory.OpenKey(kHkeyLocalMachine, "SOFTWARE\\Winlogon", kKeyAllAccess, &key), kErrorSuccess);
  const std::uint8_t one[] = {'1', 0};
  memory.SetValue(key, "AutoAdminLogon", kRegSz, one, 2);
  memory.DeleteValue(key, "Missing");
  memory.CloseKey(key);

  ASSERT_EQ(memory.Calls().size(), 4u);
  EXPECT_EQ(memory.Calls()[0].keyPath, "HKLM\\SOFTWARE\\Winlogon");
  EXPECT_EQ(memory.Calls()[1].keyPath, "HKLM\\SOFTWARE\\Winlogon");
  EXPECT_EQ(memory.Calls()[1].type, kRegSz);
  EXPECT_EQ(memory.Calls()[2].result, kErrorFileNotFound);
  EXPECT_EQ(memory.CallTrace(), (std::vector<std::string>{"OpenKey HKLM\\SOFTWARE\\Winlogon", "SetValue AutoAdminLogon",
                                                          "DeleteValue Missing", "CloseKey HKLM\\SOFTWARE\\Winlogon"}));
}

TEST(MemoryRegistry, ValuesKeepTheCaseTheyWereMadeWithAndReadBackByType) {
  MemoryRegistry memory;
  memory.SetString(kHkeyCurrentUser, "K", "MixedCase", "one");
  memory.SetString(kHkeyCurrentUser, "k", "MIXEDCASE", "two");
  memory.SetRaw(kHkeyCurrentUser, "K", "Short", kRegDword, {1, 0});
  memory.SetBinary(kHkeyCurrentUser, "K", "Raw", {1, 0, 0, 0});

  EXPECT_EQ(memory.ValueNames(kHkeyCurrentUser, "K"), (std::vector<std::string>{"MixedCase", "Raw", "Short"}));
  EXPECT_EQ(memory.String(kHkeyCurrentUser, "K", "mixedcase"), "two");
  EXPECT_EQ(memory.String(kHkeyCurrentUser, "K", "Raw"), std::nullopt);
  EXPECT_EQ(memory.Dword(kHkeyCurrentUser, "K", "Short"), std::nullopt) << "only four bytes make a number";
  EXPECT_EQ(memory.Dword(kHkeyCurrentUser, "K", "Raw"), std::nullopt);
  EXPECT_TRUE(memory.RemoveValue(kHkeyCurrentUser, "K", "RAW"));
  EXPECT_FALSE(memory.RemoveValue(kHkeyCurrentUser, "K", "Raw"));
  EXPECT_TRUE(memory.Calls().empty()) << "seeding and reading back are not calls";
}

}  // namespace
}  // namespace varnox
