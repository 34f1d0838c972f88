#include "devices/ide_array.h"

#include <algorithm>
#include <string_view>

#include "base/ascii.h"
#include "base/concat.h"
#include "devices/transfer_mode.h"
#include "settings/registry.h"
#include "settings/text_number.h"
#include "sysinfo/os_predicates.h"
#include "sysinfo/version_value.h"

namespace varnox {

namespace {

constexpr char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services\\";
constexpr char kEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum\\";
constexpr char kClassKey[] = "SYSTEM\\CurrentControlSet\\Control\\Class\\";

// Without a device map, the ports probed for nothing.
constexpr int kPortsWithoutMap = 10;
// Port numbers are one byte wide, so no port lies beyond these.
constexpr int kPortNumbers = 256;
constexpr int kBuses = 11;
constexpr std::size_t kIdentifierLength = 255;

std::string PortKey(int port) { return Concat({kDeviceMapKey, "\\Scsi Port ", std::to_string(port)}); }

std::string UnitKey(int port, int bus, int target) {
  return PortKey(port) + "\\Scsi Bus " + std::to_string(bus) + "\\Target Id " + std::to_string(target) +
         "\\Logical Unit Id 0";
}

std::string Hex(std::uint32_t value) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789ABCDEF"[value & 0xFu]);
    value >>= 4;
  } while (value != 0);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

// "n/a" when absent, empty when not an integer, else the number as `format` writes it.
template <class Format>
std::string ResourceText(TRegistry& reg, const std::string& name, Format format) {
  if (!reg.ValueExists(name)) return "n/a";
  if (reg.ValueType(name) != RegDataType::Integer) return {};
  return format(reg.ReadDword(name));
}

}  // namespace

bool IsAtapiDriver(const std::string& driver) { return AsciiLowerCase(driver) == "atapi"; }

std::string CollapseBlanks(const std::string& identifier) {
  const std::string_view cut = std::string_view(identifier).substr(0, kIdentifierLength);
  std::string result;
  for (char c : cut) {
    if (c == ' ' && !result.empty() && result.back() == ' ') continue;
    result.push_back(c);
  }
  return result;
}

void TIDEArray::Enumerate() {
  TRegistry reg(platform_.registry);
  // The device map is information: an account that may only read it sees it too.
  reg.SetReadOnlyFallback(true);
  reg.SetRoot(kHkeyLocalMachine);
  const std::vector<int> ports = ListPorts(reg);
  PlaceDevices(reg, ports);
  for (TIDEDevice& row : rows_) ReadPortAndUnit(reg, row);
  ReadAdapterInstances(reg, ports);
  for (TIDEDevice& row : rows_) ReadAdapterAndMode(reg, row);
}

// Every "Scsi Port N" key that exists, in ascending N. Port numbers may have
// gaps (a removed device leaves one), so the ports are found by probing the
// numbers until as many as the map has subkeys turned up.
std::vector<int> TIDEArray::ListPorts(TRegistry& reg) {
  int wanted = kPortsWithoutMap;
  int numbers = kPortsWithoutMap;
  if (reg.OpenKey(kDeviceMapKey, false)) {
    RegKeyInfo info;
    reg.KeyInfo(info);
    wanted = static_cast<int>(std::min<std::uint32_t>(info.subKeyCount, kPortNumbers));
    numbers = kPortNumbers;
    reg.CloseKey();
  }
  std::vector<int> ports;
  for (int port = 0; port < numbers && static_cast<int>(ports.size()) < wanted; ++port) {
    if (!reg.OpenKey(PortKey(port), false)) continue;
    reg.CloseKey();
    ports.push_back(port);
  }
  return ports;
}

void TIDEArray::PlaceDevices(TRegistry& reg, const std::vector<int>& ports) {
  for (int port : ports) {
    for (int bus = 0; bus < kBuses; ++bus) {
      for (int target = 0; target <= 1; ++target) {
        if (!reg.OpenKey(UnitKey(port, bus, target), false)) continue;
        reg.CloseKey();
        TIDEDevice& row = rows_.emplace_back();
        row.Port = port;
        row.Bus = bus;
        row.TargetId = target;
      }
    }
  }
}

