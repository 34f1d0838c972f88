// TRegistry over the in-memory registry: every operation of the accessor,
// its three messages, key switching, and the exact calls it makes.

#include "settings/registry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/memory_registry.h"

namespace varnox {
namespace {

using Trace = std::vector<std::string>;

const std::string kKey = "Software\\Varnox Test";
const std::string kOther = "Software\\Other";

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ERegistryException& error) {
    return error.what();
  }
  return "(nothing thrown)";
}

class TRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    memory.CreateKeyPath(kHkeyCurrentUser, kKey);
    memory.CreateKeyPath(kHkeyCurrentUser, kOther);
  }
  // An accessor with kKey open and the call log cleared.
  void OpenScratch(TRegistry& reg) {
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    memory.ClearCalls();
  }
  MemoryRegistry memory;
};

TEST_F(TRegistryTest, StartsUnderTheCurrentUserWithNoKeyAndOpensWithFullAccess) {
  TRegistry reg(memory);
  EXPECT_EQ(reg.Root(), kHkeyCurrentUser);
  EXPECT_EQ(reg.CurrentKey(), 0u);
  EXPECT_EQ(reg.CurrentPath(), "");

  ASSERT_TRUE(reg.OpenKey(kKey, false));
  EXPECT_NE(reg.CurrentKey(), 0u);
  EXPECT_EQ(reg.CurrentPath(), kKey);
  ASSERT_EQ(memory.Calls().size(), 1u);
  EXPECT_EQ(memory.Calls()[0].op, "OpenKey");
  EXPECT_EQ(memory.Calls()[0].keyPath, "HKCU\\" + kKey);
  EXPECT_EQ(memory.Calls()[0].access, kKeyAllAccess);
}

TEST_F(TRegistryTest, OpenKeyCreatesOnlyWhenAskedTo) {
  TRegistry reg(memory);
  EXPECT_FALSE(reg.OpenKey("Software\\New\\Deep", false));
  EXPECT_FALSE(memory.KeyExists(kHkeyCurrentUser, "Software\\New"));

  ASSERT_TRUE(reg.OpenKey("Software\\New\\Deep", true));
  EXPECT_TRUE(memory.KeyExists(kHkeyCurrentUser, "Software\\New\\Deep"));
  EXPECT_EQ(memory.Calls().back().op, "CreateKey");
  EXPECT_EQ(memory.Calls().back().access, kKeyAllAccess);
}

TEST_F(TRegistryTest, AFailedOpenKeepsTheKeyThatWasOpen) {
  TRegistry reg(memory);
  OpenScratch(reg);
  const RegKey before = reg.CurrentKey();

  EXPECT_FALSE(reg.OpenKey("Software\\Missing", false));
  EXPECT_FALSE(reg.OpenKeyReadOnly("Software\\Missing"));
  EXPECT_EQ(reg.CurrentKey(), before);
  EXPECT_EQ(reg.CurrentPath(), kKey);
  EXPECT_EQ(memory.CallTrace(), (Trace{"OpenKey HKCU\\Software\\Missing", "OpenKey HKCU\\Software\\Missing"}));
  reg.WriteDword("StillHere", 1);
  EXPECT_EQ(memory.Dword(kHkeyCurrentUser, kKey, "StillHere"), 1u);
}

TEST_F(TRegistryTest, OpeningAnotherKeyOpensItFirstThenClosesTheOld) {
  {
    TRegistry reg(memory);
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    ASSERT_TRUE(reg.OpenKey(kOther, false));
    EXPECT_EQ(reg.CurrentPath(), kOther);
    EXPECT_EQ(memory.OpenHandleCount(), 1u);
  }
  EXPECT_EQ(memory.OpenHandleCount(), 0u) << "freeing the accessor closes its key";
  EXPECT_EQ(memory.CallTrace(), (Trace{"OpenKey HKCU\\" + kKey, "OpenKey HKCU\\" + kOther, "CloseKey HKCU\\" + kKey,
                                       "CloseKey HKCU\\" + kOther}));
}

