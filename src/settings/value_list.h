#pragma once
// Registry values in the order first met, each once: names compare without
// regard to case, as the registry compares them.

#include <set>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "settings/registry.h"

namespace varnox {

class ValueList {
 public:
  void Add(const RegistryValueRef& value) {
    if (seen_.insert(Identity(value)).second) items_.push_back(value);
  }
  bool Has(const RegistryValueRef& value) const { return seen_.count(Identity(value)) != 0; }
  const std::vector<RegistryValueRef>& Items() const { return items_; }

 private:
  static std::string Identity(const RegistryValueRef& value) {
    return std::to_string(value.root) + '\\' + AsciiLowerCase(value.keyPath) + '\n' + AsciiLowerCase(value.valueName);
  }

  std::vector<RegistryValueRef> items_;
  std::set<std::string> seen_;
};

}  // namespace varnox
