#pragma once
// The registry as another user sees it: calls under HKEY_CURRENT_USER go to
// that user's hive, HKEY_USERS\<SID>; everything else passes through. A
// window started with an administrator's rights on behalf of a standard user
// runs as the administrator, yet must show and save the standard user's own
// settings.

#include <string>

#include "platform/registry_api.h"

namespace varnox {

class UserHiveRegistry final : public RegistryApi {
 public:
  UserHiveRegistry(RegistryApi& inner, std::string sid) : inner_(inner), sid_(std::move(sid)) {}

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
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

 private:
  // The path below HKEY_USERS of a path below the user's root.
  std::string InHive(const std::string& path) const { return path.empty() ? sid_ : sid_ + "\\" + path; }

  RegistryApi& inner_;
  std::string sid_;
};

}  // namespace varnox