TEST_F(TRegistryTest, SetRootClosesTheKeyOnlyWhenTheRootChanges) {
  memory.SetDword(kHkeyLocalMachine, "SYSTEM\\Setting", "Value", 3);
  TRegistry reg(memory);
  OpenScratch(reg);

  reg.SetRoot(kHkeyCurrentUser);
  EXPECT_NE(reg.CurrentKey(), 0u);
  EXPECT_TRUE(memory.Calls().empty());

  reg.SetRoot(kHkeyLocalMachine);
  EXPECT_EQ(reg.Root(), kHkeyLocalMachine);
  EXPECT_EQ(reg.CurrentKey(), 0u);
  EXPECT_EQ(reg.CurrentPath(), "");
  EXPECT_EQ(memory.CallTrace(), (Trace{"CloseKey HKCU\\" + kKey}));
  ASSERT_TRUE(reg.OpenKey("SYSTEM\\Setting", false));
  EXPECT_EQ(reg.ReadDword("Value"), 3);
}

TEST_F(TRegistryTest, WithoutAdministrativeRightsOnlyTheReadOnlyOpenSucceeds) {
  memory.SetDword(kHkeyLocalMachine, "SYSTEM\\Setting", "Value", 3);
  memory.DenyFullAccess(kHkeyLocalMachine, "");
  TRegistry reg(memory);
  reg.SetRoot(kHkeyLocalMachine);

  EXPECT_FALSE(reg.OpenKey("SYSTEM\\Setting", false));
  EXPECT_FALSE(reg.OpenKey("SYSTEM\\Setting", true));
  ASSERT_TRUE(reg.OpenKeyReadOnly("SYSTEM\\Setting"));
  EXPECT_EQ(memory.Calls().back().access, kKeyRead);
  EXPECT_EQ(reg.ReadDword("Value"), 3);
  EXPECT_EQ(MessageOf([&] { reg.WriteDword("Value", 4); }), "Failed to set data for 'Value'");
  EXPECT_FALSE(reg.DeleteValue("Value"));
  EXPECT_EQ(memory.Dword(kHkeyLocalMachine, "SYSTEM\\Setting", "Value"), 3u);
}

TEST_F(TRegistryTest, WithTheFallbackARefusedKeyOpensForReadingAndSaysSo) {
  memory.SetDword(kHkeyLocalMachine, "SYSTEM\\Setting", "Value", 3);
  memory.CreateKeyPath(kHkeyLocalMachine, "SYSTEM\\Writable");
  memory.DenyFullAccess(kHkeyLocalMachine, "SYSTEM\\Setting");
  TRegistry reg(memory);
  reg.SetRoot(kHkeyLocalMachine);
  reg.SetReadOnlyFallback(true);

  EXPECT_FALSE(reg.OpenKey("SYSTEM\\Missing", false)) << "only a refusal falls back";
  EXPECT_FALSE(reg.OpenKey("SYSTEM\\Setting", true)) << "a create never falls back";
  EXPECT_FALSE(reg.FullAccessRefused());
  ASSERT_TRUE(reg.OpenKey("SYSTEM\\Setting", false));
  EXPECT_EQ(memory.Calls().back().access, kKeyRead);
  EXPECT_TRUE(reg.CurrentKeyReadOnly());
  EXPECT_EQ(reg.ReadDword("Value"), 3);
  EXPECT_EQ(MessageOf([&] { reg.WriteDword("Value", 4); }), "Failed to set data for 'Value'");

  ASSERT_TRUE(reg.OpenKey("SYSTEM\\Writable", false));
  EXPECT_FALSE(reg.CurrentKeyReadOnly()) << "the mark goes with the key";
  EXPECT_TRUE(reg.FullAccessRefused()) << "the accessor remembers the refusal";
  reg.CloseKey();
  EXPECT_FALSE(reg.CurrentKeyReadOnly());

  TRegistry plain(memory);
  plain.SetRoot(kHkeyLocalMachine);
  EXPECT_FALSE(plain.OpenKey("SYSTEM\\Setting", false)) << "off by default";
  EXPECT_FALSE(plain.FullAccessRefused());
}

