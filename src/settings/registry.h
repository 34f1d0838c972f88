#pragma once
// TRegistry: the registry accessor every load section, save group and button
// click makes, uses and frees. One object holds at most one open key.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/registry_api.h"

namespace varnox {

// The accessor's error; what() is one of the three fixed messages.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where a setting lives: root, key path as the page spells it, value name.
struct RegistryValueRef {
  RegKey root;
  std::string keyPath;
  std::string valueName;
};

enum class RegDataType { Unknown, String, ExpandString, Integer, Binary };

class TRegistry {
 public:
  explicit TRegistry(RegistryApi& api);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  RegKey Root() const { return root_; }
  RegKey CurrentKey() const { return currentKey_; }
  const std::string& CurrentPath() const { return currentPath_; }

  void SetRoot(RegKey root);
  bool OpenKey(const std::string& path, bool mayCreate);
  bool OpenKeyReadOnly(const std::string& path);
  void CloseKey();
  bool KeyInfo(RegKeyInfo& info);

  bool ValueExists(const std::string& name);
  RegDataType ValueType(const std::string& name);
  int ValueSize(const std::string& name);

  std::string ReadText(const std::string& name);
  std::int32_t ReadDword(const std::string& name);
  int ReadBytes(const std::string& name, void* buffer, int bufferSize);

  void WriteText(const std::string& name, const std::string& text);
  void WriteDword(const std::string& name, std::int32_t value);
  void WriteBytes(const std::string& name, const void* buffer, int size);
  bool DeleteValue(const std::string& name);

 private:
  RegistryApi& api_;
  RegKey root_ = kHkeyCurrentUser;
  RegKey currentKey_ = 0;
  std::string currentPath_;
};

}  // namespace varnox
