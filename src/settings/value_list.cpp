#include "settings/value_list.h"

namespace varnox {

std::uint32_t ValueList::Fingerprint(const RegistryValueRef& value) {
  // FNV-1a over the folded path, a separator no name holds, and the folded name.
  std::uint32_t hash = 2166136261u ^ static_cast<std::uint32_t>(value.root);
  const auto mix = [&hash](std::string_view text) {
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 16777619u;
  };
  mix(value.keyPath);
  hash = (hash ^ 0u) * 16777619u;
  mix(value.valueName);
  return hash;
}

std::size_t ValueList::Find(const RegistryValueRef& value, std::uint32_t fingerprint) const {
  for (std::size_t i = 0; i < fingerprints_.size(); ++i) {
    if (fingerprints_[i] == fingerprint && SameValue(items_[i], value)) return i;
  }
  return items_.size();
}

void ValueList::Add(const RegistryValueRef& value) {
  const std::uint32_t fingerprint = Fingerprint(value);
  if (Find(value, fingerprint) != items_.size()) return;
  items_.push_back(value);
  fingerprints_.push_back(fingerprint);
}

bool ValueList::Has(const RegistryValueRef& value) const { return Find(value, Fingerprint(value)) != items_.size(); }

}  // namespace varnox
