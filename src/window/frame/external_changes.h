#pragma once
// Which values OK leaves as another program left them. A value the user did
// not change whose stored state differs from what the load read (another
// program changed, created or deleted it since) is not written; a value the
// user changed is written whatever is stored now: the later, explicit choice
// wins. Everything else is written as the groups say.

#include <string>
#include <vector>

#include "settings/read_log_registry.h"
#include "settings/registry_edit.h"
#include "settings/value_list.h"

namespace varnox {

struct ExternalChanges {
  ValueList spared;                // not to be written
  std::vector<std::string> names;  // root\key\name of each, in write order
};

// `writes` is what OK would write now; `asLoaded` what it would write with
// every control as the load left it, so a value both write alike is one no
// control change of the user's reaches. `usersValues` count as the user's
// whatever the controls say (the values of an opened settings file), as do
// those the window wrote itself through `load` (a button that creates or
// deletes a value at once). `load` recorded the load; `registry` holds the
// values as stored now.
ExternalChanges FindExternalChanges(const std::vector<RegistryEdit>& writes, const std::vector<RegistryEdit>& asLoaded,
                                    const ValueList& usersValues, const ReadLogRegistry& load, RegistryApi& registry);

}  // namespace varnox
