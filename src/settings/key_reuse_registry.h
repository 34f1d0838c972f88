#pragma once
// Passes every call through to a registry, except that a key opened again
// by the same path with the same access gets the handle of its first
// opening, and closing such a handle waits until this object goes: a load
// whose sections read the same key asks the registry to open it once.

#include <string>
#include <vector>

#include "settings/forwarding_registry.h"

namespace varnox {

class KeyReuseRegistry final : public ForwardingRegistry {
 public:
  explicit KeyReuseRegistry(RegistryApi& real) : ForwardingRegistry(real) {}
  ~KeyReuseRegistry() override {
    for (const Opening& opening : open_) Inner().CloseKey(opening.handle);
  }
  KeyReuseRegistry(const KeyReuseRegistry&) = delete;
  KeyReuseRegistry& operator=(const KeyReuseRegistry&) = delete;

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override {
    if (result == nullptr) return ForwardingRegistry::OpenKey(root, path, access, result);
    for (const Opening& opening : open_) {
      if (opening.root == root && opening.access == access && opening.path == path) {
        *result = opening.handle;
        return kErrorSuccess;
      }
    }
    const long status = ForwardingRegistry::OpenKey(root, path, access, result);
    if (status == kErrorSuccess) open_.push_back({root, access, *result, path});
    return status;
  }
  long CloseKey(RegKey key) override {
    for (const Opening& opening : open_) {
      if (opening.handle == key) return kErrorSuccess;
    }
    return ForwardingRegistry::CloseKey(key);
  }

 private:
  // A load opens a few dozen keys: a list is the smallest way to keep them.
  struct Opening {
    RegKey root;
    std::uint32_t access;
    RegKey handle;
    std::string path;
  };
  std::vector<Opening> open_;
};

}  // namespace varnox
