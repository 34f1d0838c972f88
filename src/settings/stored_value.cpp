#include "settings/stored_value.h"

#include <algorithm>

#include "settings/registry_errors.h"

namespace varnox {

RegistryEdit ReadStoredValue(RegistryApi& registry, RegKey key, const KeyPath& path, const std::string& name) {
  RegistryEdit edit{RegistryEdit::Kind::DeleteValue, path.root, path.path, name, kRegNone, {}};
  std::uint32_t size = 0;
  const long asked = registry.QueryValue(key, name, &edit.type, nullptr, &size);
  if (asked == kErrorFileNotFound) return edit;
  if (asked != kErrorSuccess) throw FailedToGetData(name);
  edit.kind = RegistryEdit::Kind::SetValue;
  edit.data.resize(size);
  std::uint32_t got = size;
  if (size != 0 && registry.QueryValue(key, name, &edit.type, edit.data.data(), &got) != kErrorSuccess) {
    throw FailedToGetData(name);
  }
  edit.data.resize(std::min(got, size));
  return edit;
}

RegistryEdit StoredState(RegistryApi& registry, const RegistryValueRef& value) {
  RegKey key = 0;
  const KeyPath path{value.root, value.keyPath};
  if (registry.OpenKey(value.root, value.keyPath, kKeyRead, &key) != kErrorSuccess) {
    return {RegistryEdit::Kind::DeleteValue, value.root, value.keyPath, value.valueName};
  }
  struct Closer {
    RegistryApi& registry;
    RegKey key;
    ~Closer() { registry.CloseKey(key); }
  } closer{registry, key};
  return ReadStoredValue(registry, key, path, value.valueName);
}

bool SameState(const RegistryEdit& a, const RegistryEdit& b) {
  if (a.kind != b.kind) return false;
  return a.kind == RegistryEdit::Kind::DeleteValue || (a.type == b.type && a.data == b.data);
}

}  // namespace varnox
