#include "memory_registry.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace varnox {

namespace {

inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
// Not rights: they choose the 32- or 64-bit view and never cause a refusal.
inline constexpr std::uint32_t kKeyWow64Views = 0x0300;

// Registry names compare as Windows compares them for ASCII text.
std::string Fold(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

bool SameName(const std::string& a, const std::string& b) { return Fold(a) == Fold(b); }

// A path's parts, as views into it. A leading backslash is refused as
// Windows refuses it; empty parts elsewhere (a doubled or trailing
// backslash) are passed over.
std::optional<std::vector<std::string_view>> SplitPath(std::string_view path) {
  if (!path.empty() && path.front() == '\\') return std::nullopt;
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string RootName(RegKey root) {
  if (root == kHkeyLocalMachine) return "HKLM";
  if (root == kHkeyCurrentUser) return "HKCU";
  if (root == kHkeyUsers) return "HKU";
  return "?";
}

std::string JoinPath(const std::string& base, const std::string& path) {
  return path.empty() ? base : base + "\\" + path;
}

bool IsStringType(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

}  // namespace

struct MemoryRegistry::Key {
  std::string name;
  std::map<std::string, std::shared_ptr<Key>> subkeys;  // by folded name
  std::map<std::string, StoredValue> values;            // by folded name
  bool readOnly = false;
  bool removed = false;
  std::uint64_t lastWrite = 0;
  Key* parent = nullptr;

  bool DeniesFullAccess() const {
    for (const Key* k = this; k != nullptr; k = k->parent) {
      if (k->readOnly) return true;
    }
    return false;
  }

  void MarkRemoved() {
    removed = true;
    for (auto& [_, sub] : subkeys) sub->MarkRemoved();
  }
};

bool RegistryCall::IsValueCall() const { return op == "QueryValue" || op == "SetValue" || op == "DeleteValue"; }

std::string RegistryCall::ToString() const { return op + " " + (IsValueCall() ? valueName : keyPath); }

MemoryRegistry::MemoryRegistry()
    : localMachine_(std::make_shared<Key>()),
      currentUser_(std::make_shared<Key>()),
      users_(std::make_shared<Key>()),
      // A plausible FILETIME (2010) that every write moves on.
      clock_(0x01CA'8C9B'0000'0000ull) {
  localMachine_->name = "HKEY_LOCAL_MACHINE";
  currentUser_->name = "HKEY_CURRENT_USER";
  users_->name = "HKEY_USERS";
}

MemoryRegistry::~MemoryRegistry() = default;

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::RootKey(RegKey root) const {
  if (root == kHkeyLocalMachine) return localMachine_;
  if (root == kHkeyCurrentUser) return currentUser_;
  if (root == kHkeyUsers) return users_;
  return nullptr;
}

std::optional<MemoryRegistry::Handle> MemoryRegistry::Resolve(RegKey key) const {
  if (std::shared_ptr<Key> root = RootKey(key)) return Handle{root, kKeyAllAccess, RootName(key)};
  const auto it = handles_.find(key);
  if (it == handles_.end()) return std::nullopt;
  return it->second;
}

long MemoryRegistry::CheckHandle(RegKey key, std::uint32_t right, Handle* handle) const {
  const std::optional<Handle> found = Resolve(key);
  if (!found) return kErrorInvalidHandle;
  *handle = *found;
  if (handle->key->removed) return kErrorKeyDeleted;
  // Rights are those the handle was opened with, as Windows grants them at open time.
  if ((handle->access & right) != right) return kErrorAccessDenied;
  return kErrorSuccess;
}

long MemoryRegistry::Record(RegistryCall call) {
  if (writesUntilFailure_ > 0 && (call.op == "SetValue" || call.op == "DeleteValue") && --writesUntilFailure_ == 0) {
    call.result = writeFailure_;
  }
  for (const Failure& failure : failures_) {
    const std::string& subject = call.IsValueCall() ? call.valueName : call.keyPath;
    if (failure.op == call.op && SameName(failure.subject, subject)) {
      call.result = failure.error;
      break;
    }
  }
  calls_.push_back(call);
  return call.result;
}

void MemoryRegistry::Touch(Key& key) { key.lastWrite = ++clock_; }

long MemoryRegistry::Open(const char* op, RegKey root, const std::string& path, std::uint32_t access, RegKey* result,
                          bool create) {
  RegistryCall call{op, "", "", access, 0, kErrorSuccess};
  const std::optional<Handle> base = Resolve(root);
  call.keyPath = JoinPath(base ? base->path : "?", path);

  // The outcome is decided first and the call recorded with it; an injected
  // failure then must not leave a key created or a handle open behind it.
  long outcome = kErrorSuccess;
  std::shared_ptr<Key> key;
  const std::optional<std::vector<std::string_view>> parts = SplitPath(path);
  if (!base || result == nullptr) {
    outcome = base ? kErrorInvalidParameter : kErrorInvalidHandle;
  } else if (base->key->removed) {
    outcome = kErrorKeyDeleted;
  } else if (!parts) {
    outcome = kErrorBadPathname;
  } else {
    key = base->key;
    for (const std::string_view part : *parts) {
      const auto it = key->subkeys.find(Fold(part));
      if (it != key->subkeys.end()) {
        key = it->second;
      } else if (!create) {
        outcome = kErrorFileNotFound;
        break;
      } else if (key->DeniesFullAccess()) {
        outcome = kErrorAccessDenied;
        break;
      } else {
        break;  // the rest is created below, once the call is known to succeed
      }
    }
    if (outcome == kErrorSuccess && key->DeniesFullAccess() && (access & ~kKeyWow64Views & ~kKeyRead) != 0) {
      outcome = kErrorAccessDenied;
    }
  }
  call.result = outcome;
  if (Record(call) != kErrorSuccess) return calls_.back().result;

  if (create) {
    key = base->key;
    for (const std::string_view part : *parts) {
      std::shared_ptr<Key>& slot = key->subkeys[Fold(part)];
      if (!slot) {
        slot = std::make_shared<Key>();
        slot->name = part;
        slot->parent = key.get();
        Touch(*slot);
        Touch(*key);
      }
      key = slot;
    }
  }
  const RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = Handle{key, access, call.keyPath};
  *result = handle;
  return kErrorSuccess;
}

long MemoryRegistry::OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  return Open("OpenKey", root, path, access, result, false);
}

long MemoryRegistry::CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) {
  return Open("CreateKey", root, path, access, result, true);
}

long MemoryRegistry::QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) {
  Handle handle;
  long outcome = CheckHandle(key, kKeyQueryValue, &handle);
  const StoredValue* value = nullptr;
  if (outcome == kErrorSuccess) {
    const auto it = handle.key->values.find(Fold(name));
    if (it == handle.key->values.end()) {
      outcome = kErrorFileNotFound;
    } else if (data != nullptr && size == nullptr) {
      outcome = kErrorInvalidParameter;
    } else {
      value = &it->second;
      if (data != nullptr && *size < value->data.size()) outcome = kErrorMoreData;
    }
  }
  if (const long recorded = Record({"QueryValue", handle.path, name, 0, 0, outcome}); recorded != outcome) {
    return recorded;  // an injected failure
  }
  if (value == nullptr) return outcome;

  const auto stored = static_cast<std::uint32_t>(value->data.size());
  if (type != nullptr) *type = value->type;
  if (data != nullptr && outcome == kErrorSuccess) {
    std::copy(value->data.begin(), value->data.end(), data);
    // Like Windows, a stored text without its NUL gets one when there is room.
    if (IsStringType(value->type) && stored > 0 && value->data.back() != 0 && *size > stored) data[stored] = 0;
  }
  if (size != nullptr) *size = stored;
  return outcome;
}

