#include "window/frame/external_changes.h"

#include <algorithm>

#include "base/concat.h"
#include "settings/reg_file_writer.h"
#include "settings/stored_value.h"

namespace varnox {

namespace {

RegistryValueRef RefOf(const RegistryEdit& edit) { return {edit.root, edit.keyPath, edit.name}; }

bool WritesValue(const RegistryEdit& edit) {
  return edit.kind == RegistryEdit::Kind::SetValue || edit.kind == RegistryEdit::Kind::DeleteValue;
}

// The last edit of `value` in `edits`: what it ends up as.
const RegistryEdit* LastWrite(const std::vector<RegistryEdit>& edits, const RegistryValueRef& value) {
  const auto it = std::find_if(edits.rbegin(), edits.rend(), [&value](const RegistryEdit& edit) {
    return WritesValue(edit) && SameValue(RefOf(edit), value);
  });
  return it == edits.rend() ? nullptr : &*it;
}

// Whether the value is stored as the load found it; a read that learnt only
// the size compares type and size.
bool AsFound(const RegistryEdit& stored, const ReadLogRegistry::Found& found) {
  if (found.dataKnown) return SameState(stored, found.state);
  return stored.kind == found.state.kind && stored.type == found.state.type &&
         stored.data.size() == found.state.data.size();
}

}  // namespace

ExternalChanges FindExternalChanges(const std::vector<RegistryEdit>& writes, const std::vector<RegistryEdit>& asLoaded,
                                    const ValueList& usersValues, const ReadLogRegistry& load, RegistryApi& registry) {
  ExternalChanges changes;
  ValueList decided;
  for (const RegistryEdit& edit : writes) {
    const RegistryValueRef value = RefOf(edit);
    if (!WritesValue(edit) || decided.Has(value)) continue;
    decided.Add(value);
    if (usersValues.Has(value) || load.Written().Has(value)) continue;
    const RegistryEdit* written = LastWrite(writes, value);
    const RegistryEdit* untouched = LastWrite(asLoaded, value);
    if (untouched == nullptr || !(*untouched == *written)) continue;
    // A value the load never read was never seen: nothing to keep.
    const std::optional<ReadLogRegistry::Found> found = load.FoundOf(value);
    if (!found) continue;
    const RegistryEdit stored = StoredState(registry, value);
    if (AsFound(stored, *found) || SameState(stored, *written)) continue;
    changes.spared.Add(value);
    changes.names.push_back(Concat({RootName(value.root), "\\", value.keyPath, "\\", value.valueName}));
  }
  return changes;
}

}  // namespace varnox
