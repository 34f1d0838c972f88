#pragma once
// A registry that answers reads from the real one and writes nothing: every
// key it would create and every value it would set or delete is recorded in
// order instead, and later reads see those edits, so code run against it
// behaves as it would on the real registry. It also notes which keys were
// asked for and which values were read or written.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/key_paths.h"
#include "settings/registry_edit.h"
#include "settings/value_list.h"

namespace varnox {

class DryRunRegistry final : public RegistryApi {
 public:
  explicit DryRunRegistry(RegistryApi& real) : real_(real) {}
  ~DryRunRegistry() override;
  DryRunRegistry(const DryRunRegistry&) = delete;
  DryRunRegistry& operator=(const DryRunRegistry&) = delete;

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long QueryInfoKey(RegKey key, RegKeyInfo* info) override;
  long CloseKey(RegKey key) override;

  // What the calls would have changed, in order.
  const std::vector<RegistryEdit>& Edits() const { return edits_; }
  // Every value asked about, set or deleted.
  const std::vector<RegistryValueRef>& Touched() const { return touched_.Items(); }
  // Every key asked for, whether it opened or not.
  const std::vector<KeyPath>& Keys() const { return keys_; }

 private:
  struct Handle {
    KeyPath key;
    RegKey real = 0;  // 0 for a key that exists only in the record
  };
  // A value as the recorded edits left it: nullopt when deleted.
  using Overlay = std::optional<RegistryEdit>;

  long Open(RegKey root, const std::string& path, std::uint32_t access, RegKey* result, bool create);
  RegKey Issue(KeyPath key, RegKey real);
  const Handle* Find(RegKey key) const;
  const Overlay* Edited(const Handle& handle, const std::string& name) const;
  static std::string Identity(const KeyPath& key, const std::string& name);

  RegistryApi& real_;
  std::map<RegKey, Handle> handles_;
  RegKey nextHandle_ = 1;
  std::vector<RegistryEdit> edits_;
  std::map<std::string, Overlay> overlay_;
  std::set<std::string> createdKeys_;
  ValueList touched_;
  std::vector<KeyPath> keys_;
};

}  // namespace varnox
