#pragma once
// A registry that answers reads from the real one and writes nothing: every
// key it would create and every value it would set or delete is recorded in
// order instead, and later reads see those edits, so code run against it
// behaves as it would on the real registry. It also notes which keys were
// asked for and which values were read or written.

#include <string>
#include <vector>

#include "settings/key_paths.h"
#include "settings/registry_edit.h"
#include "settings/value_list.h"

namespace varnox {

class DryRunRegistry final : public RegistryApi {
 public:
  // With `readOnly` it asks the real registry for read access only, so
  // that it also learns what code would do under keys this account may
  // only read.
  explicit DryRunRegistry(RegistryApi& real, bool readOnly = false) : real_(real), readOnly_(readOnly) {}
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
  const ValueList& Touched() const { return touched_; }
  // Every key asked for, whether it opened or not, as values without a name.
  const ValueList& Keys() const { return keys_; }

 private:
  // Handle k is handles_[k - 1]; closed ones stay, marked, so none is reused.
  struct Handle {
    KeyPath key;
    RegKey real = 0;  // 0 for a key that exists only in the record
    bool open = true;
  };

  long Open(RegKey root, const std::string& path, std::uint32_t access, RegKey* result, bool create);
  RegKey Issue(const KeyPath& key, RegKey real);
  Handle* Find(RegKey key);
  // The latest recorded edit of the value or (with kind CreateKey) the key.
  const RegistryEdit* LatestEdit(const KeyPath& key, const std::string* name) const;

  RegistryApi& real_;
  std::vector<Handle> handles_;
  std::vector<RegistryEdit> edits_;
  ValueList touched_;
  ValueList keys_;
  bool readOnly_ = false;
};

}  // namespace varnox
