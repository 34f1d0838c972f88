#pragma once
// What the two export buttons of the options panel write, as registry
// edits: the changes OK would make now, found by running the very save
// groups against a registry that records instead of writing; and a backup
// of every value the window manages: what the load read and some save
// group may touch, as stored now.

#include <vector>

#include "settings/read_log_registry.h"
#include "settings/registry_edit.h"
#include "window/settings_frame.h"

namespace varnox {

// What OK would write now, in its order. Nothing is written.
std::vector<RegistryEdit> PendingChanges(SettingsFrame& frame, const ModifiedFlags& flags, RegistryApi& registry);

// Each managed value as stored now: present ones set with their type and
// data, absent ones deleted. A managed key that cannot be opened is left
// out with a comment saying so; keys are never created or deleted. `load`
// recorded what the window's load read.
std::vector<RegistryEdit> BackupOfManagedValues(SettingsFrame& frame, const ReadLogRegistry& load,
                                                RegistryApi& registry);

}  // namespace varnox
