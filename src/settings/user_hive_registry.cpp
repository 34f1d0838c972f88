#include "settings/user_hive_registry.h"

namespace varnox {

long UserHiveRegistry::OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  if (root == kHkeyCurrentUser) return inner_.OpenKey(kHkeyUsers, InHive(path), access, result);
  return inner_.OpenKey(root, path, access, result);
}

long UserHiveRegistry::CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  if (root == kHkeyCurrentUser) return inner_.CreateKey(kHkeyUsers, InHive(path), access, result);
  return inner_.CreateKey(root, path, access, result);
}

}  // namespace varnox
