#pragma once
// What the command line tells the program that started it. Management
// agents read the exit code and the last line of output, nothing else.

namespace varnox::cli {

enum ExitCode : int {
  kExitOk = 0,        // compliant, applied, written
  kExitDrift = 1,     // check: the machine differs from the baseline
  kExitBadInput = 2,  // the command line, or a file that cannot be read or holds invalid data
  kExitRegistry = 3,  // the registry could not be read, or a write failed
};

}  // namespace varnox::cli