long MemoryRegistry::SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                              std::uint32_t size) {
  Handle handle;
  long outcome = CheckHandle(key, kKeySetValue, &handle);
  if (outcome == kErrorSuccess && data == nullptr && size > 0) outcome = kErrorInvalidParameter;
  if (Record({"SetValue", handle.path, name, 0, type, outcome}) != kErrorSuccess) return calls_.back().result;

  StoredValue& value = handle.key->values[Fold(name)];
  if (value.name.empty()) value.name = name;  // an existing value keeps the case it was made with
  value.type = type;
  value.data.assign(data, data + size);
  Touch(*handle.key);
  return kErrorSuccess;
}

long MemoryRegistry::DeleteValue(RegKey key, const std::string& name) {
  Handle handle;
  long outcome = CheckHandle(key, kKeySetValue, &handle);
  if (outcome == kErrorSuccess && handle.key->values.count(Fold(name)) == 0) outcome = kErrorFileNotFound;
  if (Record({"DeleteValue", handle.path, name, 0, 0, outcome}) != kErrorSuccess) return calls_.back().result;

  handle.key->values.erase(Fold(name));
  Touch(*handle.key);
  return kErrorSuccess;
}

long MemoryRegistry::QueryInfoKey(RegKey key, RegKeyInfo* info) {
  Handle handle;
  // The real registry answers this on any open handle, whatever its access.
  long outcome = CheckHandle(key, 0, &handle);
  if (outcome == kErrorSuccess && info == nullptr) outcome = kErrorInvalidParameter;
  if (Record({"QueryInfoKey", handle.path, "", 0, 0, outcome}) != kErrorSuccess) return calls_.back().result;

  RegKeyInfo result;
  const Key& k = *handle.key;
  result.subKeyCount = static_cast<std::uint32_t>(k.subkeys.size());
  for (const auto& [_, sub] : k.subkeys) {
    result.maxSubKeyNameLength = std::max(result.maxSubKeyNameLength, static_cast<std::uint32_t>(sub->name.size()));
  }
  result.valueCount = static_cast<std::uint32_t>(k.values.size());
  for (const auto& [_, value] : k.values) {
    result.maxValueNameLength = std::max(result.maxValueNameLength, static_cast<std::uint32_t>(value.name.size()));
    // Windows keeps texts as UTF-16 and reports the longest data in those
    // bytes even to the ANSI call: an ANSI text counts twice.
    const auto bytes = static_cast<std::uint32_t>(value.data.size() * (IsStringType(value.type) ? 2 : 1));
    result.maxValueDataLength = std::max(result.maxValueDataLength, bytes);
  }
  result.lastWriteTime = k.lastWrite;
  *info = result;
  return kErrorSuccess;
}

