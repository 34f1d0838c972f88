#pragma once
// An in-memory registry behind the same seven calls as the real one, for
// native tests. The registry contract suite holds it to what Windows does:
// key and value names compare without regard to case but keep the case they
// were first written with, handles carry the access they were opened with,
// and queries report sizes and types the way RegQueryValueExA does.
//
// Beyond the calls it seeds and reads back values by path, can refuse full
// access to a key tree (an account without administrative rights), can make
// chosen calls fail, counts open handles and records every call in order.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace varnox {

// Two more Win32 error codes that the real registry gives and this one copies.
inline constexpr long kErrorBadPathname = 161;  // a path with a leading backslash
inline constexpr long kErrorKeyDeleted = 1018;

// One call made through the RegistryApi, with its result.
struct RegistryCall {
  std::string op;         // "OpenKey", "CreateKey", "QueryValue", "SetValue", "DeleteValue", "QueryInfoKey", "CloseKey"
  std::string keyPath;    // "HKLM\..." as the caller spelled it; for open and create the key asked for
  std::string valueName;  // value calls only
  std::uint32_t access = 0;  // open and create
  std::uint32_t type = 0;    // SetValue
  long result = 0;

  bool IsValueCall() const;
  // "OpenKey HKLM\SOFTWARE\X" for key calls, "SetValue Name" for value calls.
  std::string ToString() const;
};

struct StoredValue {
  std::string name;  // as first written
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;

  bool operator==(const StoredValue&) const = default;
};

class MemoryRegistry : public RegistryApi {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long QueryInfoKey(RegKey key, RegKeyInfo* info) override;
  long CloseKey(RegKey key) override;

  // Seeding, by root and path; missing keys are created. Nothing is recorded.
  void CreateKeyPath(RegKey root, const std::string& path);
  void SetRaw(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
              std::vector<std::uint8_t> data);
  void SetString(RegKey root, const std::string& path, const std::string& name, const std::string& text);
  void SetExpandString(RegKey root, const std::string& path, const std::string& name, const std::string& text);
  void SetDword(RegKey root, const std::string& path, const std::string& name, std::uint32_t value);
  void SetBinary(RegKey root, const std::string& path, const std::string& name, std::vector<std::uint8_t> data);
  // Removes the key with everything below it; handles still open on it then
  // fail with kErrorKeyDeleted.
  void RemoveKey(RegKey root, const std::string& path);
  bool RemoveValue(RegKey root, const std::string& path, const std::string& name);

  // Reading back, by root and path.
  bool KeyExists(RegKey root, const std::string& path) const;
  std::optional<StoredValue> Value(RegKey root, const std::string& path, const std::string& name) const;
  // REG_SZ or REG_EXPAND_SZ up to its first NUL; nullopt for other types.
  std::optional<std::string> String(RegKey root, const std::string& path, const std::string& name) const;
  // A REG_DWORD of exactly four bytes; nullopt otherwise.
  std::optional<std::uint32_t> Dword(RegKey root, const std::string& path, const std::string& name) const;
  std::vector<std::string> ValueNames(RegKey root, const std::string& path) const;

  // The key and every key below it open only with read access from now on;
  // asking for more (KEY_ALL_ACCESS, creating a subkey) gives access denied.
  void DenyFullAccess(RegKey root, const std::string& path);

  // Every later call `op` whose value name (value calls) or spelled key path
  // (key calls, "HKLM\...") equals `subject`, ignoring case, returns `error`.
  void FailCalls(const std::string& op, const std::string& subject, long error);
  // The `n`-th SetValue or DeleteValue from now on (1 for the next one)
  // returns `error` and changes nothing; the calls after it act again.
  void FailNthWrite(std::size_t n, long error);

  // Every value under both roots, keyed "HKLM\path\name" in the case each
  // name was made with, for comparing the whole registry before and after.
  std::map<std::string, StoredValue> Dump() const;

  std::size_t OpenHandleCount() const { return handles_.size(); }
  const std::vector<RegistryCall>& Calls() const { return calls_; }
  // The calls as RegistryCall::ToString gives them.
  std::vector<std::string> CallTrace() const;
  void ClearCalls() { calls_.clear(); }

 private:
  struct Key;
  struct Handle {
    std::shared_ptr<Key> key;
    std::uint32_t access = 0;
    std::string path;
  };
  struct Failure {
    std::string op;
    std::string subject;
    long error = 0;
  };

  long Open(const char* op, RegKey root, const std::string& path, std::uint32_t access, RegKey* result, bool create);
  // The open handle or predefined root, or nullopt.
  std::optional<Handle> Resolve(RegKey key) const;
  long CheckHandle(RegKey key, std::uint32_t right, Handle* handle) const;
  long Record(RegistryCall call);
  std::shared_ptr<Key> Find(RegKey root, const std::string& path) const;
  std::shared_ptr<Key> Make(RegKey root, const std::string& path);
  std::shared_ptr<Key> RootKey(RegKey root) const;
  void Touch(Key& key);

  std::shared_ptr<Key> localMachine_;
  std::shared_ptr<Key> currentUser_;
  std::shared_ptr<Key> users_;
  std::map<RegKey, Handle> handles_;
  RegKey nextHandle_ = 0x100;
  std::uint64_t clock_;
  std::vector<RegistryCall> calls_;
  std::vector<Failure> failures_;
  std::size_t writesUntilFailure_ = 0;  // 0: no write is set to fail
  long writeFailure_ = 0;
};

}  // namespace varnox
