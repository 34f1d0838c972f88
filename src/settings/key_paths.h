#pragma once
// Which key each handle a registry wrapper handed out stands for, so that
// its records can name values by root, key path and name.

#include <map>
#include <string>

#include "platform/registry_api.h"

namespace varnox {

struct KeyPath {
  RegKey root = 0;
  std::string path;
};

class KeyPaths {
 public:
  // The key `path` names under `root`, which may itself be a handle known here.
  KeyPath Below(RegKey root, const std::string& path) const {
    const auto it = keys_.find(root);
    if (it == keys_.end()) return {root, path};
    if (path.empty()) return it->second;
    return {it->second.root, it->second.path.empty() ? path : it->second.path + "\\" + path};
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
