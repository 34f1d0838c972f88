#pragma once
// What the two export buttons of the options panel write, as registry
// edits: the changes OK would make now, found by running the very save
// groups against a registry that records instead of writing; and a backup
// of every value the window manages: what the load read and some save
// group may touch, as stored now.

#include <vector>

#include "settings/read_log_registry.h"
#include "settings/registry_edit.h"
#include "settings/stored_value.h"
#include "settings/value_list.h"
#include "window/frame/settings_frame.h"

namespace varnox {

// The managed values: those the load read that some save group asks
// about, sets or deletes when every group runs, flags and conditions aside
// (the load also reads what it only shows: device lists, addresses, status).
// Their keys, and the keys both the load and the groups asked for, in order.
struct ManagedValues {
  ValueList values;
  std::vector<KeyPath> keys;
  // Values the groups may write in keys the load looked for and did not
  // find: it saw them as absent.
  std::vector<RegistryValueRef> inMissingKeys;
  // Every value some group asks about, sets or deletes as the window stands.
  ValueList touched;
};
ManagedValues FindManagedValues(SettingsFrame& frame, const ReadLogRegistry& load, RegistryApi& registry);

// What OK would write now, in its order, leaving the `spared` values as they
// stand. Nothing is written.
std::vector<RegistryEdit> PendingChanges(SettingsFrame& frame, const ModifiedFlags& flags, RegistryApi& registry,
                                         const ValueList& spared = {});

// Each managed value as stored now: present ones set with their type and
// data, absent ones deleted. A managed key that cannot be opened is left
// out with a comment saying so; keys are never created or deleted. `load`
// recorded what the window's load read.
std::vector<RegistryEdit> BackupOfManagedValues(SettingsFrame& frame, const ReadLogRegistry& load,
                                                RegistryApi& registry);

}  // namespace varnox
