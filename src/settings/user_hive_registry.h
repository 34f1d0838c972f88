#pragma once
// The registry as another user sees it: calls under HKEY_CURRENT_USER go to
// that user's hive, a key right below HKEY_USERS; everything else passes
// through. The key is named by the user's SID when the user is logged on,
// or by whatever name a profile's hive file was loaded under. A window
// started with an administrator's rights on behalf of a standard user runs
// as the administrator, yet must show and save the standard user's own
// settings.

#include <string>
#include <utility>

#include "settings/forwarding_registry.h"

namespace varnox {

class UserHiveRegistry final : public ForwardingRegistry {
 public:
  // `hive` is the key's name below HKEY_USERS.
  UserHiveRegistry(RegistryApi& inner, std::string hive) : ForwardingRegistry(inner), hive_(std::move(hive)) {}

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;

 private:
  // The path below HKEY_USERS of a path below the user's root.
  std::string InHive(const std::string& path) const { return path.empty() ? hive_ : hive_ + "\\" + path; }

  std::string hive_;
};

}  // namespace varnox
