#pragma once
// Registry values in the order first met, each once: names compare without
// regard to case, as the registry compares them. A handful of values, so a
// plain list.

#include <algorithm>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "settings/registry.h"

namespace varnox {

inline bool SameValue(const RegistryValueRef& a, const RegistryValueRef& b) {
  return a.root == b.root && EqualsIgnoringAsciiCase(a.keyPath, b.keyPath) &&
         EqualsIgnoringAsciiCase(a.valueName, b.valueName);
}

class ValueList {
 public:
  void Add(const RegistryValueRef& value) {
    if (!Has(value)) items_.push_back(value);
  }
  bool Has(const RegistryValueRef& value) const { return Contains(items_, value); }
  static bool Contains(const std::vector<RegistryValueRef>& values, const RegistryValueRef& value) {
    return std::any_of(values.begin(), values.end(),
                       [&value](const RegistryValueRef& item) { return SameValue(item, value); });
  }
  const std::vector<RegistryValueRef>& Items() const { return items_; }

 private:
  std::vector<RegistryValueRef> items_;
};

}  // namespace varnox
