#pragma once
// TMTUArray: the TCP/IP adapters of the binding list, each with its MTU as
// the user edits it and the address it shows. The page keeps one for the
// window's life; OK writes every entry's MTU from it.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace varnox {

// The MTU text of an adapter that has no "MTU" value.
inline constexpr char kMtuNotExist[] = "not exist";
// What OK writes for an MTU text that is not a number.
inline constexpr std::int32_t kMtuDefault = 576;

inline constexpr char kTcpipLinkageKey[] = "System\\CurrentControlSet\\Services\\Tcpip\\Linkage";

struct MtuEntry {
  std::string binding;  // the service name: the binding string less its device prefix
  std::string mtu;      // decimal text, or kMtuNotExist
  std::string address;  // shown after "IP address "
  // Whether the adapter's key opened at load. An adapter whose key did not
  // open has nothing to show and nothing OK may write.
  bool keyOpened = false;
};

// The adapter's own TCP/IP key.
std::string AdapterKeyPath(const std::string& binding);

// The raw data of a value (whatever its type), read whole with the key
// opened for full access; empty when the key or the value is missing. Data
// beyond the accessor's text limit is refused with its read error.
std::vector<std::uint8_t> ReadMultiSzValue(RegistryApi& api, RegKey root, const std::string& keyPath,
                                           const std::string& valueName);
// The first string of a multi-string (or a plain string) value; empty when
// the key or the value is missing.
std::string ReadFirstMultiSzString(RegistryApi& api, RegKey root, const std::string& keyPath,
                                   const std::string& valueName);
// The binding names of raw "Bind" data: each string less its first 8
// characters, in stored order, up to the list's end (its first empty
// string, or the last NUL); characters after the last NUL are dropped.
std::vector<std::string> ParseBindings(const std::vector<std::uint8_t>& bind);

class TMTUArray {
 public:
  // Fills the table from the binding list and each adapter's key, which is
  // opened read-only. A missing key or value is no error; a value of the
  // wrong type raises the accessor's error.
  void Load(RegistryApi& api);

  int Count() const { return static_cast<int>(entries_.size()); }
  // Entry k, numbered from 1 as the list's item k - 1.
  MtuEntry& Entry(int k) { return entries_.at(static_cast<std::size_t>(k - 1)); }
  const std::vector<MtuEntry>& Entries() const { return entries_; }

 private:
  std::vector<MtuEntry> entries_;
};

}  // namespace varnox
