#pragma once
// The values of a baseline against what is stored. A value the window took
// matches when OK, run now, would leave it as it is stored: the window's own
// rules decide (a text it reads without regard to case matches in any case).
// A machine value this account may not change is compared as stored.

#include <string>
#include <vector>

#include "cli/baseline_open.h"

namespace varnox::cli {

struct ComparedValue {
  RegistryValueRef value;
  RegistryEdit stored;
  RegistryEdit wanted;  // as the baseline has it
  bool matches = false;
};

std::vector<ComparedValue> CompareBaseline(HeadlessWindow& window, const OpenedBaseline& baseline);

// What OK would write now, in its order, as the window's "Save changes as..."
// finds it; nothing is written.
std::vector<RegistryEdit> WindowPendingWrites(HeadlessWindow& window);

}  // namespace varnox::cli
