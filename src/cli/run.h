#pragma once
// The command line from its words to its exit code: which settings it
// works on (this account's, a profile's, every user's), and each command
// run through the window's model. Everything printed is collected: `out`
// for standard output, whose last line sums up the result, `err` for
// standard error.

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/user_profiles.h"
#include "platform/platform.h"

namespace varnox::cli {

struct CliEnvironment {
  Platform& platform;  // the machine, and this account's own settings
  UserProfiles& profiles;
  std::string version;
};

struct CliOutput {
  std::string out;
  std::string err;
  // The first thing that stopped the command, for its last line.
  std::string problem;
  void Problem(const std::string& text) {
    err += "varnox: " + text + "\n";
    if (problem.empty()) problem = text;
  }
};

// The longest last line: agents keep a line of output at most this long.
inline constexpr std::size_t kLastLineLimit = 2048;

int RunCli(const std::vector<std::string>& arguments, CliEnvironment& environment, CliOutput& output);
int RunCommand(const CommandLine& command, CliEnvironment& environment, CliOutput& output);

}  // namespace varnox::cli
