#pragma once
// A value as it is stored now, in the shape of the edit that would set it
// so: set with its type and data, or deleted when absent.

#include <string>

#include "settings/key_paths.h"
#include "settings/registry.h"
#include "settings/registry_edit.h"

namespace varnox {

// The value `name` of the open `key` (at `path`).
RegistryEdit ReadStoredValue(RegistryApi& registry, RegKey key, const KeyPath& path, const std::string& name);

// The value, its key opened for reading; absent when the key does not open.
RegistryEdit StoredState(RegistryApi& registry, const RegistryValueRef& value);

// The same value in the same state: both absent, or both with one type and data.
bool SameState(const RegistryEdit& a, const RegistryEdit& b);

}  // namespace varnox
