#pragma once
// Passes every call unchanged to an inner registry. The wrappers that change
// one or two calls derive from it and override only those, so each states
// what it changes and nothing else.

#include <cstdint>
#include <string>

#include "platform/registry_api.h"

namespace varnox {

class ForwardingRegistry : public RegistryApi {
 public:
  explicit ForwardingRegistry(RegistryApi& inner) : inner_(inner) {}

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override {
    return inner_.OpenKey(root, path, access, result);
  }
  long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override {
    return inner_.CreateKey(root, path, access, result);
  }
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    return inner_.QueryValue(key, name, type, data, size);
  }
  long SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    return inner_.SetValue(key, name, type, data, size);
  }
  long DeleteValue(RegKey key, const std::string& name) override { return inner_.DeleteValue(key, name); }
  long QueryInfoKey(RegKey key, RegKeyInfo* info) override { return inner_.QueryInfoKey(key, info); }
  long CloseKey(RegKey key) override { return inner_.CloseKey(key); }

 protected:
  RegistryApi& Inner() const { return inner_; }

 private:
  RegistryApi& inner_;
};

}  // namespace varnox
