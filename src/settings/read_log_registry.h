#pragma once
// Passes every call through to a registry and, while recording, notes in
// order and once each which values were read: what a load looked at.

#include <optional>
#include <string>
#include <vector>

#include "settings/forwarding_registry.h"
#include "settings/key_paths.h"
#include "settings/registry.h"
#include "settings/registry_edit.h"
#include "settings/value_list.h"

namespace varnox {

class ReadLogRegistry final : public ForwardingRegistry {
 public:
  explicit ReadLogRegistry(RegistryApi& real) : ForwardingRegistry(real) {}

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override {
    NoteWrite(key, name);
    return ForwardingRegistry::SetValue(key, name, type, data, size);
  }
  long DeleteValue(RegKey key, const std::string& name) override {
    NoteWrite(key, name);
    return ForwardingRegistry::DeleteValue(key, name);
  }
  long CloseKey(RegKey key) override;

  void SetRecording(bool on) { recording_ = on; }
  const ValueList& Reads() const { return reads_; }
  // The value asked for last while recording: the one a failing load stopped at.
  const RegistryValueRef& LastRead() const { return lastRead_; }
  // The keys asked for, opened or not, as values without a name.
  const ValueList& Keys() const { return keysAsked_; }

  // The values set or deleted through here: the window's own doing.
  const ValueList& Written() const { return written_; }

  // What a read found: the value set with its type and data, or deleted when
  // absent. A read that asked only for the size learns no data.
  struct Found {
    RegistryEdit state;
    bool dataKnown = false;
  };
  // What the last read of `value` found while recording; nothing when it
  // was not read. A value in a key the load looked for and did not find
  // counts as read and absent.
  std::optional<Found> FoundOf(const RegistryValueRef& value) const;

 private:
  long Opened(long status, RegKey root, const std::string& path, RegKey* result);
  void NoteWrite(RegKey key, const std::string& name) {
    if (const KeyPath* path = keys_.Of(key)) written_.Add({path->root, path->path, name});
  }

  KeyPaths keys_;
  ValueList reads_;
  ValueList keysAsked_;
  ValueList missingKeys_;
  ValueList written_;
  std::vector<Found> found_;  // parallel to reads_
  RegistryValueRef lastRead_;
  bool recording_ = false;
};

}  // namespace varnox
