#pragma once
// The table of managed values as the commands ask it: which entry names a
// value, and whether this Windows honours it, the same answer that enables
// or disables its control in the window (its page shown, its gate passed).

#include <string_view>
#include <vector>

#include "cli/headless_window.h"
#include "settings/registry.h"
#include "window/pages/managed_values.h"

namespace varnox::cli {

// The table's entry for the value (names without regard to case), or nullptr.
const ManagedValue* FindManaged(const std::vector<ManagedPage>& pages, const RegistryValueRef& value);

bool HonouredHere(HeadlessWindow& window, const ManagedValue& value);

// The page that holds the control, or nullptr.
const TTabSheet* SheetOf(const Control& control);

}  // namespace varnox::cli
