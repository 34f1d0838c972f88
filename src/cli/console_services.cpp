#include "cli/console_services.h"

namespace varnox::cli {

namespace {

// A box's text may run over several lines: each goes out as one line.
void AppendLines(std::string& out, const std::string& prefix, const std::string& message) {
  std::string line;
  for (char c : message + "\n") {
    if (c == '\r') continue;
    if (c != '\n') {
      line += c;
      continue;
    }
    if (!line.empty()) out += prefix + line + "\n";
    line.clear();
  }
}

}  // namespace

void ConsoleServices::ShowError(const std::string& message) {
  reported_.push_back(message);
  AppendLines(errors_, "varnox: ", message);
}

void ConsoleServices::ShowMessage(const std::string& message) { AppendLines(errors_, "varnox: ", message); }

}  // namespace varnox::cli
