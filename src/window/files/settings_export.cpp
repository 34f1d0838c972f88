#include "window/files/settings_export.h"

#include <algorithm>

#include "base/ascii.h"
#include "settings/dry_run_registry.h"
#include "settings/reg_file_writer.h"
#include "settings/registry_errors.h"
#include "settings/write_filter_registry.h"

namespace varnox {

ManagedValues FindManagedValues(SettingsFrame& frame, const ReadLogRegistry& load, RegistryApi& registry) {
  // Read access is enough to learn what the groups touch, also under keys
  // this account may only read.
  DryRunRegistry everyGroup(registry, true);
  frame.SaveEveryGroup(everyGroup);

  ManagedValues managed;
  ValueList keys;  // keys as values without a name
  for (const RegistryValueRef& value : load.Reads()) {
    if (!everyGroup.Touched().Has(value)) continue;
    managed.values.Add(value);
    keys.Add({value.root, value.keyPath, {}});
  }
  for (const RegistryValueRef& key : load.Keys()) {
    if (everyGroup.Keys().Has(key)) keys.Add(key);
  }
  for (const RegistryValueRef& value : everyGroup.Touched()) {
    const bool keyMissed = load.Keys().Has({value.root, value.keyPath, {}});
    if (keyMissed && !managed.values.Has(value)) managed.inMissingKeys.push_back(value);
  }
  managed.touched = everyGroup.Touched();
  for (const RegistryValueRef& key : keys.Items()) managed.keys.push_back({key.root, key.keyPath});
  return managed;
}

std::vector<RegistryEdit> PendingChanges(SettingsFrame& frame, const ModifiedFlags& flags, RegistryApi& registry,
                                         const ValueList& spared) {
  DryRunRegistry dryRun(registry);
  WriteFilterRegistry filter(dryRun, spared);
  frame.Save(flags, filter);
  return dryRun.Edits();
}

std::vector<RegistryEdit> BackupOfManagedValues(SettingsFrame& frame, const ReadLogRegistry& load,
                                                RegistryApi& registry) {
  const ManagedValues managed = FindManagedValues(frame, load, registry);
  std::vector<RegistryEdit> edits;
  for (const KeyPath& key : managed.keys) {
    TRegistry reg(registry);
    reg.SetRoot(key.root);
    if (!reg.OpenKeyReadOnly(key.path)) {
      edits.push_back({RegistryEdit::Kind::Comment, key.root, key.path,
                       RootName(key.root) + "\\" + key.path + " does not exist or cannot be read: left out"});
      continue;
    }
    for (const RegistryValueRef& value : managed.values) {
      if (value.root != key.root || !EqualsIgnoringAsciiCase(value.keyPath, key.path)) continue;
      edits.push_back(ReadStoredValue(registry, reg.CurrentKey(), key, value.valueName));
    }
  }
  return edits;
}

}  // namespace varnox
