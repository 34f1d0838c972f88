// The registry of another user: the per-user root is that user's hive under
// HKEY_USERS, read and written there; the local machine is untouched.

#include "settings/user_hive_registry.h"

#include <gtest/gtest.h>

#include "settings/registry.h"
#include "support/memory_registry.h"

namespace varnox {
namespace {

TEST(UserHiveRegistry, CurrentUserKeysAreThoseOfTheUsersHive) {
  MemoryRegistry memory;
  UserHiveRegistry hive(memory, "S-1-5-21-7-1001");
  TRegistry reg(hive);

  reg.SetRoot(kHkeyCurrentUser);
  ASSERT_TRUE(reg.OpenKey("Control Panel\\Desktop", true));
  reg.WriteText("HungAppTimeout", "4000");
  reg.SetRoot(kHkeyLocalMachine);
  ASSERT_TRUE(reg.OpenKey("SYSTEM\\Setting", true));
  reg.CloseKey();

  std::vector<std::string> opened;
  for (const auto& call : memory.Calls()) {
    if (call.op == "CreateKey") opened.push_back(call.keyPath);
  }
  EXPECT_EQ(opened,
            (std::vector<std::string>{"HKU\\S-1-5-21-7-1001\\Control Panel\\Desktop", "HKLM\\SYSTEM\\Setting"}));
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

// A profile whose user is not logged on has its hive file loaded under a
// name of the loader's choosing; the hive is whatever key that names.
TEST(UserHiveRegistry, AnyKeyBelowTheUsersRootServesAsTheHive) {
  MemoryRegistry memory;
  memory.SetDword(kHkeyUsers, "Varnox Profile 1\\Control Panel\\Desktop", "Old", 5);
  UserHiveRegistry hive(memory, "Varnox Profile 1");
  {
    TRegistry reg(hive);
    reg.SetRoot(kHkeyCurrentUser);
    ASSERT_TRUE(reg.OpenKey("Control Panel\\Desktop", false));
    EXPECT_EQ(reg.ReadDword("Old"), 5);
    reg.WriteDword("New", 6);
    ASSERT_TRUE(reg.OpenKey("", false)) << "the user's root is the hive's own key";
    reg.SetRoot(kHkeyUsers);
    ASSERT_TRUE(reg.OpenKey(".DEFAULT\\Keyboard Layout", true)) << "the users' root itself is left alone";
  }
  EXPECT_EQ(memory.Dword(kHkeyUsers, "Varnox Profile 1\\Control Panel\\Desktop", "New"), 6u);
  EXPECT_FALSE(memory.KeyExists(kHkeyCurrentUser, "Control Panel"));
  std::vector<std::string> opened;
  for (const auto& call : memory.Calls()) {
    if (call.op == "OpenKey" || call.op == "CreateKey") opened.push_back(call.keyPath);
  }
  EXPECT_EQ(opened, (std::vector<std::string>{"HKU\\Varnox Profile 1\\Control Panel\\Desktop", "HKU\\Varnox Profile 1",
                                              "HKU\\.DEFAULT\\Keyboard Layout"}));
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace varnox
