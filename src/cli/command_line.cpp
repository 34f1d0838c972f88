#include "cli/command_line.h"

#include <sstream>

// No std::filesystem: on Windows it imports functions that Windows NT 4.0
// lacks, and the program runs there too.
#define CLI11_HAS_FILESYSTEM 0
#include <CLI/CLI.hpp>

namespace varnox::cli {

namespace {

constexpr char kDescription[] =
    "Reports, checks and applies the Windows settings that the Varnox Control Panel applet manages.\n"
    "Exit codes: 0 done or compliant, 1 drift (check), 2 bad command line or input file, 3 the registry\n"
    "could not be read or written. The last line of output sums up the result.";

void AddWhose(CLI::App& command, CommandLine& line) {
  auto* user = command.add_option("--user", line.whose.user, "A local user's name or SID: that user's own settings");
  auto* all = command.add_flag("--all-users", line.whose.allUsers, "Every local user profile's settings");
  auto* fresh = command.add_flag("--default-user", line.whose.defaultUser,
                                 "The settings new accounts start from (the default user profile)");
  user->excludes(all)->excludes(fresh);
  all->excludes(fresh);
}

void AddLanguage(CLI::App& command, CommandLine& line) {
  command.add_option("--lang", line.language, "Captions in English or Russian (default: as the window picks)")
      ->check(CLI::IsMember({"en", "ru"}));
}

void AddPolicyRoot(CLI::App& command, CommandLine& line) {
  command
      .add_option("--root", line.policyRoot,
                  "For a Registry.pol outside a Machine or User folder: whose settings it holds")
      ->check(CLI::IsMember({"machine", "user"}));
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments, const std::string& version) {
  CommandLine line;
  CLI::App app(kDescription, "varnox");
  app.set_version_flag("--version", version);
  app.require_subcommand(0, 1);
  app.fallthrough(false);

  auto* report =
      app.add_subcommand("report", "Every managed value: where it lives, what is stored, whether it applies");
  bool asJson = false;
  bool asCsv = false;
  auto* json = report->add_flag("--json", asJson, "As JSON");
  auto* csv = report->add_flag("--csv", asCsv, "As comma-separated values");
  json->excludes(csv);
  AddLanguage(*report, line);
  AddWhose(*report, line);

  auto* check = app.add_subcommand("check", "Compares this machine with a baseline (.reg, Registry.pol or LGPO text)");
  check->add_option("FILE", line.file, "The baseline")->required();
  check->add_option("--json", line.jsonDetails, "Also writes every detail as JSON into this file");
  AddPolicyRoot(*check, line);
  AddLanguage(*check, line);
  AddWhose(*check, line);

  auto* apply = app.add_subcommand("apply", "Makes this machine match a baseline, as the window's OK would");
  apply->add_option("FILE", line.file, "The baseline")->required();
  apply->add_flag("--what-if", line.whatIf, "Writes nothing; prints what would change");
  apply->add_option("--backup", line.backupFirst, "First backs up every managed value into this .reg file");
  AddPolicyRoot(*apply, line);
  AddLanguage(*apply, line);
  AddWhose(*apply, line);

  auto* backup = app.add_subcommand("backup", "Backs up every managed value into a .reg file, as the window does");
  backup->add_option("OUT", line.file, "The file to write")->required();
  AddWhose(*backup, line);

  // Windows users ask for help with /?, as every system program takes it.
  std::vector<std::string> words;
  for (const std::string& word : arguments) words.push_back(word == "/?" ? "--help" : word);
  // CLI11 takes the arguments last to first.
  std::vector<std::string> reversed(words.rbegin(), words.rend());

  std::ostringstream out;
  std::ostringstream err;
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp& e) {
    app.exit(e, out, err);
    line.command = Command::Help;
    return {line, out.str()};
  } catch (const CLI::CallForVersion& e) {
    line.command = Command::Version;
    return {line, version + "\n"};
  } catch (const CLI::ParseError& e) {
    return {std::nullopt, e.what()};
  }
  if (report->parsed()) {
    line.command = Command::Report;
    line.format = asJson ? ReportFormat::Json : asCsv ? ReportFormat::Csv : ReportFormat::Text;
  } else if (check->parsed()) {
    line.command = Command::Check;
  } else if (apply->parsed()) {
    line.command = Command::Apply;
  } else if (backup->parsed()) {
    line.command = Command::Backup;
  } else {
    line.command = Command::Help;
    return {line, app.help()};
  }
  return {line, {}};
}

}  // namespace varnox::cli
