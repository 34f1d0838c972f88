#include "settings/user_hive_registry.h"

namespace varnox {

long UserHiveRegistry::OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  if (root == kHkeyCurrentUser) return Inner().OpenKey(kHkeyUsers, InHive(path), access, result);
  return Inner().OpenKey(root, path, access, result);
}

long UserHiveRegistry::CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  if (root == kHkeyCurrentUser) return Inner().CreateKey(kHkeyUsers, InHive(path), access, result);
  return Inner().CreateKey(root, path, access, result);
}

}  // namespace varnox