TEST_F(TRegistryTest, CloseKeyClosesOnceAndLeavesNoKey) {
  TRegistry reg(memory);
  OpenScratch(reg);
  reg.CloseKey();
  reg.CloseKey();
  EXPECT_EQ(reg.CurrentKey(), 0u);
  EXPECT_EQ(reg.CurrentPath(), "");
  EXPECT_EQ(memory.CallTrace(), (Trace{"CloseKey HKCU\\" + kKey}));
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

TEST_F(TRegistryTest, KeyInfoDoublesOnlyTheNameLengthsOnDoubleByteSystems) {
  memory.CreateKeyPath(kHkeyCurrentUser, kKey + "\\Sub1");
  memory.CreateKeyPath(kHkeyCurrentUser, kKey + "\\Sub22");
  memory.SetBinary(kHkeyCurrentUser, kKey, "Name", {1, 2, 3});

  TRegistry reg(memory);
  RegKeyInfo info;
  info.subKeyCount = 99;
  EXPECT_FALSE(reg.KeyInfo(info)) << "no key open";
  EXPECT_EQ(info.subKeyCount, 0u) << "the record is zeroed also on failure";

  OpenScratch(reg);
  ASSERT_TRUE(reg.KeyInfo(info));
  EXPECT_EQ(info.subKeyCount, 2u);
  EXPECT_EQ(info.maxSubKeyNameLength, 5u);
  EXPECT_EQ(info.valueCount, 1u);
  EXPECT_EQ(info.maxValueNameLength, 4u);
  EXPECT_EQ(info.maxValueDataLength, 3u);

  reg.SetDoubleByteNames(true);
  ASSERT_TRUE(reg.KeyInfo(info));
  EXPECT_EQ(info.subKeyCount, 2u);
  EXPECT_EQ(info.maxSubKeyNameLength, 10u);
  EXPECT_EQ(info.valueCount, 1u);
  EXPECT_EQ(info.maxValueNameLength, 8u);
  EXPECT_EQ(info.maxValueDataLength, 3u);
}

TEST_F(TRegistryTest, ExistenceTypeAndSizeOfValues) {
  memory.SetString(kHkeyCurrentUser, kKey, "Text", "abc");
  memory.SetExpandString(kHkeyCurrentUser, kKey, "Expand", "%X%");
  memory.SetDword(kHkeyCurrentUser, kKey, "Number", 1);
  memory.SetBinary(kHkeyCurrentUser, kKey, "Raw", std::vector<std::uint8_t>(300, 0));
  memory.SetRaw(kHkeyCurrentUser, kKey, "Multi", kRegMultiSz, {'a', 0, 0});
  memory.SetRaw(kHkeyCurrentUser, kKey, "None", kRegNone, {});

  TRegistry reg(memory);
  EXPECT_FALSE(reg.ValueExists("Text")) << "no key open";
  OpenScratch(reg);

  EXPECT_TRUE(reg.ValueExists("Text"));
  EXPECT_TRUE(reg.ValueExists("TEXT"));
  EXPECT_TRUE(reg.ValueExists("None"));
  EXPECT_FALSE(reg.ValueExists("Missing"));

  EXPECT_EQ(reg.ValueType("Text"), RegDataType::String);
  EXPECT_EQ(reg.ValueType("Expand"), RegDataType::ExpandString);
  EXPECT_EQ(reg.ValueType("Number"), RegDataType::Integer);
  EXPECT_EQ(reg.ValueType("Raw"), RegDataType::Binary);
  EXPECT_EQ(reg.ValueType("Multi"), RegDataType::Unknown);
  EXPECT_EQ(reg.ValueType("Missing"), RegDataType::Unknown);

  EXPECT_EQ(reg.ValueSize("Text"), 4);
  EXPECT_EQ(reg.ValueSize("Raw"), 300);
  EXPECT_EQ(reg.ValueSize("None"), 0);
  EXPECT_EQ(reg.ValueSize("Missing"), -1);
}

TEST_F(TRegistryTest, ReadTextEndsAtTheFirstNulAndRefusesOtherTypes) {
  memory.SetString(kHkeyCurrentUser, kKey, "Text", "hello");
  memory.SetExpandString(kHkeyCurrentUser, kKey, "Expand", "%SystemRoot%\\x");
  memory.SetRaw(kHkeyCurrentUser, kKey, "Bare", kRegSz, {'a', 'b', 'c'});
  memory.SetRaw(kHkeyCurrentUser, kKey, "Inner", kRegSz, {'a', 'b', 0, 'c', 'd', 0});
  memory.SetRaw(kHkeyCurrentUser, kKey, "Empty", kRegSz, {});
  memory.SetDword(kHkeyCurrentUser, kKey, "Number", 1);
  memory.SetRaw(kHkeyCurrentUser, kKey, "EmptyNumber", kRegDword, {});

  TRegistry reg(memory);
  EXPECT_EQ(reg.ReadText("Text"), "") << "no key open";
  OpenScratch(reg);

  EXPECT_EQ(reg.ReadText("Text"), "hello");
  EXPECT_EQ(reg.ReadText("Expand"), "%SystemRoot%\\x");
  EXPECT_EQ(reg.ReadText("Bare"), "abc");
  EXPECT_EQ(reg.ReadText("Inner"), "ab");
  EXPECT_EQ(reg.ReadText("Empty"), "");
  EXPECT_EQ(reg.ReadText("Missing"), "");
  EXPECT_EQ(reg.ReadText("EmptyNumber"), "") << "nothing stored, nothing to object to";
  EXPECT_EQ(MessageOf([&] { reg.ReadText("Number"); }), "Invalid data type for 'Number'");
}

TEST_F(TRegistryTest, ReadDwordTakesFourBytesOfARegDwordOnly) {
  memory.SetDword(kHkeyCurrentUser, kKey, "One", 1);
  memory.SetDword(kHkeyCurrentUser, kKey, "AllOnes", 0xFFFFFFFFu);
  memory.SetDword(kHkeyCurrentUser, kKey, "Bytes", 0x12345678u);
  memory.SetString(kHkeyCurrentUser, kKey, "ShortText", "1");
  memory.SetString(kHkeyCurrentUser, kKey, "LongText", "123456789");
  memory.SetBinary(kHkeyCurrentUser, kKey, "FourBinary", {1, 0, 0, 0});
  memory.SetRaw(kHkeyCurrentUser, kKey, "TooLong", kRegDword, {1, 0, 0, 0, 0});

  TRegistry reg(memory);
  OpenScratch(reg);
  EXPECT_EQ(reg.ReadDword("One"), 1);
  EXPECT_EQ(reg.ReadDword("AllOnes"), -1);
  EXPECT_EQ(reg.ReadDword("Bytes"), 0x12345678);

  EXPECT_EQ(MessageOf([&] { reg.ReadDword("Missing"); }), "Failed to get data for 'Missing'");
  EXPECT_EQ(MessageOf([&] { reg.ReadDword("TooLong"); }), "Failed to get data for 'TooLong'");
  EXPECT_EQ(MessageOf([&] { reg.ReadDword("LongText"); }), "Failed to get data for 'LongText'")
      << "data longer than four bytes fails before its type is looked at";
  EXPECT_EQ(MessageOf([&] { reg.ReadDword("ShortText"); }), "Invalid data type for 'ShortText'");
  EXPECT_EQ(MessageOf([&] { reg.ReadDword("FourBinary"); }), "Invalid data type for 'FourBinary'");
}

TEST_F(TRegistryTest, ARegDwordShorterThanFourBytesReadsZeroExtended) {
  memory.SetRaw(kHkeyCurrentUser, kKey, "Two", kRegDword, {0x34, 0x12});
  memory.SetRaw(kHkeyCurrentUser, kKey, "None", kRegDword, {});
  memory.SetRaw(kHkeyCurrentUser, kKey, "HighByte", kRegDword, {0xFF, 0xFF, 0xFF});

  TRegistry reg(memory);
  OpenScratch(reg);
  EXPECT_EQ(reg.ReadDword("Two"), 0x1234);
  EXPECT_EQ(reg.ReadDword("None"), 0);
  EXPECT_EQ(reg.ReadDword("HighByte"), 0xFFFFFF);
}

TEST_F(TRegistryTest, ReadBytesCopiesBinaryOrUntypedDataThatFits) {
  memory.SetBinary(kHkeyCurrentUser, kKey, "Raw", {1, 2, 3});
  memory.SetRaw(kHkeyCurrentUser, kKey, "Multi", kRegMultiSz, {'a', 0, 0});
  memory.SetBinary(kHkeyCurrentUser, kKey, "Big", std::vector<std::uint8_t>(9, 7));
  memory.SetBinary(kHkeyCurrentUser, kKey, "Empty", {});
  memory.SetString(kHkeyCurrentUser, kKey, "Text", "x");
  memory.SetDword(kHkeyCurrentUser, kKey, "Number", 1);

  TRegistry reg(memory);
  OpenScratch(reg);
  std::uint8_t buffer[8];
  std::memset(buffer, 0xAA, sizeof buffer);

  EXPECT_EQ(reg.ReadBytes("Missing", buffer, sizeof buffer), 0);
  EXPECT_EQ(buffer[0], 0xAA) << "untouched";
  EXPECT_EQ(reg.ReadBytes("Raw", buffer, sizeof buffer), 3);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 4), (std::vector<std::uint8_t>{1, 2, 3, 0xAA}));
  EXPECT_EQ(reg.ReadBytes("Multi", buffer, sizeof buffer), 3);
  EXPECT_EQ(buffer[0], 'a');
  EXPECT_EQ(reg.ReadBytes("Empty", nullptr, 0), 0);

  std::memset(buffer, 0xAA, sizeof buffer);
  EXPECT_EQ(MessageOf([&] { reg.ReadBytes("Big", buffer, sizeof buffer); }), "Invalid data type for 'Big'");
  EXPECT_EQ(buffer[0], 0xAA) << "nothing written past a refusal";
  EXPECT_EQ(MessageOf([&] { reg.ReadBytes("Raw", buffer, -1); }), "Invalid data type for 'Raw'");
  EXPECT_EQ(MessageOf([&] { reg.ReadBytes("Text", buffer, sizeof buffer); }), "Invalid data type for 'Text'");
  EXPECT_EQ(MessageOf([&] { reg.ReadBytes("Number", buffer, sizeof buffer); }), "Invalid data type for 'Number'");
}