long MemoryRegistry::CloseKey(RegKey key) {
  long outcome = kErrorSuccess;
  const bool predefined = RootKey(key) != nullptr;
  const auto it = handles_.find(key);
  if (!predefined && it == handles_.end()) outcome = kErrorInvalidHandle;
  const std::string path = predefined ? RootName(key) : (it != handles_.end() ? it->second.path : "");
  if (Record({"CloseKey", path, "", 0, 0, outcome}) != kErrorSuccess) return calls_.back().result;
  if (!predefined) handles_.erase(it);
  return kErrorSuccess;
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::Find(RegKey root, const std::string& path) const {
  std::shared_ptr<Key> key = RootKey(root);
  const std::optional<std::vector<std::string_view>> parts = SplitPath(path);
  if (!key || !parts) return nullptr;
  for (const std::string_view part : *parts) {
    const auto it = key->subkeys.find(Fold(part));
    if (it == key->subkeys.end()) return nullptr;
    key = it->second;
  }
  return key;
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::Make(RegKey root, const std::string& path) {
  std::shared_ptr<Key> key = RootKey(root);
  const std::optional<std::vector<std::string_view>> parts = SplitPath(path);
  if (!key || !parts) return nullptr;
  for (const std::string_view part : *parts) {
    std::shared_ptr<Key>& slot = key->subkeys[Fold(part)];
    if (!slot) {
      slot = std::make_shared<Key>();
      slot->name = part;
      slot->parent = key.get();
      Touch(*slot);
    }
    key = slot;
  }
  return key;
}

void MemoryRegistry::CreateKeyPath(RegKey root, const std::string& path) { Make(root, path); }

void MemoryRegistry::SetRaw(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
                            std::vector<std::uint8_t> data) {
  std::shared_ptr<Key> key = Make(root, path);
  if (!key) return;
  StoredValue& value = key->values[Fold(name)];
  if (value.name.empty()) value.name = name;
  value.type = type;
  value.data = std::move(data);
  Touch(*key);
}

void MemoryRegistry::SetString(RegKey root, const std::string& path, const std::string& name, const std::string& text) {
  SetRaw(root, path, name, kRegSz, std::vector<std::uint8_t>(text.c_str(), text.c_str() + text.size() + 1));
}

void MemoryRegistry::SetExpandString(RegKey root, const std::string& path, const std::string& name,
                                     const std::string& text) {
  SetRaw(root, path, name, kRegExpandSz, std::vector<std::uint8_t>(text.c_str(), text.c_str() + text.size() + 1));
}

void MemoryRegistry::SetDword(RegKey root, const std::string& path, const std::string& name, std::uint32_t value) {
  SetRaw(root, path, name, kRegDword,
         {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void MemoryRegistry::SetBinary(RegKey root, const std::string& path, const std::string& name,
                               std::vector<std::uint8_t> data) {
  SetRaw(root, path, name, kRegBinary, std::move(data));
}

void MemoryRegistry::RemoveKey(RegKey root, const std::string& path) {
  const std::shared_ptr<Key> key = Find(root, path);
  if (!key || key->parent == nullptr) return;
  key->MarkRemoved();
  key->parent->subkeys.erase(Fold(key->name));
}

bool MemoryRegistry::RemoveValue(RegKey root, const std::string& path, const std::string& name) {
  const std::shared_ptr<Key> key = Find(root, path);
  return key && key->values.erase(Fold(name)) > 0;
}

bool MemoryRegistry::KeyExists(RegKey root, const std::string& path) const { return Find(root, path) != nullptr; }

std::optional<StoredValue> MemoryRegistry::Value(RegKey root, const std::string& path, const std::string& name) const {
  const std::shared_ptr<Key> key = Find(root, path);
  if (!key) return std::nullopt;
  const auto it = key->values.find(Fold(name));
  if (it == key->values.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> MemoryRegistry::String(RegKey root, const std::string& path, const std::string& name) const {
  const std::optional<StoredValue> value = Value(root, path, name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return std::nullopt;
  const auto* chars = reinterpret_cast<const char*>(value->data.data());
  return std::string(chars, strnlen(chars, value->data.size()));
}

std::optional<std::uint32_t> MemoryRegistry::Dword(RegKey root, const std::string& path,
                                                   const std::string& name) const {
  const std::optional<StoredValue> value = Value(root, path, name);
  if (!value || value->type != kRegDword || value->data.size() != 4) return std::nullopt;
  const std::vector<std::uint8_t>& d = value->data;
  return std::uint32_t{d[0]} | std::uint32_t{d[1]} << 8 | std::uint32_t{d[2]} << 16 | std::uint32_t{d[3]} << 24;
}

std::vector<std::string> MemoryRegistry::ValueNames(RegKey root, const std::string& path) const {
  std::vector<std::string> names;
  if (const std::shared_ptr<Key> key = Find(root, path)) {
    for (const auto& [_, value] : key->values) names.push_back(value.name);
  }
  return names;
}

void MemoryRegistry::DenyFullAccess(RegKey root, const std::string& path) {
  if (const std::shared_ptr<Key> key = Make(root, path)) key->readOnly = true;
}

void MemoryRegistry::FailCalls(const std::string& op, const std::string& subject, long error) {
  failures_.push_back({op, subject, error});
}

void MemoryRegistry::FailNthWrite(std::size_t n, long error) {
  writesUntilFailure_ = n;
  writeFailure_ = error;
}

std::map<std::string, StoredValue> MemoryRegistry::Dump() const {
  std::map<std::string, StoredValue> out;
  const auto walk = [&out](const auto& self, const Key& key, const std::string& path) -> void {
    for (const auto& [_, value] : key.values) out[path + "\\" + value.name] = value;
    for (const auto& [_, sub] : key.subkeys) self(self, *sub, path + "\\" + sub->name);
  };
  walk(walk, *localMachine_, "HKLM");
  walk(walk, *currentUser_, "HKCU");
  walk(walk, *users_, "HKU");
  return out;
}

std::vector<std::string> MemoryRegistry::CallTrace() const {
  std::vector<std::string> trace;
  for (const RegistryCall& call : calls_) trace.push_back(call.ToString());
  return trace;
}

}  // namespace varnox
