#pragma once
// `varnox check FILE`: this machine against a baseline. Only values the
// window manages and this Windows honours are compared; the rest of the
// file is listed as left out and is never drift. One line per difference,
// then the last line: "COMPLIANT n of n" or "NONCOMPLIANT d of n: ...".

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/run.h"
#include "cli/target.h"

namespace varnox::cli {

class CheckRun {
 public:
  explicit CheckRun(std::string file) : file_(std::move(file)) {}
  // Checks one target; returns its exit code.
  int Check(Target& target, const RegFileContents& contents, CliOutput& output);
  // The last line, and the details for --json.
  std::string LastLine() const;
  nlohmann::ordered_json Details() const;

 private:
  std::string file_;
  std::size_t compared_ = 0;
  std::vector<std::string> drift_;
  nlohmann::ordered_json targets_ = nlohmann::ordered_json::array();
};

}  // namespace varnox::cli