TEST_F(TRegistryTest, WritesStoreTheTypesAndBytesWindowsExpects) {
  TRegistry reg(memory);
  OpenScratch(reg);
  reg.WriteText("Text", "abc");
  reg.WriteText("EmptyText", "");
  reg.WriteExpandText("Expand", "%A%");
  reg.WriteDword("Number", -2);
  const std::uint8_t raw[] = {9, 8, 7};
  reg.WriteBytes("Raw", raw, sizeof raw);
  reg.WriteBytes("NoBytes", nullptr, 0);

  using Bytes = std::vector<std::uint8_t>;
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "Text")->data, (Bytes{'a', 'b', 'c', 0}));
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "Text")->type, kRegSz);
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "EmptyText")->data, (Bytes{0}));
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "Expand")->type, kRegExpandSz);
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "Expand")->data, (Bytes{'%', 'A', '%', 0}));
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "Number")->type, kRegDword);
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "Number")->data, (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "Raw")->type, kRegBinary);
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "Raw")->data, (Bytes{9, 8, 7}));
  EXPECT_EQ(memory.Value(kHkeyCurrentUser, kKey, "NoBytes")->data, Bytes{});

  EXPECT_EQ(reg.ReadText("Text"), "abc");
  EXPECT_EQ(reg.ReadDword("Number"), -2);
}

