#pragma once
// One set of settings a command works on: the window's model over the
// machine and one user's own settings, and which of the baseline's values
// this run covers there.

#include <string>
#include <vector>

#include "cli/baseline_open.h"
#include "cli/headless_window.h"
#include "cli/run.h"
#include "window/pages/managed_values.h"

namespace varnox::cli {

struct Target {
  HeadlessWindow& window;
  const std::vector<ManagedPage>& table;
  BaselineScope scope;
  std::string whose;  // "the current user (NAME)", "user NAME (SID)"
  std::string label;  // put before value names in the last line when a run has several targets
  std::string tag;    // the profile's SID when a run has several targets, for file names
};

// A value's data as the command line may print it: never the password's.
std::string PrintedState(const Target& target, const RegistryValueRef& value, const RegistryEdit& state);
// The data alone: "1", "absent", "set".
std::string PrintedData(const Target& target, const RegistryValueRef& value, const RegistryEdit& state);

// Lists what the baseline left out, and reports what it holds that the
// window cannot take: false then (bad input).
bool Reported(const OpenedBaseline& baseline, const std::string& file, CliOutput& output);

// Items joined with "; " after `head`, as many as fit in `limit` characters,
// then how many more there are.
std::string LimitedLine(const std::string& head, const std::vector<std::string>& items, std::size_t limit);

}  // namespace varnox::cli
