#pragma once
// TIDEArray: the disk controllers' devices as the registry's SCSI device map
// lists them (IDE/ATAPI channels appear there as SCSI ports too): every
// device at logical unit 0 of target 0 or 1 on each port and bus, with its
// port driver and the driver file's version, the port's resources, the
// adapter's description and the device's current transfer mode. Built once
// by Enumerate, then only read.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace varnox {

class TRegistry;

// One device. Texts read from the registry are kept as it holds them (ANSI);
// DriverVersion is UTF-8, as a version resource's strings are read.
struct TIDEDevice {
  int Port = 0;
  std::string Driver;         // the port driver's service name, e.g. "atapi"
  std::string DMAEnabled;     // decimal; "-1" when the port has no such value
  std::string IOAddress;      // upper-case hexadecimal, at least 3 digits; "n/a" when absent
  std::string Interrupt;      // decimal; "n/a" when absent
  std::string DriverVersion;  // "null" when the driver file does not exist
  std::string EnumInstance;   // the adapter's device-instance path
  std::string ClassKey;       // the adapter's key below ...\Control\Class
  std::string DeviceDesc;
  int Bus = 0;
  int TargetId = 0;
  std::string Identifier;   // runs of blanks collapsed to one
  std::string Type;         // "DiskPeripheral", "CdRomPeripheral", ...
  std::string ChannelRole;  // "MasterDevice", "SlaveDevice" or "UnknownDevice"
  std::int32_t TimingMode = 0;
  std::string TransferMode;
};

inline constexpr char kDeviceMapKey[] = "HARDWARE\\DEVICEMAP\\Scsi";

// Whether a port's driver is the system's ATAPI driver, in any letter case.
bool IsAtapiDriver(const std::string& driver);

// The value cut to 255 characters, then every run of blanks made one blank.
std::string CollapseBlanks(const std::string& identifier);

class TIDEArray {
 public:
  explicit TIDEArray(Platform& platform) : platform_(platform) {}

  // Builds the inventory; called once, on an empty one. A read that fails
  // (a value of the wrong type) raises the accessor's error and leaves the
  // rows found so far.
  void Enumerate();

  int Count() const { return static_cast<int>(rows_.size()); }
  // Row 1 to Count.
  const TIDEDevice& Row(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)); }

 private:
  std::vector<int> ListPorts(TRegistry& reg);
  void PlaceDevices(TRegistry& reg, const std::vector<int>& ports);
  void ReadPortAndUnit(TRegistry& reg, TIDEDevice& row);
  void ReadAdapterInstances(TRegistry& reg, const std::vector<int>& ports);
  void ReadAdapterAndMode(TRegistry& reg, TIDEDevice& row);

  Platform& platform_;
  std::vector<TIDEDevice> rows_;
};

}  // namespace varnox