TEST_F(TRegistryTest, AFailedWriteNamesTheValue) {
  TRegistry reg(memory);
  EXPECT_EQ(MessageOf([&] { reg.WriteText("Orphan", "x"); }), "Failed to set data for 'Orphan'") << "no key open";

  OpenScratch(reg);
  memory.FailCalls("SetValue", "Refused", kErrorAccessDenied);
  EXPECT_EQ(MessageOf([&] { reg.WriteText("Refused", "x"); }), "Failed to set data for 'Refused'");
  EXPECT_EQ(MessageOf([&] { reg.WriteDword("Refused", 1); }), "Failed to set data for 'Refused'");
  EXPECT_EQ(MessageOf([&] { reg.WriteBytes("Refused", "x", 1); }), "Failed to set data for 'Refused'");
  EXPECT_FALSE(memory.Value(kHkeyCurrentUser, kKey, "Refused"));

  memory.ClearCalls();
  EXPECT_EQ(MessageOf([&] { reg.WriteBytes("Negative", "x", -1); }), "Failed to set data for 'Negative'");
  EXPECT_EQ(MessageOf([&] { reg.WriteBytes("Null", nullptr, 4); }), "Failed to set data for 'Null'");
  EXPECT_TRUE(memory.Calls().empty()) << "a bad size never reaches the registry";
}

