#pragma once
// Passes every call through to a registry, except that setting or deleting
// one of the values it is told to spare succeeds without touching it: code
// that writes a whole group leaves those values as they stand.

#include <string>

#include "settings/forwarding_registry.h"
#include "settings/key_paths.h"
#include "settings/registry.h"
#include "settings/value_list.h"

namespace varnox {

class WriteFilterRegistry final : public ForwardingRegistry {
 public:
  WriteFilterRegistry(RegistryApi& real, const ValueList& spared) : ForwardingRegistry(real), spared_(spared) {}

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override {
    return Opened(ForwardingRegistry::OpenKey(root, path, access, result), root, path, result);
  }
  long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override {
    return Opened(ForwardingRegistry::CreateKey(root, path, access, result), root, path, result);
  }
  long SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    return Spared(key, name) ? kErrorSuccess : ForwardingRegistry::SetValue(key, name, type, data, size);
  }
  long DeleteValue(RegKey key, const std::string& name) override {
    return Spared(key, name) ? kErrorSuccess : ForwardingRegistry::DeleteValue(key, name);
  }
  long CloseKey(RegKey key) override {
    keys_.Forget(key);
    return ForwardingRegistry::CloseKey(key);
  }

 private:
  long Opened(long status, RegKey root, const std::string& path, RegKey* result) {
    if (status == kErrorSuccess && result != nullptr) keys_.Remember(*result, keys_.Below(root, path));
    return status;
  }
  bool Spared(RegKey key, const std::string& name) const {
    const KeyPath* path = keys_.Of(key);
    return path != nullptr && spared_.Has({path->root, path->path, name});
  }

  const ValueList& spared_;
  KeyPaths keys_;
};

}  // namespace varnox
