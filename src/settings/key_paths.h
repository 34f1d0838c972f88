#pragma once
// Which key each handle a registry wrapper handed out stands for, so that
// its records can name values by root, key path and name.

#include <map>
#include <string>

#include "platform/registry_api.h"

namespace varnox {

// `path` as the registry resolves it: a doubled or a trailing backslash
// names no key of its own, so records name the key that really opened. A
// leading one stays: the registry refuses it.
inline std::string ResolvedKeyPath(std::string path) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\' && i > 0 && (i + 1 == path.size() || path[i + 1] == '\\')) continue;
    path[kept++] = path[i];
  }
  path.resize(kept);
  return path;
}

struct KeyPath {
  RegKey root = 0;
  std::string path;
};

class KeyPaths {
 public:
  // The key `path` names under `root`, which may itself be a handle known here.
  KeyPath Below(RegKey root, const std::string& path) const {
    const auto it = keys_.find(root);
    if (it == keys_.end()) return {root, ResolvedKeyPath(path)};
    if (path.empty()) return it->second;
    const std::string below = ResolvedKeyPath(path);
    return {it->second.root, it->second.path.empty() ? below : it->second.path + "\\" + below};
  }
  const KeyPath* Of(RegKey handle) const {
    const auto it = keys_.find(handle);
    return it == keys_.end() ? nullptr : &it->second;
  }
  void Remember(RegKey handle, KeyPath key) { keys_[handle] = std::move(key); }
  void Forget(RegKey handle) { keys_.erase(handle); }

 private:
  std::map<RegKey, KeyPath> keys_;
};

}  // namespace varnox
