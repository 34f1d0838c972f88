// The load and save frame: order, one fresh accessor per section or group,
// freed on every path, and what a failure leaves behind.

#include "window/frame/settings_frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_registry.h"
#include "settings/registry_errors.h"
#include "toolkit/spinner_range.h"
#include "toolkit/toolkit.h"

namespace varnox {
namespace {

constexpr char kKey[] = "SOFTWARE\\Frame";

class SettingsFrameTest : public ::testing::Test {
 protected:
  SettingsFrameTest() { registry.CreateKeyPath(kHkeyLocalMachine, kKey); }

  // A section that opens the key (and leaves it open: the frame must free
  // the accessor anyway), notes its name and the accessor it was given.
  LoadSection Section(const std::string& name, std::vector<Control*> controls, bool fails = false) {
    return {name, kHkeyLocalMachine,
            [this, name, fails](TRegistry& reg) {
              EXPECT_EQ(frame.Slot().Current(), &reg);
              EXPECT_EQ(reg.Root(), kHkeyLocalMachine);
              EXPECT_TRUE(reg.OpenKey(kKey, false));
              ran.push_back(name);
              if (fails) throw FailedToGetData(name);
            },
            std::move(controls)};
  }
  SaveGroup Group(SettingGroup group, const std::string& value, std::function<bool()> ready = {}) {
    return {group, kHkeyCurrentUser,
            [this, value](TRegistry& reg) {
              EXPECT_EQ(reg.Root(), kHkeyCurrentUser);
              ASSERT_TRUE(reg.OpenKey(kKey, true));
              reg.WriteDword(value, 1);
              ran.push_back(value);
            },
            std::move(ready)};
  }