TEST_F(TRegistryTest, DeleteValueReportsButNeverThrows) {
  memory.SetDword(kHkeyCurrentUser, kKey, "Gone", 1);
  TRegistry reg(memory);
  EXPECT_FALSE(reg.DeleteValue("Gone")) << "no key open";
  OpenScratch(reg);
  EXPECT_TRUE(reg.DeleteValue("Gone"));
  EXPECT_FALSE(memory.Value(kHkeyCurrentUser, kKey, "Gone"));
  EXPECT_FALSE(reg.DeleteValue("Gone"));
}

// Asking whether a value is there (or its type) reads it as well, and the
// read that follows asks nothing more, with the same results and errors as
// two queries give; anything written or another key opened asks afresh.
TEST_F(TRegistryTest, AQuestionAboutAValueServesTheReadThatFollows) {
  const std::string longText(300, 't');
  memory.SetDword(kHkeyCurrentUser, kKey, "Number", 7);
  memory.SetRaw(kHkeyCurrentUser, kKey, "Wide", kRegDword, {1, 0, 0, 0, 0, 0, 0, 0});
  memory.SetRaw(kHkeyCurrentUser, kKey, "NoNul", kRegSz, {'a', 'b'});
  memory.SetString(kHkeyCurrentUser, kKey, "Long", longText);
  memory.SetBinary(kHkeyCurrentUser, kKey, "Raw", {1, 2, 3});
  TRegistry reg(memory);
  OpenScratch(reg);

  EXPECT_TRUE(reg.ValueExists("Number"));
  EXPECT_EQ(reg.ValueType("Number"), RegDataType::Integer);
  EXPECT_EQ(reg.ReadDword("Number"), 7);
  EXPECT_EQ(memory.CallTrace(), (Trace{"QueryValue Number"}));

  EXPECT_TRUE(reg.ValueExists("Wide"));
  EXPECT_EQ(MessageOf([&] { reg.ReadDword("Wide"); }), "Failed to get data for 'Wide'");
  EXPECT_EQ(reg.ValueType("NoNul"), RegDataType::String);
  EXPECT_EQ(reg.ReadText("NoNul"), "ab");
  EXPECT_TRUE(reg.ValueExists("Long")) << "data bigger than the peek";
  EXPECT_EQ(reg.ReadText("Long"), longText);
  std::uint8_t raw[3] = {};
  EXPECT_TRUE(reg.ValueExists("Raw"));
  EXPECT_EQ(reg.ReadBytes("Raw", raw, sizeof raw), 3);
  EXPECT_EQ(raw[2], 3);
  EXPECT_EQ(MessageOf([&] { reg.ReadBytes("Raw", raw, 2); }), "Invalid data type for 'Raw'");
  EXPECT_FALSE(reg.ValueExists("Missing"));
  EXPECT_EQ(reg.ReadText("Missing"), "");

  memory.ClearCalls();
  EXPECT_TRUE(reg.ValueExists("Number"));
  reg.WriteDword("Number", 8);
  EXPECT_EQ(reg.ReadDword("Number"), 8);
  ASSERT_TRUE(reg.OpenKey(kOther, false));
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  EXPECT_EQ(reg.ReadDword("Number"), 8);
  const Trace trace = memory.CallTrace();
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "QueryValue Number"), 3);
}

