#pragma once
// Registry values in the order first met, each once: names compare without
// regard to case, as the registry compares them. A load reads a few hundred
// values and every read asks whether it was met before, so each item keeps a
// fingerprint of its folded name and only equal fingerprints compare names.

#include <cstdint>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "settings/registry.h"

namespace varnox {

// Compares the names from their ends, where paths under one key differ.
inline bool SameValue(const RegistryValueRef& a, const RegistryValueRef& b) {
  return a.root == b.root && EqualsIgnoringAsciiCase(a.valueName, b.valueName) &&
         EqualsIgnoringAsciiCase(a.keyPath, b.keyPath);
}

class ValueList {
 public:
  void Add(const RegistryValueRef& value);
  bool Has(const RegistryValueRef& value) const;
  // The value's place in Items(), or Items().size() when it is not here.
  std::size_t IndexOf(const RegistryValueRef& value) const { return Find(value, Fingerprint(value)); }
  const std::vector<RegistryValueRef>& Items() const { return items_; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  static std::uint32_t Fingerprint(const RegistryValueRef& value);
  std::size_t Find(const RegistryValueRef& value, std::uint32_t fingerprint) const;

  std::vector<RegistryValueRef> items_;
  std::vector<std::uint32_t> fingerprints_;  // parallel to items_
};

}  // namespace varnox
