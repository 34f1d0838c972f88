#include "settings/read_log_registry.h"

namespace varnox {

long ReadLogRegistry::Opened(long status, RegKey root, const std::string& path, RegKey* result) {
  if (recording_) {
    const KeyPath key = keys_.Below(root, path);
    keysAsked_.Add({key.root, key.path, {}});
    if (status == kErrorFileNotFound) missingKeys_.Add({key.root, key.path, {}});
  }
  if (status == kErrorSuccess && result != nullptr) keys_.Remember(*result, keys_.Below(root, path));
  return status;
}

long ReadLogRegistry::OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  return Opened(ForwardingRegistry::OpenKey(root, path, access, result), root, path, result);
}

long ReadLogRegistry::CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  return Opened(ForwardingRegistry::CreateKey(root, path, access, result), root, path, result);
}

long ReadLogRegistry::QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size) {
  const long status = ForwardingRegistry::QueryValue(key, name, type, data, size);
  const KeyPath* path = keys_.Of(key);
  if (path == nullptr || !recording_) return status;
  lastRead_ = {path->root, path->path, name};
  reads_.Add(lastRead_);
  found_.resize(reads_.Items().size());
  Found now{{RegistryEdit::Kind::DeleteValue, path->root, path->path, name, kRegNone, {}},
            status == kErrorFileNotFound};
  if (status == kErrorSuccess || status == kErrorMoreData) {
    now.state.kind = RegistryEdit::Kind::SetValue;
    now.state.type = type != nullptr ? *type : kRegNone;
    const std::uint32_t length = size != nullptr ? *size : 0;
    now.dataKnown = status == kErrorSuccess && data != nullptr;
    // Without the data, the size alone is noted: as many zero bytes.
    now.state.data.assign(length, 0);
    if (now.dataKnown) now.state.data.assign(data, data + length);
  } else if (status != kErrorFileNotFound) {
    return status;
  }
  Found& found = found_[reads_.IndexOf(lastRead_)];
  // A size asked after the data were read learns nothing new.
  const bool sameSize = found.state.kind == now.state.kind && found.state.data.size() == now.state.data.size();
  if (now.dataKnown || !found.dataKnown || !sameSize) found = std::move(now);
  return status;
}

std::optional<ReadLogRegistry::Found> ReadLogRegistry::FoundOf(const RegistryValueRef& value) const {
  if (const std::size_t at = reads_.IndexOf(value); at < found_.size()) return found_[at];
  if (!missingKeys_.Has({value.root, value.keyPath, {}})) return std::nullopt;
  return Found{{RegistryEdit::Kind::DeleteValue, value.root, value.keyPath, value.valueName, kRegNone, {}}, true};
}

long ReadLogRegistry::CloseKey(RegKey key) {
  keys_.Forget(key);
  return ForwardingRegistry::CloseKey(key);
}

}  // namespace varnox
