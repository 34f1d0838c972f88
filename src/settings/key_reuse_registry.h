#pragma once
// Passes every call through to a registry, except that a key opened again
// by the same path with the same access gets the handle of its first
// opening, and closing such a handle waits until this object goes: a load
// whose sections read the same key asks the registry to open it once.

#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace varnox {

class KeyReuseRegistry final : public RegistryApi {
 public:
  explicit KeyReuseRegistry(RegistryApi& real) : real_(real) {}
  ~KeyReuseRegistry() override {
    for (const Opening& opening : open_) real_.CloseKey(opening.handle);
  }
  KeyReuseRegistry(const KeyReuseRegistry&) = delete;
  KeyReuseRegistry& operator=(const KeyReuseRegistry&) = delete;

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override {
    if (result == nullptr) return real_.OpenKey(root, path, access, result);
    for (const Opening& opening : open_) {
      if (opening.root == root && opening.access == access && opening.path == path) {
        *result = opening.handle;
        return kErrorSuccess;
      }
    }
    const long status = real_.OpenKey(root, path, access, result);
    if (status == kErrorSuccess) open_.push_back({root, access, *result, path});
    return status;
  }
  long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override {
    return real_.CreateKey(root, path, access, result);
  }
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    return real_.QueryValue(key, name, type, data, size);
  }
  long SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    return real_.SetValue(key, name, type, data, size);
  }
  long DeleteValue(RegKey key, const std::string& name) override { return real_.DeleteValue(key, name); }
  long QueryInfoKey(RegKey key, RegKeyInfo* info) override { return real_.QueryInfoKey(key, info); }
  long CloseKey(RegKey key) override {
    for (const Opening& opening : open_) {
      if (opening.handle == key) return kErrorSuccess;
    }
    return real_.CloseKey(key);
  }

 private:
  // A load opens a few dozen keys: a list is the smallest way to keep them.
  struct Opening {
    RegKey root;
    std::uint32_t access;
    RegKey handle;
    std::string path;
  };
  RegistryApi& real_;
  std::vector<Opening> open_;
};

}  // namespace varnox
