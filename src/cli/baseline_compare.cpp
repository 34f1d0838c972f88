#include "cli/baseline_compare.h"

#include <algorithm>

#include "settings/stored_value.h"
#include "settings/value_list.h"
#include "window/files/settings_export.h"

namespace varnox::cli {

namespace {

RegistryValueRef RefOf(const RegistryEdit& edit) { return {edit.root, edit.keyPath, edit.name}; }

bool IsValueEdit(const RegistryEdit& edit) {
  return edit.kind == RegistryEdit::Kind::SetValue || edit.kind == RegistryEdit::Kind::DeleteValue;
}

}  // namespace

std::vector<RegistryEdit> WindowPendingWrites(HeadlessWindow& window) {
  TConfForm& form = window.Form();
  return PendingChanges(form.Frame(), form.Flags(), window.platform().registry, form.ChangedElsewhere().spared);
}

std::vector<ComparedValue> CompareBaseline(HeadlessWindow& window, const OpenedBaseline& baseline) {
  RegistryApi& registry = window.platform().registry;
  const std::vector<RegistryEdit> writes = WindowPendingWrites(window);
  std::vector<ComparedValue> compared;
  for (const RegFileEntry& entry : baseline.taken) {
    const RegistryValueRef value = RefOf(entry.edit);
    ComparedValue item{value, StoredState(registry, value), entry.edit};
    const auto written = std::find_if(writes.rbegin(), writes.rend(), [&value](const RegistryEdit& edit) {
      return IsValueEdit(edit) && SameValue(RefOf(edit), value);
    });
    item.matches = written == writes.rend() || SameState(*written, item.stored);
    compared.push_back(std::move(item));
  }
  std::vector<RegFileEntry> asStored = baseline.adminOnly;
  asStored.insert(asStored.end(), baseline.asStored.begin(), baseline.asStored.end());
  for (const RegFileEntry& entry : asStored) {
    const RegistryValueRef value = RefOf(entry.edit);
    ComparedValue item{value, StoredState(registry, value), entry.edit};
    item.matches = SameState(item.stored, item.wanted);
    compared.push_back(std::move(item));
  }
  return compared;
}

}  // namespace varnox::cli
