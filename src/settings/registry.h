#pragma once
// TRegistry: the registry accessor every load section, save group and button
// click makes, uses and frees. One object holds at most one open key; every
// value operation acts on that key.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/error.h"
#include "platform/registry_api.h"

namespace varnox {

// The accessor's error; what() is one of the three fixed messages.
class ERegistryException : public Error {
 public:
  using Error::Error;
};

// Where a setting lives: root, key path as the page spells it, value name.
struct RegistryValueRef {
  RegKey root;
  std::string keyPath;
  std::string valueName;
};

enum class RegDataType { Unknown, String, ExpandString, Integer, Binary };

// Texts bigger than this are refused as a failed read rather than allocated:
// no setting comes near it, and a corrupt size must not exhaust memory.
inline constexpr std::uint32_t kMaxTextValueBytes = 1u << 20;

// Value names are taken as views, so that rows holding their names as views
// pass them as they are.
class TRegistry {
 public:
  // doubleByteNames: the system is of the NT family and its system locale
  // uses a double-byte character set; KeyInfo then doubles the two name
  // lengths. The caller knows this from the system seam; this file does not.
  explicit TRegistry(RegistryApi& api, bool doubleByteNames = false);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  RegistryApi& Api() const { return api_; }
  RegKey Root() const { return root_; }
  RegKey CurrentKey() const { return currentKey_; }
  const std::string& CurrentPath() const { return currentPath_; }
  bool DoubleByteNames() const { return doubleByteNames_; }
  void SetDoubleByteNames(bool on) { doubleByteNames_ = on; }

  // Closes the open key when the root changes.
  void SetRoot(RegKey root);
  // Full access (also for reading). On failure nothing changes. With the
  // read-only fallback on, an existing key that refuses full access (an
  // account that may read it but not change it) opens for reading instead,
  // and CurrentKeyReadOnly says so: the third outcome besides opened and
  // missing.
  bool OpenKey(const std::string& path, bool mayCreate);
  bool OpenKeyReadOnly(const std::string& path);
  void CloseKey();
  // Off by default: saves and clicks must never take a key they cannot write.
  void SetReadOnlyFallback(bool on) { readOnlyFallback_ = on; }
  // The open key was refused full access and opened for reading.
  bool CurrentKeyReadOnly() const { return currentKey_ != 0 && currentReadOnly_; }
  // Some key of this accessor's life opened for reading after a refusal.
  bool FullAccessRefused() const { return fullAccessRefused_; }
  // Fills a zeroed record; false when the query fails.
  bool KeyInfo(RegKeyInfo& info);

  bool ValueExists(std::string_view name);
  RegDataType ValueType(std::string_view name);
  // The stored size in bytes, -1 when the value is missing.
  std::int64_t ValueSize(std::string_view name);

  // Missing or empty → "". The text ends at its first NUL.
  std::string ReadText(std::string_view name);
  std::int32_t ReadDword(std::string_view name);
  // Missing → 0 and the buffer untouched; else the stored size.
  int ReadBytes(std::string_view name, void* buffer, int bufferSize);

  void WriteText(std::string_view name, const std::string& text);
  // The same as WriteText with REG_EXPAND_SZ.
  void WriteExpandText(std::string_view name, const std::string& text);
  void WriteDword(std::string_view name, std::int32_t value);
  void WriteBytes(std::string_view name, const void* buffer, int size);
  // False when the value is missing or cannot be deleted; never throws.
  bool DeleteValue(std::string_view name);

 private:
  // What the last question about a value of the open key found, with its
  // data when they fit: a load asks whether a value is there, or of which
  // type, and then reads it, and the read takes the data from here instead
  // of asking the registry again.
  // Value-initialised (zeroed) by peek_.emplace().
  struct Peek {
    static constexpr std::uint32_t kRoom = 256;
    std::string name;
    long status;  // kErrorMoreData when the data did not fit
    std::uint32_t type;
    std::uint32_t size;
    std::uint8_t data[kRoom];
  };
  const Peek& PeekValue(const std::string& name);
  // The last peek when it was at `name`, found it and holds its data.
  const Peek* PeekedData(const std::string& name) const;

  long Open(const std::string& path, bool mayCreate, std::uint32_t access);
  void Write(std::string_view name, std::uint32_t type, const void* data, std::size_t size);

  RegistryApi& api_;
  bool doubleByteNames_;
  RegKey root_ = kHkeyCurrentUser;
  RegKey currentKey_ = 0;
  std::string currentPath_;
  bool readOnlyFallback_ = false;
  bool currentReadOnly_ = false;
  bool fullAccessRefused_ = false;
  std::optional<Peek> peek_;
};

}  // namespace varnox
