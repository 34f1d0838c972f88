#include "settings/registry.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "settings/registry_errors.h"

namespace varnox {

namespace {

RegDataType KindOf(std::uint32_t type) {
  switch (type) {
    case kRegSz:
      return RegDataType::String;
    case kRegExpandSz:
      return RegDataType::ExpandString;
    case kRegDword:
      return RegDataType::Integer;
    case kRegBinary:
      return RegDataType::Binary;
    default:
      return RegDataType::Unknown;
  }
}

bool IsText(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz; }

}  // namespace

TRegistry::TRegistry(RegistryApi& api, bool doubleByteNames) : api_(api), doubleByteNames_(doubleByteNames) {}

TRegistry::~TRegistry() { CloseKey(); }

const TRegistry::Peek& TRegistry::PeekValue(const std::string& name) {
  if (peek_ && peek_->name == name) return *peek_;
  peek_.emplace();
  peek_->name = name;
  peek_->size = Peek::kRoom;
  peek_->status = api_.QueryValue(currentKey_, name, &peek_->type, peek_->data, &peek_->size);
  return *peek_;
}

const TRegistry::Peek* TRegistry::PeekedData(const std::string& name) const {
  return peek_ && peek_->name == name && peek_->status == kErrorSuccess ? &*peek_ : nullptr;
}

void TRegistry::SetRoot(RegKey root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

bool TRegistry::OpenKey(const std::string& path, bool mayCreate) {
  const long result = Open(path, mayCreate, kKeyAllAccess);
  if (result == kErrorSuccess) return true;
  // Only a refusal falls back: a key that is not there stays missing.
  if (result != kErrorAccessDenied || mayCreate || !readOnlyFallback_) return false;
  if (Open(path, false, kKeyRead) != kErrorSuccess) return false;
  currentReadOnly_ = true;
  fullAccessRefused_ = true;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& path) { return Open(path, false, kKeyRead) == kErrorSuccess; }

long TRegistry::Open(const std::string& path, bool mayCreate, std::uint32_t access) {
  RegKey key = 0;
  const long result = mayCreate ? api_.CreateKey(root_, path, access, &key) : api_.OpenKey(root_, path, access, &key);
  if (result != kErrorSuccess) return result;
  // The new key is open before the old one goes, so a failed open keeps the old.
  CloseKey();
  peek_.reset();
  currentKey_ = key;
  currentPath_ = path;
  return kErrorSuccess;
}

void TRegistry::CloseKey() {
  peek_.reset();
  if (currentKey_ == 0) return;
  api_.CloseKey(currentKey_);
  currentKey_ = 0;
  currentPath_.clear();
  currentReadOnly_ = false;
}

bool TRegistry::KeyInfo(RegKeyInfo& info) {
  info = RegKeyInfo{};
  if (api_.QueryInfoKey(currentKey_, &info) != kErrorSuccess) {
    info = RegKeyInfo{};
    return false;
  }
  if (doubleByteNames_) {
    info.maxSubKeyNameLength *= 2;
    info.maxValueNameLength *= 2;
  }
  return true;
}

bool TRegistry::ValueExists(std::string_view valueName) {
  const long status = PeekValue(std::string(valueName)).status;
  return status == kErrorSuccess || status == kErrorMoreData;
}

RegDataType TRegistry::ValueType(std::string_view valueName) {
  const Peek& peek = PeekValue(std::string(valueName));
  if (peek.status != kErrorSuccess && peek.status != kErrorMoreData) return RegDataType::Unknown;
  return KindOf(peek.type);
}

std::int64_t TRegistry::ValueSize(std::string_view valueName) {
  const std::string name(valueName);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (api_.QueryValue(currentKey_, name, &type, nullptr, &size) != kErrorSuccess) return -1;
  return size;
}

std::string TRegistry::ReadText(std::string_view valueName) {
  const std::string name(valueName);
  const Peek& peek = PeekValue(name);
  if ((peek.status != kErrorSuccess && peek.status != kErrorMoreData) || peek.size < 1) return {};
  if (!IsText(peek.type)) throw InvalidDataType(name);
  if (peek.status == kErrorSuccess) {
    const char* chars = reinterpret_cast<const char*>(peek.data);
    return std::string(chars, strnlen(chars, peek.size));
  }
  const std::uint32_t size = peek.size;
  if (size > kMaxTextValueBytes) throw FailedToGetData(name);

  // One spare zero byte: stored text need not end in a NUL.
  std::vector<std::uint8_t> buffer(std::size_t{size} + 1, 0);
  std::uint32_t type = 0;
  std::uint32_t got = size;
  if (api_.QueryValue(currentKey_, name, &type, buffer.data(), &got) != kErrorSuccess) throw FailedToGetData(name);
  if (!IsText(type)) throw InvalidDataType(name);
  const char* chars = reinterpret_cast<const char*>(buffer.data());
  return std::string(chars, strnlen(chars, std::min(got, size)));
}

std::int32_t TRegistry::ReadDword(std::string_view valueName) {
  const std::string name(valueName);
  // Zeroed, so a REG_DWORD stored with fewer than four bytes reads as those
  // bytes zero-extended instead of as whatever the buffer held.
  std::uint8_t bytes[4] = {};
  if (const Peek* peek = PeekedData(name); peek && peek->type == kRegDword) {
    if (peek->size > sizeof bytes) throw FailedToGetData(name);
    std::memcpy(bytes, peek->data, peek->size);
  } else {
    std::uint32_t type = 0;
    std::uint32_t size = sizeof bytes;
    if (api_.QueryValue(currentKey_, name, &type, bytes, &size) != kErrorSuccess) throw FailedToGetData(name);
    if (type != kRegDword) throw InvalidDataType(name);
  }
  const std::uint32_t value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
                              std::uint32_t{bytes[3]} << 24;
  return static_cast<std::int32_t>(value);
}

int TRegistry::ReadBytes(std::string_view valueName, void* buffer, int bufferSize) {
  const std::string name(valueName);
  const std::uint32_t room = (buffer == nullptr || bufferSize < 0) ? 0 : static_cast<std::uint32_t>(bufferSize);
  // Only binary data are taken from a peek: a text may have gained a NUL there.
  if (const Peek* peek = PeekedData(name); peek && peek->type == kRegBinary) {
    if (peek->size > room) throw InvalidDataType(name);
    if (peek->size > 0) std::memcpy(buffer, peek->data, peek->size);
    return static_cast<int>(peek->size);
  }
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (api_.QueryValue(currentKey_, name, &type, nullptr, &size) != kErrorSuccess) return 0;
  const RegDataType kind = KindOf(type);
  if (kind != RegDataType::Binary && kind != RegDataType::Unknown) throw InvalidDataType(name);
  if (size > room) throw InvalidDataType(name);
  if (size == 0) return 0;

  std::uint32_t got = size;
  if (api_.QueryValue(currentKey_, name, &type, static_cast<std::uint8_t*>(buffer), &got) != kErrorSuccess) {
    throw FailedToGetData(name);
  }
  return static_cast<int>(std::min(got, size));
}

void TRegistry::Write(std::string_view valueName, std::uint32_t type, const void* data, std::size_t size) {
  peek_.reset();
  const std::string name(valueName);
  if (size > std::numeric_limits<std::uint32_t>::max()) throw FailedToSetData(name);
  static const std::uint8_t kNothing = 0;
  const auto* bytes = size == 0 ? &kNothing : static_cast<const std::uint8_t*>(data);
  if (api_.SetValue(currentKey_, name, type, bytes, static_cast<std::uint32_t>(size)) != kErrorSuccess) {
    throw FailedToSetData(name);
  }
}

void TRegistry::WriteText(std::string_view name, const std::string& text) {
  Write(name, kRegSz, text.c_str(), text.size() + 1);
}

void TRegistry::WriteExpandText(std::string_view name, const std::string& text) {
  Write(name, kRegExpandSz, text.c_str(), text.size() + 1);
}

void TRegistry::WriteDword(std::string_view name, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                 static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
  Write(name, kRegDword, bytes, sizeof bytes);
}

void TRegistry::WriteBytes(std::string_view name, const void* buffer, int size) {
  if (size < 0 || (buffer == nullptr && size > 0)) throw FailedToSetData(std::string(name));
  Write(name, kRegBinary, buffer, static_cast<std::size_t>(size));
}

bool TRegistry::DeleteValue(std::string_view name) {
  peek_.reset();
  return api_.DeleteValue(currentKey_, std::string(name)) == kErrorSuccess;
}

}  // namespace varnox
