#include "settings/dry_run_registry.h"

#include <cstring>

#include "base/ascii.h"

namespace varnox {

DryRunRegistry::~DryRunRegistry() {
  for (const Handle& handle : handles_) {
    if (handle.open && handle.real != 0) real_.CloseKey(handle.real);
  }
}

RegKey DryRunRegistry::Issue(const KeyPath& key, RegKey real) {
  handles_.push_back({key, real, true});
  return handles_.size();
}

DryRunRegistry::Handle* DryRunRegistry::Find(RegKey key) {
  if (key == 0 || key > handles_.size() || !handles_[key - 1].open) return nullptr;
  return &handles_[key - 1];
}

const RegistryEdit* DryRunRegistry::LatestEdit(const KeyPath& key, const std::string* name) const {
  for (auto edit = edits_.rbegin(); edit != edits_.rend(); ++edit) {
    if (edit->root != key.root || !EqualsIgnoringAsciiCase(edit->keyPath, key.path)) continue;
    if (name == nullptr ? edit->kind == RegistryEdit::Kind::CreateKey
                        : edit->kind != RegistryEdit::Kind::CreateKey && EqualsIgnoringAsciiCase(edit->name, *name)) {
      return &*edit;
    }
  }
  return nullptr;
}

// The settings code opens keys under the two roots only.
long DryRunRegistry::Open(RegKey root, const std::string& path, std::uint32_t access, RegKey* result, bool create) {
  const KeyPath key{root, ResolvedKeyPath(path)};
  keys_.Add({root, key.path, {}});
  if (result == nullptr) return kErrorInvalidParameter;
  if (LatestEdit(key, nullptr) != nullptr) {
    *result = Issue(key, 0);
    return kErrorSuccess;
  }
  RegKey real = 0;
  const long status = real_.OpenKey(root, path, readOnly_ ? kKeyRead : access, &real);
  if (status == kErrorSuccess) {
    *result = Issue(key, real);
    return kErrorSuccess;
  }
  if (!create || status != kErrorFileNotFound) return status;
  edits_.push_back({RegistryEdit::Kind::CreateKey, root, key.path, {}, kRegNone, {}});
  *result = Issue(key, 0);
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
  const RegistryEdit* edited = LatestEdit(handle->key, &name);
  if (edited == nullptr) {
    return handle->real == 0 ? kErrorFileNotFound : real_.QueryValue(handle->real, name, type, data, size);
  }
  if (edited->kind == RegistryEdit::Kind::DeleteValue) return kErrorFileNotFound;
  const auto stored = static_cast<std::uint32_t>(edited->data.size());
  if (type != nullptr) *type = edited->type;
  if (size == nullptr) return data == nullptr ? kErrorSuccess : kErrorInvalidParameter;
  const std::uint32_t room = *size;
  *size = stored;
  if (data == nullptr) return kErrorSuccess;
  if (room < stored) return kErrorMoreData;
  if (stored != 0) std::memcpy(data, edited->data.data(), stored);
  return kErrorSuccess;
}

long DryRunRegistry::SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size) {
  const Handle* handle = Find(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  if (data == nullptr && size != 0) return kErrorInvalidParameter;
  touched_.Add({handle->key.root, handle->key.path, name});
  edits_.push_back({RegistryEdit::Kind::SetValue, handle->key.root, handle->key.path, name, type,
                    size != 0 ? std::vector<std::uint8_t>(data, data + size) : std::vector<std::uint8_t>{}});
  return kErrorSuccess;
}

long DryRunRegistry::DeleteValue(RegKey key, const std::string& name) {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  // Asking first also notes the value as touched.
  const long present = QueryValue(key, name, &type, nullptr, &size);
  if (present != kErrorSuccess) return present;
  const Handle* handle = Find(key);
  edits_.push_back({RegistryEdit::Kind::DeleteValue, handle->key.root, handle->key.path, name, kRegNone, {}});
  return kErrorSuccess;
}

long DryRunRegistry::QueryInfoKey(RegKey key, RegKeyInfo* info) {
  const Handle* handle = Find(key);
  if (handle == nullptr || info == nullptr) return kErrorInvalidParameter;
  if (handle->real != 0) return real_.QueryInfoKey(handle->real, info);
  *info = RegKeyInfo{};
  return kErrorSuccess;
}

long DryRunRegistry::CloseKey(RegKey key) {
  Handle* handle = Find(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  if (handle->real != 0) real_.CloseKey(handle->real);
  handle->open = false;
  return kErrorSuccess;
}

}  // namespace varnox
