// The device inventory on scripted device maps: which units become rows and
// in what order, the port and unit fields, the adapter each port reads, the
// transfer mode per system, and damaged maps.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "devices/ide_array.h"
#include "devices/transfer_mode.h"
#include "memory_registry.h"
#include "scripted_system.h"
#include "settings/registry.h"

namespace varnox::test {
namespace {

constexpr RegKey HKLM = kHkeyLocalMachine;
constexpr char kIdeClass[] = "{4D36E96A-E325-11CE-BFC1-08002BE10318}";

std::string Port(int port) { return std::string(kDeviceMapKey) + "\\Scsi Port " + std::to_string(port); }
std::string Unit(int port, int bus, int target, int lun = 0) {
  return Port(port) + "\\Scsi Bus " + std::to_string(bus) + "\\Target Id " + std::to_string(target) +
         "\\Logical Unit Id " + std::to_string(lun);
}

class IdeArrayTest : public ::testing::Test {
 protected:
  void AddPort(int port, const std::string& driver) { registry.SetString(HKLM, Port(port), "Driver", driver); }
  void AddDevice(int port, int bus, int target, const std::string& identifier, const std::string& type) {
    registry.SetString(HKLM, Unit(port, bus, target), "Identifier", identifier);
    registry.SetString(HKLM, Unit(port, bus, target), "Type", type);
  }
  // The driver's k-th device instance, its adapter and the adapter's class key.
  void AddAdapter(const std::string& driver, int instance, const std::string& path, const std::string& classKey,
                  const std::string& desc) {
    registry.SetString(HKLM, "SYSTEM\\CurrentControlSet\\Services\\" + driver + "\\Enum", std::to_string(instance),
                       path);
    registry.SetString(HKLM, "SYSTEM\\CurrentControlSet\\Enum\\" + path, "Driver", classKey);
    registry.SetString(HKLM, "SYSTEM\\CurrentControlSet\\Enum\\" + path, "DeviceDesc", desc);
  }
  void SetTiming(const std::string& classKey, const std::string& role, std::uint32_t mask) {
    registry.SetDword(HKLM, std::string("SYSTEM\\CurrentControlSet\\Control\\Class\\") + classKey, role + "TimingMode",
                      mask);
  }

  TIDEArray& Enumerate() {
    inventory = std::make_unique<TIDEArray>(platform);
    inventory->Enumerate();
    return *inventory;
  }
  std::vector<std::string> Places() const {
    std::vector<std::string> places;
    for (int row = 1; row <= inventory->Count(); ++row) {
      const TIDEDevice& d = inventory->Row(row);
      places.push_back(std::to_string(d.Port) + "/" + std::to_string(d.Bus) + "/" + std::to_string(d.TargetId));
    }
    return places;
  }

