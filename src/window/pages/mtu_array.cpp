#include "window/pages/mtu_array.h"

#include <algorithm>

#include "settings/registry.h"
#include "settings/registry_errors.h"

namespace varnox {

namespace {

// The device prefix every binding string starts with ("\Device\").
constexpr std::size_t kDevicePrefixLength = 8;

}  // namespace

std::string AdapterKeyPath(const std::string& binding) {
  return "System\\CurrentControlSet\\Services\\" + binding + "\\Parameters\\Tcpip";
}

std::vector<std::uint8_t> ReadMultiSzValue(RegistryApi& api, RegKey root, const std::string& keyPath,
                                           const std::string& valueName) {
  TRegistry reg(api);
  reg.SetRoot(root);
  // The adapter list is shown to an account that may only read it, too.
  reg.SetReadOnlyFallback(true);
  if (!reg.OpenKey(keyPath, false)) return {};
  const std::int64_t size = reg.ValueSize(valueName);
  if (size < 1) return {};
  if (size > kMaxTextValueBytes) throw FailedToGetData(valueName);
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  std::uint32_t type = 0;
  auto got = static_cast<std::uint32_t>(size);
  if (api.QueryValue(reg.CurrentKey(), valueName, &type, data.data(), &got) != kErrorSuccess) {
    throw FailedToGetData(valueName);
  }
  data.resize(std::min<std::size_t>(got, data.size()));
  return data;
}

std::string ReadFirstMultiSzString(RegistryApi& api, RegKey root, const std::string& keyPath,
                                   const std::string& valueName) {
  const std::vector<std::uint8_t> data = ReadMultiSzValue(api, root, keyPath, valueName);
  const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
  return std::string(data.begin(), end);
}

std::vector<std::string> ParseBindings(const std::vector<std::uint8_t>& bind) {
  std::vector<std::string> bindings;
  std::string current;
  // The last byte is the list's closing NUL and is not visited.
  for (std::size_t i = 0; i + 1 < bind.size(); ++i) {
    if (bind[i] != 0) {
      current.push_back(static_cast<char>(bind[i]));
      continue;
    }
    // An empty string ends a multi-string list: an empty list is no adapter.
    if (current.empty()) break;
    bindings.push_back(current.substr(std::min(kDevicePrefixLength, current.size())));
    current.clear();
  }
  return bindings;
}

void TMTUArray::Load(RegistryApi& api) {
  entries_.clear();
  for (std::string& binding : ParseBindings(ReadMultiSzValue(api, kHkeyLocalMachine, kTcpipLinkageKey, "Bind"))) {
    MtuEntry entry{.binding = std::move(binding)};
    const std::string path = AdapterKeyPath(entry.binding);
    TRegistry reg(api);
    reg.SetRoot(kHkeyLocalMachine);
    if (reg.OpenKeyReadOnly(path)) {
      entry.keyOpened = true;
      entry.mtu = reg.ValueExists("MTU") ? std::to_string(reg.ReadDword("MTU")) : kMtuNotExist;
      // The DHCP address wins whenever the value is there.
      if (reg.ValueExists("DhcpIPAddress")) {
        entry.address = reg.ReadText("DhcpIPAddress") + " (from DHCP)";
      } else {
        entry.address = ReadFirstMultiSzString(api, kHkeyLocalMachine, path, "IPAddress");
      }
      reg.CloseKey();
    }
    entries_.push_back(std::move(entry));
  }
}

}  // namespace varnox