void TIDEArray::ReadPortAndUnit(TRegistry& reg, TIDEDevice& row) {
  if (reg.OpenKey(PortKey(row.Port), false)) {
    row.Driver = reg.ReadText("Driver");
    row.DMAEnabled = reg.ValueExists("DMAEnabled") ? std::to_string(reg.ReadDword("DMAEnabled")) : "-1";
    row.IOAddress = ResourceText(reg, "IOAddress", [](std::int32_t v) { return Hex(static_cast<std::uint32_t>(v)); });
    row.Interrupt = ResourceText(reg, "Interrupt", [](std::int32_t v) { return std::to_string(v); });
    SystemApi& system = platform_.system;
    const std::string file = Concat({system.SystemDirectory(), "\\Drivers\\", row.Driver, ".sys"});
    row.DriverVersion = system.FileExists(file) ? GetVersionValue(system, file, "FileVersion") : "null";
    reg.CloseKey();
  }
  if (reg.OpenKey(UnitKey(row.Port, row.Bus, row.TargetId), false)) {
    row.Identifier = CollapseBlanks(reg.ReadText("Identifier"));
    row.Type = reg.ReadText("Type");
    reg.CloseKey();
  }
}

// The k-th port a driver serves (from 0, in port order) is the driver's k-th
// device instance: "Enum" value "k", or "0" when there is no such value.
void TIDEArray::ReadAdapterInstances(TRegistry& reg, const std::vector<int>& ports) {
  std::vector<std::string> servedPorts;  // the driver of each port seen, in lower case
  for (int port : ports) {
    if (!reg.OpenKey(PortKey(port), false)) continue;
    const std::string driver = AsciiLowerCase(reg.ReadText("Driver"));
    reg.CloseKey();
    const auto occurrence = std::count(servedPorts.begin(), servedPorts.end(), driver);
    servedPorts.push_back(driver);
    for (TIDEDevice& row : rows_) {
      if (row.Port != port) continue;
      if (reg.OpenKey(Concat({kServicesKey, row.Driver, "\\Enum\\"}), false)) {
        const std::string instance = std::to_string(occurrence);
        row.EnumInstance = reg.ReadText(reg.ValueExists(instance) ? instance : "0");
        reg.CloseKey();
      }
      row.ChannelRole = !IsAtapiDriver(row.Driver) ? "UnknownDevice"
                        : row.TargetId == 0        ? "MasterDevice"
                                                   : "SlaveDevice";
    }
  }
}

// An empty instance or class path names no key: it is not opened (it would
// open the root of Enum or Class).
void TIDEArray::ReadAdapterAndMode(TRegistry& reg, TIDEDevice& row) {
  if (!row.EnumInstance.empty() && reg.OpenKeyReadOnly(kEnumKey + row.EnumInstance)) {
    row.ClassKey = reg.ReadText("Driver");
    row.DeviceDesc = reg.ReadText("DeviceDesc");
    reg.CloseKey();
  }
  SystemApi& system = platform_.system;
  if (IsAtapiDriver(row.Driver) && (IsWin2000(system) || IsWinXP(system))) {
    if (!row.ClassKey.empty() && reg.OpenKey(kClassKey + row.ClassKey, false)) {
      // Third-party IDE drivers keep no timing values: the mode is then not known.
      const std::string name = row.ChannelRole + "TimingMode";
      if (reg.ValueExists(name)) row.TimingMode = reg.ReadDword(name);
      reg.CloseKey();
    }
    row.TransferMode = TimingModeText(row.TimingMode);
    return;
  }
  // A port key that did not open leaves no flag: unknown, as when it is absent.
  row.TransferMode = DmaModeText(TextToNumber(row.DMAEnabled, -1));
}

}  // namespace varnox