  MemoryRegistry registry;
  ScriptedSystem system = ScriptedSystem::WinXPSp3();
  Platform platform{registry, system};
  std::unique_ptr<TIDEArray> inventory;
};

TEST_F(IdeArrayTest, ListsUnitZeroOfTargetsZeroAndOneOnEveryPortInPortBusTargetOrder) {
  // Ports 0, 1, 3 and 10: a gap, and a number that sorts before 3 as text.
  for (int port : {10, 3, 1, 0}) AddPort(port, "atapi");
  AddDevice(10, 0, 0, "Disk on ten", "DiskPeripheral");
  AddDevice(3, 2, 1, "Slave", "DiskPeripheral");
  AddDevice(3, 2, 0, "Master", "DiskPeripheral");
  AddDevice(1, 0, 1, "B", "CdRomPeripheral");
  AddDevice(0, 10, 0, "Last bus", "DiskPeripheral");
  AddDevice(0, 0, 0, "A", "DiskPeripheral");
  // Not listed: bus 11, target 2, logical unit 1.
  AddDevice(0, 11, 0, "Bus 11", "DiskPeripheral");
  AddDevice(0, 0, 2, "Target 2", "DiskPeripheral");
  registry.SetString(HKLM, Unit(1, 0, 0, 1), "Identifier", "Unit 1");

  Enumerate();
  EXPECT_EQ(Places(), (std::vector<std::string>{"0/0/0", "0/10/0", "1/0/1", "3/2/0", "3/2/1", "10/0/0"}));
  EXPECT_EQ(inventory->Row(4).Identifier, "Master");
}

TEST_F(IdeArrayTest, MissingOrEmptyDeviceMapGivesNoRows) {
  EXPECT_EQ(Enumerate().Count(), 0);
  registry.CreateKeyPath(HKLM, kDeviceMapKey);
  EXPECT_EQ(Enumerate().Count(), 0);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(IdeArrayTest, PortResourcesIdentifierAndDriverVersion) {
  AddPort(0, "atapi");
  registry.SetDword(HKLM, Port(0), "DMAEnabled", 1);
  registry.SetDword(HKLM, Port(0), "IOAddress", 0x1F);
  registry.SetDword(HKLM, Port(0), "Interrupt", 14);
  AddDevice(0, 0, 0, "WDC WD800JB-00JJC0      05.01C05", "DiskPeripheral");
  AddPort(1, "aic78xx");
  registry.SetString(HKLM, Port(1), "IOAddress", "0x170");  // present but not a number
  AddDevice(1, 0, 1, std::string(300, 'x'), "SequentialAccessPeripheral");
  const std::string atapiSys = system.systemDirectory + "\\Drivers\\atapi.sys";
  system.existingFiles.insert(atapiSys);
  system.versionResources[atapiSys] = {0x04B00409, {{"\\StringFileInfo\\040904B0\\FileVersion", "5.1.2600.0"}}};

  Enumerate();
  const TIDEDevice& disk = inventory->Row(1);
  EXPECT_EQ(disk.Driver, "atapi");
  EXPECT_EQ(disk.DMAEnabled, "1");
  EXPECT_EQ(disk.IOAddress, "01F");
  EXPECT_EQ(disk.Interrupt, "14");
  EXPECT_EQ(disk.DriverVersion, "5.1.2600.0");
  EXPECT_EQ(disk.Identifier, "WDC WD800JB-00JJC0 05.01C05");
  const TIDEDevice& tape = inventory->Row(2);
  EXPECT_EQ(tape.DMAEnabled, "-1");
  EXPECT_EQ(tape.IOAddress, "");
  EXPECT_EQ(tape.Interrupt, "n/a");
  EXPECT_EQ(tape.DriverVersion, "null");
  EXPECT_EQ(tape.Identifier.size(), 255u);
  EXPECT_EQ(tape.ChannelRole, "UnknownDevice");
}

TEST(CollapseBlanks, KeepsOneBlankOfEachRunAndTrimsNothingElse) {
  EXPECT_EQ(CollapseBlanks("  ST3120026A   3.06  "), " ST3120026A 3.06 ");
  EXPECT_EQ(CollapseBlanks(std::string(254, 'a') + "  b"), std::string(254, 'a') + " ");
}

TEST_F(IdeArrayTest, EachPortOfADriverReadsItsOwnAdapterInstance) {
  for (int port : {0, 1, 2, 3}) {
    AddPort(port, port == 1 ? "ATAPI" : port == 2 ? "aic78xx" : "atapi");
    AddDevice(port, 0, 0, "D" + std::to_string(port), "DiskPeripheral");
  }
  AddDevice(0, 0, 1, "Slave", "CdRomPeripheral");
  AddAdapter("atapi", 0, "PCIIDE\\IDEChannel\\4&1", "", "Primary IDE Channel");
  AddAdapter("atapi", 1, "PCIIDE\\IDEChannel\\4&2", "", "Secondary IDE Channel");
  AddAdapter("atapi", 2, "PCIIDE\\IDEChannel\\5&1", "", "Third IDE Channel");
  AddAdapter("aic78xx", 0, "PCI\\VEN_9004", "", "Adaptec AHA-2940");

  Enumerate();
  ASSERT_EQ(inventory->Count(), 5);
  EXPECT_EQ(inventory->Row(1).DeviceDesc, "Primary IDE Channel");
  EXPECT_EQ(inventory->Row(1).ChannelRole, "MasterDevice");
  EXPECT_EQ(inventory->Row(2).DeviceDesc, "Primary IDE Channel");
  EXPECT_EQ(inventory->Row(2).ChannelRole, "SlaveDevice");
  EXPECT_EQ(inventory->Row(3).DeviceDesc, "Secondary IDE Channel");  // "ATAPI" counts as "atapi"
  EXPECT_EQ(inventory->Row(3).ChannelRole, "MasterDevice");
  EXPECT_EQ(inventory->Row(4).DeviceDesc, "Adaptec AHA-2940");
  EXPECT_EQ(inventory->Row(5).DeviceDesc, "Third IDE Channel");

  // Without an instance of its own, a later port falls back to instance 0.
  registry.RemoveValue(HKLM, "SYSTEM\\CurrentControlSet\\Services\\atapi\\Enum", "2");
  Enumerate();
  EXPECT_EQ(inventory->Row(5).EnumInstance, "PCIIDE\\IDEChannel\\4&1");
}

TEST_F(IdeArrayTest, AtapiOnWindows2000AndXPReadsTheChannelTimingElsewhereTheDmaFlag) {
  AddPort(0, "atapi");
  registry.SetDword(HKLM, Port(0), "DMAEnabled", 0);
  AddDevice(0, 0, 0, "Disk", "DiskPeripheral");
  AddDevice(0, 0, 1, "CD", "CdRomPeripheral");
  AddPort(1, "atapi");
  AddDevice(1, 0, 0, "Other disk", "DiskPeripheral");
  AddAdapter("atapi", 0, "PCIIDE\\IDEChannel\\1", std::string(kIdeClass) + "\\0001", "Primary IDE Channel");
  AddAdapter("atapi", 1, "PCIIDE\\IDEChannel\\2", std::string(kIdeClass) + "\\0002", "Secondary IDE Channel");
  SetTiming(std::string(kIdeClass) + "\\0001", "MasterDevice", 0x10010);
  SetTiming(std::string(kIdeClass) + "\\0001", "SlaveDevice", 0x410);
  // The secondary channel keeps no timing for its master (a third-party driver).

  for (auto make : {&ScriptedSystem::Win2000Professional, &ScriptedSystem::WinXPSp3}) {
    system = make();
    Enumerate();
    EXPECT_EQ(inventory->Row(1).TransferMode, "Current transfer mode on this device: Ultra DMA 100 (5) Mode");
    EXPECT_EQ(inventory->Row(2).TransferMode, "Current transfer mode on this device: Multi-Word DMA Mode 2");
    EXPECT_EQ(inventory->Row(3).TimingMode, 0);
    EXPECT_EQ(inventory->Row(3).TransferMode, "Current transfer mode on this device: Not applicable");
  }
  for (auto make : {&ScriptedSystem::WinNT4Sp6Workstation, &ScriptedSystem::Win2003Server}) {
    system = make();
    Enumerate();
    EXPECT_EQ(inventory->Row(1).TimingMode, 0);
    EXPECT_EQ(inventory->Row(1).TransferMode, "Current transfer mode: DMA not in use on this port");
    EXPECT_EQ(inventory->Row(3).TransferMode, "Current transfer mode: Unknown mode on this port");
  }
}

TEST_F(IdeArrayTest, AnEmptyInstanceOrClassPathOpensNoRootKey) {
  AddPort(0, "atapi");
  AddDevice(0, 0, 0, "No instance", "DiskPeripheral");
  AddPort(1, "atapi");
  AddDevice(1, 0, 0, "No class key", "DiskPeripheral");
  registry.SetString(HKLM, "SYSTEM\\CurrentControlSet\\Services\\atapi\\Enum", "0", "");
  AddAdapter("atapi", 1, "PCIIDE\\IDEChannel\\2", "", "Secondary IDE Channel");
  // Values at the roots that an empty path would reach.
  registry.SetString(HKLM, "SYSTEM\\CurrentControlSet\\Enum", "Driver", "wrong");
  registry.SetString(HKLM, "SYSTEM\\CurrentControlSet\\Control\\Class", "MasterDeviceTimingMode", "wrong type");

  Enumerate();
  EXPECT_EQ(inventory->Row(1).ClassKey, "");
  EXPECT_EQ(inventory->Row(1).TransferMode, "Current transfer mode on this device: Not applicable");
  EXPECT_EQ(inventory->Row(2).DeviceDesc, "Secondary IDE Channel");
  EXPECT_EQ(inventory->Row(2).TransferMode, "Current transfer mode on this device: Not applicable");
}

TEST_F(IdeArrayTest, ValuesOfTheWrongTypeRaiseTheAccessorsErrorAndKeepEarlierRows) {
  AddPort(0, "atapi");
  AddDevice(0, 0, 0, "Disk", "DiskPeripheral");
  AddAdapter("atapi", 0, "PCIIDE\\IDEChannel\\1", "Class\\0001", "Primary IDE Channel");
  registry.SetString(HKLM, "SYSTEM\\CurrentControlSet\\Control\\Class\\Class\\0001", "MasterDeviceTimingMode", "x");
  const auto message = [&] {
    try {
      Enumerate();
    } catch (const ERegistryException& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message(), "Invalid data type for 'MasterDeviceTimingMode'");
  EXPECT_EQ(inventory->Row(1).Identifier, "Disk");

  registry.SetString(HKLM, Port(0), "DMAEnabled", "1");
  EXPECT_EQ(message(), "Invalid data type for 'DMAEnabled'");
  registry.RemoveValue(HKLM, Port(0), "DMAEnabled");
  registry.SetDword(HKLM, Unit(0, 0, 0), "Identifier", 7);
  EXPECT_EQ(message(), "Invalid data type for 'Identifier'");
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

// The mask's highest set bit decides, except that bit 17 splits at 0x20010.
TEST(TransferModeTexts, EachRangeFromItsFirstToItsLastValue) {
  const std::vector<std::pair<std::int32_t, const char*>> edges = {
      {0, "Not applicable"},
      {1, "PIO Mode"},
      {0x1F, "PIO Mode"},
      {0x20, "DMA Mode"},
      {0x7F, "DMA Mode"},
      {0x80, "Single-Word DMA Mode 2"},
      {0x1FF, "Single-Word DMA Mode 2"},
      {0x200, "Multi-Word DMA Mode 1"},
      {0x3FF, "Multi-Word DMA Mode 1"},
      {0x400, "Multi-Word DMA Mode 2"},
      {0x7FF, "Multi-Word DMA Mode 2"},
      {0x800, "Ultra DMA 33 (0) Mode"},
      {0xFFF, "Ultra DMA 33 (0) Mode"},
      {0x1000, "Ultra DMA 33 (1) Mode"},
      {0x1FFF, "Ultra DMA 33 (1) Mode"},
      {0x2000, "Ultra DMA 33 (2) Mode"},
      {0x3FFF, "Ultra DMA 33 (2) Mode"},
      {0x4000, "Ultra DMA 66 (3) Mode"},
      {0x7FFF, "Ultra DMA 66 (3) Mode"},
      {0x8000, "Ultra DMA 66 (4) Mode"},
      {0xFFFF, "Ultra DMA 66 (4) Mode"},
      {0x10000, "Ultra DMA 100 (5) Mode"},
      {0x1FFFF, "Ultra DMA 100 (5) Mode"},
      {0x20000, "Ultra DMA 133 (6) Mode"},
      {0x2000F, "Ultra DMA 133 (6) Mode"},
      {0x20010, "Ultra DMA 150 (6) Mode"},
      {0x3FFFF, "Ultra DMA 150 (6) Mode"},
      {0x40000, "Unknown Mode"},
      {-1, "Unknown Mode"},
  };
  for (const auto& [mask, mode] : edges) {
    EXPECT_EQ(TimingModeText(mask), std::string("Current transfer mode on this device: ") + mode) << mask;
  }
  EXPECT_EQ(DmaModeText(-1), "Current transfer mode: Unknown mode on this port");
  EXPECT_EQ(DmaModeText(3), "Current transfer mode: DMA in use on this port");
  EXPECT_EQ(DmaModeText(4), "Current transfer mode: DMA not in use on this port");
  EXPECT_EQ(DmaModeText(-2), "Current transfer mode: DMA not in use on this port");
}

}  // namespace
}  // namespace varnox::test
