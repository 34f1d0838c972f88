#include "settings/read_log_registry.h"

namespace varnox {

long ReadLogRegistry::Opened(long status, RegKey root, const std::string& path, RegKey* result) {
  if (recording_) {
    const KeyPath key = keys_.Below(root, path);
    keysAsked_.Add({key.root, key.path, {}});
  }
  if (status == kErrorSuccess && result != nullptr) keys_.Remember(*result, keys_.Below(root, path));
  return status;
}

long ReadLogRegistry::OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  return Opened(real_.OpenKey(root, path, access, result), root, path, result);
}

long ReadLogRegistry::CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  return Opened(real_.CreateKey(root, path, access, result), root, path, result);
}

long ReadLogRegistry::QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size) {
  if (const KeyPath* path = keys_.Of(key); path != nullptr && recording_) {
    lastRead_ = {path->root, path->path, name};
    reads_.Add(lastRead_);
  }
  return real_.QueryValue(key, name, type, data, size);
}

long ReadLogRegistry::CloseKey(RegKey key) {
  keys_.Forget(key);
  return real_.CloseKey(key);
}

}  // namespace varnox
