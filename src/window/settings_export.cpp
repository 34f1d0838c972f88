#include "window/settings_export.h"

#include "settings/dry_run_registry.h"
#include "settings/reg_file_writer.h"
#include "settings/registry_errors.h"

namespace varnox {

namespace {

ModifiedFlags AllRaised() {
  ModifiedFlags flags;
  for (std::size_t group = 0; group < kSettingGroupCount; ++group) flags.Raise(static_cast<SettingGroup>(group));
  return flags;
}

// The managed values: what the load's sections read through their
// accessors, and what the save groups, all of them raised, ask about, set or
// delete (the adapters' MTU values are read by the adapter table, outside
// the sections' accessors). The keys the save groups ask for come along,
// so that a missing one can be named.
struct ManagedValues {
  ValueList values;
  std::vector<KeyPath> keys;
};

ManagedValues FindManagedValues(SettingsFrame& frame, RegistryApi& registry) {
  ManagedValues managed;
  DryRunRegistry dryRun(registry);
  frame.Save(AllRaised(), dryRun);
  for (const RegistryValueRef& value : frame.LoadReads()) managed.values.Add(value);
  for (const RegistryValueRef& value : dryRun.Touched()) managed.values.Add(value);
  ValueList keys;  // keys as values without a name, each once
  for (const RegistryValueRef& value : managed.values.Items()) keys.Add({value.root, value.keyPath, {}});
  for (const KeyPath& key : dryRun.Keys()) keys.Add({key.root, key.path, {}});
  for (const RegistryValueRef& key : keys.Items()) managed.keys.push_back({key.root, key.keyPath});
  return managed;
}

RegistryEdit StoredValue(RegistryApi& registry, RegKey key, const KeyPath& path, const std::string& name) {
  RegistryEdit edit{RegistryEdit::Kind::DeleteValue, path.root, path.path, name, kRegNone, {}};
  std::uint32_t size = 0;
  const long asked = registry.QueryValue(key, name, &edit.type, nullptr, &size);
  if (asked == kErrorFileNotFound) return edit;
  if (asked != kErrorSuccess) throw FailedToGetData(name);
  edit.kind = RegistryEdit::Kind::SetValue;
  edit.data.resize(size);
  std::uint32_t got = size;
  if (size != 0 && registry.QueryValue(key, name, &edit.type, edit.data.data(), &got) != kErrorSuccess) {
    throw FailedToGetData(name);
  }
  edit.data.resize(std::min(got, size));
  return edit;
}

}  // namespace

std::vector<RegistryEdit> PendingChanges(SettingsFrame& frame, const ModifiedFlags& flags, RegistryApi& registry) {
  DryRunRegistry dryRun(registry);
  frame.Save(flags, dryRun);
  return dryRun.Edits();
}

std::vector<RegistryEdit> BackupOfManagedValues(SettingsFrame& frame, RegistryApi& registry) {
  const ManagedValues managed = FindManagedValues(frame, registry);
  std::vector<RegistryEdit> edits;
  for (const KeyPath& key : managed.keys) {
    TRegistry reg(registry);
    reg.SetRoot(key.root);
    if (!reg.OpenKeyReadOnly(key.path)) {
      edits.push_back({RegistryEdit::Kind::Comment, key.root, key.path,
                       RootName(key.root) + "\\" + key.path + " does not exist or cannot be read: left out"});
      continue;
    }
    for (const RegistryValueRef& value : managed.values.Items()) {
      if (value.root != key.root || AsciiLowerCase(value.keyPath) != AsciiLowerCase(key.path)) continue;
      edits.push_back(StoredValue(registry, reg.CurrentKey(), key, value.valueName));
    }
  }
  return edits;
}

}  // namespace varnox
