#include "settings/dry_run_registry.h"

#include <algorithm>
#include <cstring>

#include "base/ascii.h"

namespace varnox {

DryRunRegistry::~DryRunRegistry() {
  for (const auto& [handle, open] : handles_) {
    if (open.real != 0) real_.CloseKey(open.real);
  }
}

std::string DryRunRegistry::Identity(const KeyPath& key, const std::string& name) {
  return std::to_string(key.root) + '\\' + AsciiLowerCase(key.path) + '\n' + AsciiLowerCase(name);
}

RegKey DryRunRegistry::Issue(KeyPath key, RegKey real) {
  const RegKey handle = nextHandle_++;
  handles_[handle] = {std::move(key), real};
  return handle;
}

const DryRunRegistry::Handle* DryRunRegistry::Find(RegKey key) const {
  const auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : &it->second;
}

const DryRunRegistry::Overlay* DryRunRegistry::Edited(const Handle& handle, const std::string& name) const {
  const auto it = overlay_.find(Identity(handle.key, name));
  return it == overlay_.end() ? nullptr : &it->second;
}

long DryRunRegistry::Open(RegKey root, const std::string& path, std::uint32_t access, RegKey* result, bool create) {
  // The settings code opens keys under the two roots only.
  KeyPath key{root, path};
  if (std::none_of(keys_.begin(), keys_.end(), [&key](const KeyPath& known) {
        return known.root == key.root && AsciiLowerCase(known.path) == AsciiLowerCase(key.path);
      })) {
    keys_.push_back(key);
  }
  if (result == nullptr) return kErrorInvalidParameter;
  if (createdKeys_.count(Identity(key, {})) != 0) {
    *result = Issue(std::move(key), 0);
    return kErrorSuccess;
  }
  RegKey real = 0;
  const long status = real_.OpenKey(root, path, access, &real);
  if (status == kErrorSuccess) {
    *result = Issue(std::move(key), real);
    return kErrorSuccess;
  }
  if (!create || status != kErrorFileNotFound) return status;
  createdKeys_.insert(Identity(key, {}));
  edits_.push_back({RegistryEdit::Kind::CreateKey, key.root, key.path, {}, kRegNone, {}});
  *result = Issue(std::move(key), 0);
  return kErrorSuccess;
}

long DryRunRegistry::OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  return Open(root, path, access, result, false);
}

long DryRunRegistry::CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  return Open(root, path, access, result, true);
}

long DryRunRegistry::QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) {
  const Handle* handle = Find(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  touched_.Add({handle->key.root, handle->key.path, name});
  const Overlay* edited = Edited(*handle, name);
  if (edited == nullptr) {
    return handle->real == 0 ? kErrorFileNotFound : real_.QueryValue(handle->real, name, type, data, size);
  }
  if (!edited->has_value()) return kErrorFileNotFound;
  const RegistryEdit& value = **edited;
  const auto stored = static_cast<std::uint32_t>(value.data.size());
  if (type != nullptr) *type = value.type;
  if (size == nullptr) return data == nullptr ? kErrorSuccess : kErrorInvalidParameter;
  const std::uint32_t room = *size;
  *size = stored;
  if (data == nullptr) return kErrorSuccess;
  if (room < stored) return kErrorMoreData;
  if (stored != 0) std::memcpy(data, value.data.data(), stored);
  return kErrorSuccess;
}

long DryRunRegistry::SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size) {
  const Handle* handle = Find(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  if (data == nullptr && size != 0) return kErrorInvalidParameter;
  touched_.Add({handle->key.root, handle->key.path, name});
  RegistryEdit edit{RegistryEdit::Kind::SetValue, handle->key.root, handle->key.path, name, type, {}};
  if (size != 0) edit.data.assign(data, data + size);
  overlay_[Identity(handle->key, name)] = edit;
  edits_.push_back(std::move(edit));
  return kErrorSuccess;
}

long DryRunRegistry::DeleteValue(RegKey key, const std::string& name) {
  const Handle* handle = Find(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  // Asking first also notes the value as touched.
  const long present = QueryValue(key, name, &type, nullptr, &size);
  if (present != kErrorSuccess) return present;
  overlay_[Identity(handle->key, name)] = std::nullopt;
  edits_.push_back({RegistryEdit::Kind::DeleteValue, handle->key.root, handle->key.path, name, kRegNone, {}});
  return kErrorSuccess;
}

long DryRunRegistry::QueryInfoKey(RegKey key, RegKeyInfo* info) {
  const Handle* handle = Find(key);
  if (handle == nullptr || info == nullptr) return kErrorInvalidParameter;
  if (handle->real == 0) {
    *info = RegKeyInfo{};
    return kErrorSuccess;
  }
  return real_.QueryInfoKey(handle->real, info);
}

long DryRunRegistry::CloseKey(RegKey key) {
  const auto it = handles_.find(key);
  if (it == handles_.end()) return kErrorInvalidHandle;
  if (it->second.real != 0) real_.CloseKey(it->second.real);
  handles_.erase(it);
  return kErrorSuccess;
}

}  // namespace varnox