TEST_F(TRegistryTest, AnErrorLeavingASectionStillClosesItsKey) {
  memory.SetString(kHkeyCurrentUser, kKey, "Flag", "1");
  try {
    TRegistry reg(memory);
    ASSERT_TRUE(reg.OpenKey(kKey, false));
    ASSERT_TRUE(reg.ValueExists("Flag"));
    reg.ReadDword("Flag");
    FAIL() << "a text read as a number must throw";
  } catch (const ERegistryException& error) {
    EXPECT_STREQ(error.what(), "Invalid data type for 'Flag'");
  }
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
  EXPECT_EQ(memory.CallTrace(),
            (Trace{"OpenKey HKCU\\" + kKey, "QueryValue Flag", "QueryValue Flag", "CloseKey HKCU\\" + kKey}));
}

// Reports a size that no honest registry would, whether asked for the size
// alone or with a buffer for the data: the accessor must not trust it.
class HugeSizeRegistry : public MemoryRegistry {
 public:
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    const long result = MemoryRegistry::QueryValue(key, name, type, data, size);
    if (result != kErrorSuccess || size == nullptr) return result;
    *size = 0xFFFFFFF0u;
    return data == nullptr ? kErrorSuccess : kErrorMoreData;
  }
};

TEST(TRegistryHugeSize, IsRefusedWithoutAllocatingIt) {
  HugeSizeRegistry memory;
  memory.SetString(kHkeyCurrentUser, kKey, "Text", "abc");
  memory.SetBinary(kHkeyCurrentUser, kKey, "Raw", {1});
  TRegistry reg(memory);
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  EXPECT_EQ(reg.ValueSize("Text"), 0xFFFFFFF0ll);
  EXPECT_EQ(MessageOf([&] { reg.ReadText("Text"); }), "Failed to get data for 'Text'");
  std::uint8_t buffer[4];
  EXPECT_EQ(MessageOf([&] { reg.ReadBytes("Raw", buffer, sizeof buffer); }), "Invalid data type for 'Raw'");
}

TEST(TRegistryLargeText, ReadsWholeUpToTheLimit) {
  MemoryRegistry memory;
  const std::string large(kMaxTextValueBytes - 1, 'x');
  memory.SetString(kHkeyCurrentUser, kKey, "Large", large);
  memory.SetString(kHkeyCurrentUser, kKey, "TooLarge", large + "y");
  TRegistry reg(memory);
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  EXPECT_EQ(reg.ReadText("Large"), large);
  EXPECT_EQ(MessageOf([&] { reg.ReadText("TooLarge"); }), "Failed to get data for 'TooLarge'");
}

}  // namespace
}  // namespace varnox
