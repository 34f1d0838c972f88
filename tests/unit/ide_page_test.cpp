// The IDE/ATAPI page in the whole window, on each version's registry with its
// machine's device map: the list, the details of a row, the ATAPI status
// labels, the DMA detection levels on NT 4.0, and maps that are missing or
// damaged.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/ide_array.h"
#include "page_test_fixture.h"
#include "reg_file_loader.h"

namespace varnox::test {
namespace {

constexpr RegKey HKLM = kHkeyLocalMachine;
constexpr char kDevice0[] = "SYSTEM\\CurrentControlSet\\Services\\Atapi\\Parameters\\Device0";
constexpr char kDevice1[] = "SYSTEM\\CurrentControlSet\\Services\\Atapi\\Parameters\\Device1";

class IdePage : public PageTest {
 protected:
  // The version's stored registry and, unless `withMap` is false, its machine's devices.
  void Load(const std::string& version, bool withMap = true) {
    LoadRegFile(registry, FixturePath(version + ".reg"));
    if (withMap) LoadRegFile(registry, FixturePath("hardware/" + version + ".reg"));
  }
  void OpenOn(ScriptedSystem system) {
    Open(std::move(system));
    ASSERT_TRUE(services.errors.empty()) << services.errors.front();
  }

  TListView& Drives() { return Find<TListView>("lvDrives"); }
  TRadioGroup& Group(const std::string& name) { return Find<TRadioGroup>(name); }
  std::string Caption(const std::string& label) { return Find<TLabel>(label).Caption(); }
  std::vector<std::string> Details() {
    return {Caption("lblDriverName"), Caption("lblIDEDriverInfo"), Caption("lblDMAUsage")};
  }
  std::vector<std::string> Row(int index) {
    const TListItem& item = Drives().Items().at(static_cast<std::size_t>(index));
    std::vector<std::string> row = {item.caption};
    row.insert(row.end(), item.subItems.begin(), item.subItems.end());
    row.push_back("image " + std::to_string(item.imageIndex));
    return row;
  }
  void ShowPage() {
    Find<TPageControl>("PageControl").UserSelectTab(Find<TTabSheet>("tsLogon"));
    Find<TPageControl>("PageControl").UserSelectTab(Find<TTabSheet>("tsIDE"));
  }
};

TEST_F(IdePage, Nt4ListsAtapiAndScsiDevicesAndShowsTheDetailsOfTheChosenRow) {
  Load("nt40");
  OpenOn(ScriptedSystem::WinNT4Sp6Workstation());

  ASSERT_EQ(Drives().Items().size(), 4u);
  EXPECT_EQ(Row(0), (std::vector<std::string>{"QUANTUM FIREBALL ST3.2A A0F.0B00", "atapi", "1F0", "14", "image 0"}));
  EXPECT_EQ(Row(1), (std::vector<std::string>{"TOSHIBA CD-ROM XM-6102B 1115", "atapi", "170", "15", "image 1"}));
  EXPECT_EQ(Row(3), (std::vector<std::string>{"HP C1537A L708", "aic78xx", "E800", "11", "image 3"}));
  EXPECT_EQ(Drives().Selected(), 0);
  EXPECT_EQ(Drives().ItemFocused(), 0);
  EXPECT_EQ(Caption("lblATAPIload"), "MS Atapi driver started");
  EXPECT_EQ(Caption("lblDMAonChannel0"), "DMA not use on Channel 0");
  EXPECT_EQ(Caption("lblDMAonChannel1"), "DMA not use on Channel 1");
  // Nothing shown until the page comes forward or a row is clicked.
  EXPECT_EQ(Caption("lblDriverName"), "Detecting...");

  ShowPage();
  EXPECT_EQ(Details(), (std::vector<std::string>{"Adapter: atapi", "File: atapi.sys driver. Version null",
                                                 "Current transfer mode: DMA not in use on this port"}));
  Drives().UserClickItem(3);
  EXPECT_EQ(Details(), (std::vector<std::string>{"Adapter: aic78xx", "File: aic78xx.sys driver. Version null",
                                                 "Current transfer mode: Unknown mode on this port"}));
  // A click on empty space clears the selection and keeps what is shown.
  Drives().UserClickItem(-1);
  EXPECT_EQ(Caption("lblDriverName"), "Adapter: aic78xx");
  EXPECT_FALSE(OkEnabled());
}

TEST_F(IdePage, Windows2000AndXPShowTheChannelsTimingModesAnd2003ItsDmaFlags) {
  struct Case {
    const char* version;
    ScriptedSystem (*system)();
    const char* diskMode;
    const char* channel0;
    const char* channel1;
  } cases[] = {
      {"win2k", &ScriptedSystem::Win2000Professional, "Current transfer mode on this device: Ultra DMA 33 (2) Mode",
       "Unknown DMA on Channel 0", "Unknown DMA on Channel 1"},
      {"winxp", &ScriptedSystem::WinXPSp3, "Current transfer mode on this device: Ultra DMA 100 (5) Mode",
       "DMA in use on Channel 0", "DMA in use on Channel 1"},
      {"win2003", &ScriptedSystem::Win2003Server, "Current transfer mode: DMA in use on this port",
       "DMA in use on Channel 0", "DMA not use on Channel 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    registry.RemoveKey(HKLM, "HARDWARE");
    Load(c.version);
    OpenOn(c.system());
    ASSERT_EQ(Drives().Items().size(), 2u);
    EXPECT_EQ(Row(1).back(), "image 1");
    ShowPage();
    EXPECT_EQ(Caption("lblDriverName"), "Adapter: Primary IDE Channel");
    EXPECT_EQ(Caption("lblDMAUsage"), c.diskMode);
    EXPECT_EQ(Caption("lblDMAonChannel0"), c.channel0);
    EXPECT_EQ(Caption("lblDMAonChannel1"), c.channel1);
    Drives().UserClickItem(1);
    EXPECT_EQ(Caption("lblDriverName"), "Adapter: Secondary IDE Channel");
    // The detection levels are the NT 4.0 driver's alone.
    for (const char* group : {"rgATAPI_0", "rgATAPI_1"}) {
      EXPECT_FALSE(Group(group).Enabled()) << group;
      EXPECT_EQ(Group(group).ItemIndex(), -1) << group;
    }
  }
}

TEST_F(IdePage, OnlyOneAtapiChannelOrNoneLeavesTheLabelsItHasNoDataFor) {
  Load("winxp");
  // Both devices on the first channel; the second port served by a SCSI driver.
  registry.SetString(HKLM, "HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 0\\Scsi Bus 0\\Target Id 1\\Logical Unit Id 0", "Type",
                     "CdRomPeripheral");
  registry.SetString(HKLM, "HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 1", "Driver", "aic78xx");
  OpenOn(ScriptedSystem::WinXPSp3());
  EXPECT_EQ(Caption("lblATAPIload"), "MS Atapi driver started");
  EXPECT_EQ(Caption("lblDMAonChannel0"), "DMA in use on Channel 0");
  EXPECT_EQ(Caption("lblDMAonChannel1"), "");

  registry.SetString(HKLM, "HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 0", "Driver", "viaide");
  OpenOn(ScriptedSystem::WinXPSp3());
  EXPECT_EQ(Caption("lblATAPIload"), "MS Atapi driver not start");
  EXPECT_EQ(Caption("lblDMAonChannel0"), "");
}

TEST_F(IdePage, NoDeviceMapLeavesAnEmptyListAndNothingToShow) {
  Load("win2003", false);
  OpenOn(ScriptedSystem::Win2003Server());
  EXPECT_TRUE(Drives().Items().empty());
  EXPECT_EQ(Caption("lblATAPIload"), "Service status");
  ShowPage();
  EXPECT_EQ(Caption("lblDriverName"), "Detecting...");
}

TEST_F(IdePage, VistaAndSevenHideThePageAndReadNoDeviceMap) {
  for (auto system : {&ScriptedSystem::WinVista, &ScriptedSystem::Win7X64}) {
    Load(system == &ScriptedSystem::WinVista ? "vista" : "win7", false);
    registry.SetString(HKLM, "HARDWARE\\DEVICEMAP\\Scsi\\Scsi Port 0", "Driver", "atapi");
    registry.ClearCalls();
    OpenOn(system());
    EXPECT_FALSE(Find<TTabSheet>("tsIDE").TabVisible());
    EXPECT_TRUE(Drives().Items().empty());
    for (const std::string& call : registry.CallTrace()) EXPECT_EQ(call.find("HARDWARE"), std::string::npos) << call;
  }
}

TEST_F(IdePage, Nt4DetectionLevelsLoadByExactTextAndSaveOnlyAfterAClick) {
  Load("nt40");
  registry.SetString(HKLM, kDevice1, "DriverParameter", "DmaDetectionLevel = 0x1;");
  OpenOn(ScriptedSystem::WinNT4Sp6Workstation());
  // Device0 has no key yet: "Disabled", since the driver is installed.
  EXPECT_EQ(Group("rgATAPI_0").ItemIndex(), 0);
  EXPECT_EQ(Group("rgATAPI_1").ItemIndex(), 1);
  EXPECT_FALSE(OkEnabled());

  Group("rgATAPI_0").UserSelect(2);
  EXPECT_TRUE(OkEnabled());
  PressOk();
  EXPECT_EQ(registry.String(HKLM, kDevice0, "DriverParameter"), "DmaDetectionLevel = 0x2;");
  EXPECT_EQ(registry.String(HKLM, kDevice1, "DriverParameter"), "DmaDetectionLevel = 0x1;");
  EXPECT_EQ(Writes(), (std::vector<std::string>{"SetValue DriverParameter", "SetValue DriverParameter"}));

  // A text that is not exactly one of the three selects nothing, and nothing is written for it.
  registry.SetString(HKLM, kDevice0, "DriverParameter", "DmaDetectionLevel = 0x1");
  OpenOn(ScriptedSystem::WinNT4Sp6Workstation());
  EXPECT_EQ(Group("rgATAPI_0").ItemIndex(), -1);
  Group("rgATAPI_1").UserSelect(0);
  PressOk();
  EXPECT_EQ(registry.String(HKLM, kDevice0, "DriverParameter"), "DmaDetectionLevel = 0x1");
  EXPECT_EQ(registry.String(HKLM, kDevice1, "DriverParameter"), "DmaDetectionLevel = 0x0;");
}

TEST_F(IdePage, Nt4WithoutTheAtapiDriverDisablesBothLevels) {
  Load("nt40");
  registry.RemoveKey(HKLM, "SYSTEM\\CurrentControlSet\\Services\\Atapi");
  OpenOn(ScriptedSystem::WinNT4Sp6Workstation());
  EXPECT_FALSE(Group("rgATAPI_0").Enabled());
  EXPECT_FALSE(Group("rgATAPI_1").Enabled());
  EXPECT_EQ(Drives().Items().size(), 4u);  // the list does not depend on the service key
}

TEST_F(IdePage, DamagedDataEndsTheLoadWithTheAccessorsMessage) {
  Load("winxp");
  LoadRegFile(registry, FixturePath("damaged/device_map_dma_as_text.reg"));
  Open(ScriptedSystem::WinXPSp3());
  EXPECT_EQ(services.errors, (std::vector<std::string>{"Invalid data type for 'DMAEnabled'"}));
  EXPECT_TRUE(Drives().Items().empty());
  EXPECT_FALSE(Group("rgATAPI_0").Enabled());
  ShowPage();  // nothing to show, nothing breaks
  EXPECT_EQ(Caption("lblDriverName"), "Detecting...");

  registry.RemoveKey(HKLM, "HARDWARE");
  Load("nt40");
  registry.SetDword(HKLM, kDevice0, "DriverParameter", 1);
  Open(ScriptedSystem::WinNT4Sp6Workstation());
  EXPECT_EQ(services.errors.back(), "Invalid data type for 'DriverParameter'");
  EXPECT_FALSE(Group("rgATAPI_0").Enabled());
  EXPECT_FALSE(Group("rgATAPI_1").Enabled());
}

}  // namespace
}  // namespace varnox::test
