// Stored numbers that a spinner cannot hold, for every spinner-backed value
// on every version whose window reads it: the load goes on without a
// message, the edit shows the number as stored and the spinner stands at the
// nearest end of its range; OK leaves the value as stored until the user
// moves that very spinner, and then writes where it went.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "page_test_fixture.h"
#include "reg_file_loader.h"
#include "version_fixtures.h"

namespace varnox::test {
namespace {

constexpr RegKey HKLM = kHkeyLocalMachine;
constexpr RegKey HKCU = kHkeyCurrentUser;

enum class Stored {
  Number,  // REG_DWORD
  Text,    // REG_SZ decimal text
  Bytes,   // REG_DWORD in bytes, shown in kilobytes
};

struct SpinnerValue {
  const char* spinner;
  RegKey root;
  const char* key;
  const char* value;
  Stored stored;
  SettingGroup group;
  std::vector<std::string> onlyOn;  // fixtures whose window reads it; empty: all
  // A number past each end of the range; multiples of 1024 for bytes.
  std::int64_t above;
  std::int64_t below;
};

constexpr char kMemory[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kLogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";
constexpr char kServer[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
constexpr char kWorkstation[] = "SYSTEM\\CurrentControlSet\\Services\\LanmanWorkstation\\Parameters";
constexpr char kTcpip[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr char kMousePort[] = "SYSTEM\\CurrentControlSet\\Services\\i8042prt\\Parameters";
using G = SettingGroup;

// clang-format off
const std::vector<SpinnerValue> kSpinnerValues = {
    {"udHungApplication", HKCU, kDesktop, "HungAppTimeout", Stored::Text, G::EndTask, {}, 40000, 0},
    {"udWaitToKillApp", HKCU, kDesktop, "WaitToKillAppTimeout", Stored::Text, G::EndTask, {}, 100000, -20000},
    {"udAutoLogonCount", HKLM, kLogon, "AutoLogonCount", Stored::Number, G::AutoLogon, {"win2k.reg"}, 65536, -1},
    {"udSecondLevelDataCache", HKLM, kMemory, "SecondLevelDataCache", Stored::Number, G::L2Cache, {}, 40000, -1},
    {"udIOLockOther", HKLM, kMemory, "IoPageLockLimit", Stored::Bytes, G::IoPageLock, {"nt40.reg", "win2k.reg"},
     41943040, 2048},
    {"udDiskAlert", HKLM, kServer, "DiskSpaceThreshold", Stored::Number, G::DiskSpace, {}, 150, -1},
    {"udCacheFileTimeOut", HKLM, kWorkstation, "CacheFileTimeout", Stored::Number, G::CacheFileTimeout, {}, 40000, -1},
    {"udTTL", HKLM, kTcpip, "DefaultTTL", Stored::Number, G::TTL, {"nt40.reg"}, 300, 0},
    {"udPS2rate", HKLM, kMousePort, "SampleRate", Stored::Number, G::Mouse, {"nt40.reg"}, 250, 10},
    // -1 is the system's own "a screen at a time".
    {"udWheelScrollLines", HKCU, kDesktop, "WheelScrollLines", Stored::Text, G::Mouse, {}, 150, -1},
};
// clang-format on

class OutOfRangeNumbers : public PageTest, public ::testing::WithParamInterface<VersionFixture> {
 protected:
  bool ReadOn(const SpinnerValue& row) const {
    return row.onlyOn.empty() ||
           std::find(row.onlyOn.begin(), row.onlyOn.end(), GetParam().fixture) != row.onlyOn.end();
  }

  void Store(const SpinnerValue& row, std::int64_t number) {
    if (row.stored == Stored::Text) {
      registry.SetString(row.root, row.key, row.value, std::to_string(number));
    } else {
      registry.SetDword(row.root, row.key, row.value, static_cast<std::uint32_t>(number));
    }
  }

  // What the value holds, as the number the user would read.
  std::int64_t StoredNumber(const SpinnerValue& row) const {
    if (row.stored == Stored::Text) return std::stoll(registry.String(row.root, row.key, row.value).value_or("?"));
    return static_cast<std::int32_t>(registry.Dword(row.root, row.key, row.value).value_or(0));
  }

  static int Scale(const SpinnerValue& row) { return row.stored == Stored::Bytes ? 1024 : 1; }

  void OpenOn(const SpinnerValue& row, std::int64_t number) {
    LoadRegFile(registry, FixturePath(GetParam().fixture));
    Store(row, number);
    Reopen(GetParam().system());
  }
};

TEST_P(OutOfRangeNumbers, ShowAsStoredAndStayStoredUntilTheirSpinnerMoves) {
  for (const SpinnerValue& row : kSpinnerValues) {
    if (!ReadOn(row)) continue;
    for (const std::int64_t number : {row.above, row.below}) {
      SCOPED_TRACE(std::string(row.value) + " = " + std::to_string(number));
      OpenOn(row, number);
      EXPECT_TRUE(services.errors.empty()) << services.errors.front();
      EXPECT_TRUE(form().FLoaded) << "every section after it loaded";
      auto& spinner = Find<TUpDown>(row.spinner);
      const int low = std::min(spinner.Min(), spinner.Max());
      const int high = std::max(spinner.Min(), spinner.Max());
      const std::int64_t shown = number / Scale(row);
      ASSERT_TRUE(shown < low || shown > high) << "the case must lie outside the range";
      EXPECT_EQ(spinner.Associate()->Text(), std::to_string(shown));
      EXPECT_EQ(spinner.Position(), shown > high ? high : low);
      EXPECT_TRUE(spinner.Enabled());

      // Another change in the group: OK writes the group but not this value.
      form().MarkModified(row.group);
      PressOk();
      EXPECT_EQ(StoredNumber(row), number);
      for (const std::string& write : Writes()) EXPECT_NE(write, std::string("SetValue ") + row.value);

      // An arrow moves on from the end the spinner stands at; OK writes that.
      Reopen(GetParam().system());
      auto& moved = Find<TUpDown>(row.spinner);
      moved.UserArrowClick(shown > high ? UpDownButton::Down : UpDownButton::Up);
      ASSERT_NE(moved.Position(), shown > high ? high : low);
      EXPECT_TRUE(form().Modified(row.group));
      PressOk();
      EXPECT_EQ(StoredNumber(row), static_cast<std::int64_t>(moved.Position()) * Scale(row));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EachVersion, OutOfRangeNumbers, ::testing::ValuesIn(VersionFixtures()),
                         [](const ::testing::TestParamInfo<VersionFixture>& info) {
                           const std::string file = info.param.fixture;
                           return file.substr(0, file.find('.'));
                         });

}  // namespace
}  // namespace varnox::test