  MemoryRegistry registry;
  SettingsFrame frame{registry};
  TForm form{"Form"};
  std::vector<std::string> ran;
};

TEST_F(SettingsFrameTest, GroupsSaveInFlagOrderWhateverTheRegistrationOrder) {
  frame.AddSaveGroup(Group(SettingGroup::BootOptimize, "BootOptimize"));
  frame.AddSaveGroup(Group(SettingGroup::Mouse, "Mouse"));
  frame.AddSaveGroup(Group(SettingGroup::AutoLogon, "AutoLogon"));
  frame.AddSaveGroup(Group(SettingGroup::Shutdown, "Shutdown", [] { return false; }));
  frame.AddSaveGroup(Group(SettingGroup::MTU, "MTU"));
  ModifiedFlags flags;
  for (SettingGroup group :
       {SettingGroup::BootOptimize, SettingGroup::Mouse, SettingGroup::AutoLogon, SettingGroup::Shutdown}) {
    flags.Raise(group);
  }
  frame.Save(flags);
  // Shutdown is raised but not ready; MTU is ready but not raised.
  EXPECT_EQ(ran, (std::vector<std::string>{"AutoLogon", "Mouse", "BootOptimize"}));
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
  EXPECT_EQ(frame.Slot().Current(), nullptr);
}

TEST_F(SettingsFrameTest, FailedWriteEndsTheSaveAndFreesItsAccessor) {
  registry.FailCalls("SetValue", "Mouse", kErrorAccessDenied);
  frame.AddSaveGroup(Group(SettingGroup::AutoLogon, "AutoLogon"));
  frame.AddSaveGroup(Group(SettingGroup::Mouse, "Mouse"));
  frame.AddSaveGroup(Group(SettingGroup::BootOptimize, "BootOptimize"));
  ModifiedFlags flags;
  for (SettingGroup group : {SettingGroup::AutoLogon, SettingGroup::Mouse, SettingGroup::BootOptimize}) {
    flags.Raise(group);
  }
  try {
    frame.Save(flags);
    FAIL() << "the failed write did not reach the caller";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'Mouse'");
  }
  EXPECT_EQ(ran, std::vector<std::string>{"AutoLogon"});
  EXPECT_TRUE(registry.Dword(kHkeyCurrentUser, kKey, "AutoLogon").has_value());
  EXPECT_FALSE(registry.Value(kHkeyCurrentUser, kKey, "BootOptimize").has_value());
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
  EXPECT_EQ(frame.Slot().Current(), nullptr);
}

TEST_F(SettingsFrameTest, SectionsLoadInOrderEachWithItsOwnAccessor) {
  frame.AddLoadSection(Section("one", {}));
  frame.AddLoadSection(Section("two", {}));
  // The observer hears of each section before it reads anything.
  frame.SetSectionObserver([this](const std::string& name) { ran.push_back("start " + name); });
  frame.Load();
  EXPECT_EQ(ran, (std::vector<std::string>{"start one", "one", "start two", "two", "start "}));
  EXPECT_EQ(frame.LoadedSections(), 2u);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
  EXPECT_EQ(frame.Slot().Current(), nullptr);
}

TEST_F(SettingsFrameTest, SectionsReadingOneKeyOpenItOnceAndItClosesWhenTheLoadEnds) {
  frame.AddLoadSection(Section("one", {}));
  frame.AddLoadSection({"read only",
                        kHkeyLocalMachine,
                        [](TRegistry& reg) {
                          // Another access is another opening.
                          EXPECT_TRUE(reg.OpenKeyReadOnly(kKey));
                          reg.CloseKey();
                        },
                        {}});
  frame.AddLoadSection(Section("two", {}));
  frame.Load();
  std::vector<std::string> keyCalls;
  for (const std::string& call : registry.CallTrace()) {
    if (call.rfind("OpenKey", 0) == 0 || call.rfind("CloseKey", 0) == 0) keyCalls.push_back(call.substr(0, 8));
  }
  EXPECT_EQ(keyCalls, (std::vector<std::string>{"OpenKey ", "OpenKey ", "CloseKey", "CloseKey"}));
  EXPECT_EQ(registry.OpenHandleCount(), 0u);

  // A later load opens the key afresh.
  registry.ClearCalls();
  frame.Load();
  EXPECT_EQ(registry.CallTrace().front().rfind("OpenKey", 0), 0u);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(SettingsFrameTest, FailedSectionDisablesItselfAndEveryLaterOne) {
  auto& first = form.Add<TCheckBox>("cbFirst");
  auto& failing = form.Add<TCheckBox>("cbFailing");
  auto& later = form.Add<TEdit>("edLater");
  auto& laterToo = form.Add<TCheckBox>("cbLaterToo");
  frame.AddLoadSection(Section("first", {&first}));
  frame.AddLoadSection(Section("failing", {&failing}, true));
  frame.AddLoadSection(Section("later", {&later, &laterToo}));
  std::vector<std::string> told;
  frame.SetSectionObserver([&told](const std::string& name) { told.push_back(name); });
  EXPECT_THROW(frame.Load(), ERegistryException);

  EXPECT_EQ(ran, (std::vector<std::string>{"first", "failing"}));
  // The load's end is told also when an error ends it.
  EXPECT_EQ(told, (std::vector<std::string>{"first", "failing", ""}));
  EXPECT_EQ(frame.LoadedSections(), 1u);
  EXPECT_TRUE(first.Enabled());
  EXPECT_FALSE(failing.Enabled());
  EXPECT_FALSE(later.Enabled());
  EXPECT_FALSE(laterToo.Enabled());
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
  EXPECT_EQ(frame.Slot().Current(), nullptr);
}

TEST_F(SettingsFrameTest, AnyErrorOfASectionFreesTheAccessor) {
  frame.AddLoadSection({"range",
                        kHkeyLocalMachine,
                        [](TRegistry& reg) {
                          reg.OpenKey(kKey, false);
                          throw ERangeError();
                        },
                        {}});
  EXPECT_THROW(frame.Load(), ERangeError);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace varnox
