#include "window/pages/managed_values.h"

namespace varnox {

ManagedValue RowValue(RegKey root, std::string_view key, const SettingRow& row, std::string_view label) {
  return {.root = root, .key = key, .value = row.value, .control = row.control, .row = &row, .label = label};
}

std::vector<ManagedPage> AllManagedValues() {
  return {LogonPageValues(), MemoryPageValues(),   NetworkPageValues(), InternetPageValues(),   SecurityPageValues(),
          IdePageValues(),   ExplorerPageValues(), OtherPageValues(),   SystemToolsPageValues()};
}

}  // namespace varnox
