#pragma once
// `varnox apply FILE`: the machine made to match a baseline by the window's
// own path: the file opened as pending changes, then OK, with its groups,
// order, ranges, gates, deletions and refusals. Each change is printed as
// stored -> written; the last line is "CHANGED n" or "UNCHANGED", or says
// what was and was not written when a write failed.

#include <optional>
#include <string>
#include <vector>

#include "cli/run.h"
#include "cli/target.h"

namespace varnox::cli {

class ApplyRun {
 public:
  ApplyRun(std::string file, bool whatIf, std::optional<std::string> backupFirst)
      : file_(std::move(file)), whatIf_(whatIf), backupFirst_(std::move(backupFirst)) {}
  // Applies to one target; returns its exit code. Bad input and a refusal
  // write nothing there.
  int Apply(Target& target, const RegFileContents& contents, CliOutput& output);
  std::string LastLine() const;
  // Whether a target refused or failed in a way the last line names.
  bool Stopped() const { return !refused_.empty() || !notWritten_.empty(); }

 private:
  std::string file_;
  bool whatIf_;
  std::optional<std::string> backupFirst_;
  std::vector<std::string> changed_;
  std::vector<std::string> notWritten_;
  std::string refused_;
};

}  // namespace varnox::cli
