#pragma once
// The command line as the program takes it: a command, its file and its
// options, parsed from UTF-8 arguments. Parsing writes nothing anywhere;
// help and errors come back as text for the caller to print.

#include <optional>
#include <string>
#include <vector>

namespace varnox::cli {

enum class Command { Report, Check, Apply, Backup, Help, Version };
enum class ReportFormat { Text, Json, Csv };

// Whose per-user settings the command works on.
struct Whose {
  std::string user;  // a local user's name or SID; empty: this account's own
  bool allUsers = false;
  bool defaultUser = false;
  bool Anyone() const { return !user.empty() || allUsers || defaultUser; }
};

struct CommandLine {
  Command command = Command::Help;
  std::string file;  // check and apply: the baseline; backup: where to write
  ReportFormat format = ReportFormat::Text;
  std::optional<std::string> language;     // "en" or "ru"
  std::optional<std::string> jsonDetails;  // check --json FILE
  std::optional<std::string> backupFirst;  // apply --backup FILE
  std::optional<std::string> policyRoot;   // a Registry.pol's root: "machine" or "user"
  bool whatIf = false;
  Whose whose;
};

struct ParsedCommandLine {
  std::optional<CommandLine> command;  // nullopt: `text` says why (a bad command line)
  std::string text;                    // help, the version, or the error
};

// `arguments` without the program's name. `version` is what --version prints.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& version);

}  // namespace varnox::cli
