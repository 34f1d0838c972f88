// The create/delete-value button with its status label, edit and spinner:
// what the load shows, what a click writes or deletes at once, and that a
// click always frees its accessor and changes nothing but its own controls.

#include "window/form/create_delete_value.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/memory_registry.h"
#include "toolkit/toolkit.h"
#include "window/frame/settings_frame.h"

namespace varnox {
namespace {

using Trace = std::vector<std::string>;

const std::string kKey = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
const std::string kValue = "DiskSpaceThreshold";

class CreateDeleteValueTest : public ::testing::Test {
 protected:
  CreateDeleteValueTest() {
    spinner.SetRange(0, 99);
    spinner.SetPosition(99);
    spinner.SetAssociate(&edit);
    label.SetCaption(kRegistryStatusPending);
    Make().Bind(slot);
  }

  CreateDeleteValue Make() const {
    return CreateDeleteValue({.where = {kHkeyLocalMachine, kKey, kValue}, .createDefault = 10}, button, label, edit,
                             spinner);
  }

  // Runs the load the way a section does: a fresh accessor, the key opened
  // when it can be, the accessor freed at the end.
  void Load() {
    TRegistry reg(memory);
    reg.SetRoot(kHkeyLocalMachine);
    const bool opened = reg.OpenKey(kKey, false);
    Make().Load(reg, opened);
  }

  std::optional<std::uint32_t> Stored() const { return memory.Dword(kHkeyLocalMachine, kKey, kValue); }
  bool Shown() const { return edit.Enabled() && spinner.Enabled() && label.Caption() == kDeleteValueText; }

  MemoryRegistry memory;
  SettingsReg slot{memory};
  TForm form{"Form"};
  TSpeedButton& button = form.Add<TSpeedButton>("sbCreateDiskAlert");
  TLabel& label = form.Add<TLabel>("lblDiskAlert");
  TEdit& edit = form.Add<TEdit>("edDiskAlert");
  TUpDown& spinner = form.Add<TUpDown>("udDiskAlert");
};

TEST_F(CreateDeleteValueTest, LoadShowsWhetherKeyAndValueExist) {
  memory.SetDword(kHkeyLocalMachine, kKey, kValue, 25);
  Load();
  EXPECT_TRUE(Shown());
  EXPECT_EQ(spinner.Position(), 25);
  EXPECT_EQ(edit.Text(), "25");

  memory.RemoveValue(kHkeyLocalMachine, kKey, kValue);
  Load();
  EXPECT_FALSE(edit.Enabled());
  EXPECT_FALSE(spinner.Enabled());
  EXPECT_EQ(label.Caption(), kCreateValueText);
  EXPECT_EQ(edit.Text(), "25") << "a missing value leaves the number shown";

  memory.RemoveKey(kHkeyLocalMachine, kKey);
  Load();
  EXPECT_FALSE(edit.Enabled());
  EXPECT_EQ(label.Caption(), kKeyMissingText);
  EXPECT_TRUE(button.Enabled()) << "the button is the page's business";
}

// Any stored number shows; the spinner stands at the nearest end of its range.
TEST_F(CreateDeleteValueTest, LoadShowsNumbersOutsideTheRangeAsStored) {
  struct Case {
    std::uint32_t stored;
    int position;
    const char* text;
  };
  const Case cases[] = {{150, 99, "150"}, {0xFFFFFFFFu, 0, "-1"}, {0x7FFFFFFFu, 99, "2147483647"}, {42, 42, "42"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    memory.SetDword(kHkeyLocalMachine, kKey, kValue, c.stored);
    Load();
    EXPECT_TRUE(Shown());
    EXPECT_EQ(spinner.Position(), c.position);
    EXPECT_EQ(edit.Text(), c.text);
  }
}

TEST_F(CreateDeleteValueTest, LoadOfAnotherTypeRaisesTheAccessorsError) {
  memory.SetString(kHkeyLocalMachine, kKey, kValue, "10");
  try {
    Load();
    FAIL() << "no error";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'DiskSpaceThreshold'");
  }
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

TEST_F(CreateDeleteValueTest, ClicksCreateThenDeleteAtOnceWithTheirOwnAccessor) {
  memory.CreateKeyPath(kHkeyLocalMachine, kKey);
  Load();
  memory.ClearCalls();

  button.UserClick();
  EXPECT_EQ(Stored(), 10u);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(spinner.Position(), 10);
  EXPECT_EQ(edit.Text(), "10");
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
  EXPECT_EQ(slot.Current(), nullptr);

  button.UserClick();
  EXPECT_FALSE(Stored().has_value());
  EXPECT_FALSE(edit.Enabled());
  EXPECT_FALSE(spinner.Enabled());
  EXPECT_EQ(label.Caption(), kCreateValueText);
  EXPECT_EQ(memory.OpenHandleCount(), 0u);

  const std::string open = "OpenKey HKLM\\" + kKey;
  const std::string close = "CloseKey HKLM\\" + kKey;
  EXPECT_EQ(memory.CallTrace(),
            (Trace{open, "QueryValue DiskSpaceThreshold", "SetValue DiskSpaceThreshold", close, open,
                   "QueryValue DiskSpaceThreshold", "DeleteValue DiskSpaceThreshold", close}));
  EXPECT_EQ(memory.Calls().front().access, kKeyAllAccess);
}

TEST_F(CreateDeleteValueTest, CreateOverAnExistingValueKeepsItButShowsTheDefault) {
  // Only the label records the state: with the design text the click takes
  // the create branch even though the value is there.
  memory.SetDword(kHkeyLocalMachine, kKey, kValue, 42);
  button.UserClick();
  EXPECT_EQ(Stored(), 42u);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(spinner.Position(), 10);
}

TEST_F(CreateDeleteValueTest, FailedCreateFreesTheAccessorAndLeavesTheControls) {
  memory.CreateKeyPath(kHkeyLocalMachine, kKey);
  Load();
  memory.FailCalls("SetValue", kValue, kErrorAccessDenied);

  try {
    Make().Click(slot);
    FAIL() << "no error";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'DiskSpaceThreshold'");
  }
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
  EXPECT_EQ(slot.Current(), nullptr);
  EXPECT_EQ(label.Caption(), kCreateValueText) << "the value was not created";
  EXPECT_FALSE(edit.Enabled());
}

TEST_F(CreateDeleteValueTest, ClickActsOnTheLocalMachineWhateverTheSlotHeld) {
  memory.CreateKeyPath(kHkeyLocalMachine, kKey);
  memory.CreateKeyPath(kHkeyCurrentUser, kKey);
  {
    SettingsReg::Scope earlier(slot, kHkeyCurrentUser);
    ASSERT_TRUE(earlier->OpenKey(kKey, false));
  }
  button.UserClick();
  EXPECT_EQ(Stored(), 10u);
  EXPECT_FALSE(memory.Value(kHkeyCurrentUser, kKey, kValue).has_value());
}

}  // namespace
}  // namespace varnox
