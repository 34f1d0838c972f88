#include "cli/run.h"

#include <functional>
#include <memory>

#include "base/concat.h"
#include "cli/apply_command.h"
#include "cli/baseline_input.h"
#include "cli/check_command.h"
#include "cli/exit_codes.h"
#include "cli/headless_window.h"
#include "cli/report.h"
#include "cli/target.h"

namespace varnox::cli {

namespace {

constexpr char kUserOptions[] = "--user NAME, --all-users or --default-user";

// The last line of a command that stopped: bad input or a registry that
// failed, never a claim of compliance.
std::string Stopped(int exit, const CliOutput& output) {
  return Concat({exit == kExitBadInput ? "INVALID: " : "FAILED: ", output.problem.substr(0, kLastLineLimit - 9)});
}

// One set of settings to work on, opened when its turn comes and closed
// (a loaded hive unloaded) when it is done.
struct TargetPlan {
  std::function<std::unique_ptr<ProfileHive>()> open;  // empty: this account's own
  bool machine = true;
  std::string sid;  // of each profile of --all-users
};

struct Plan {
  std::vector<TargetPlan> targets;
  bool several = false;
  std::string error;
};

Plan MakePlan(const Whose& whose, UserProfiles& profiles) {
  Plan plan;
  if (!whose.user.empty()) {
    plan.targets.push_back({[&profiles, user = whose.user] { return profiles.Open(user); }});
  } else if (whose.defaultUser) {
    plan.targets.push_back({[&profiles] { return profiles.OpenDefaultUser(); }});
  } else if (whose.allUsers) {
    for (const std::string& sid : profiles.UserSids()) {
      plan.targets.push_back({[&profiles, sid] { return profiles.Open(sid); }, plan.targets.empty(), sid});
    }
    if (plan.targets.empty()) plan.error = "no local user profile was found";
    plan.several = plan.targets.size() > 1;
  } else {
    plan.targets.push_back({});
  }
  return plan;
}

// The window's model over one target's settings; `body` does the command.
int OnTarget(const TargetPlan& planned, bool several, const CommandLine& command, CliEnvironment& environment,
             CliOutput& output, const std::vector<ManagedPage>& table, const std::function<int(Target&)>& body) {
  std::unique_ptr<ProfileHive> hive;
  try {
    if (planned.open) hive = planned.open();
  } catch (const ProfileError& error) {
    output.Problem(error.what());
    return kExitBadInput;
  }
  Platform platform{hive ? hive->Registry() : environment.platform.registry, environment.platform.system};
  HeadlessWindow window(platform, output.err, command.language);
  Target target{window, table, {}, hive ? hive->Whose() : environment.profiles.CurrentUser(), {}};
  target.scope.machine = planned.machine;
  if (!hive && environment.profiles.RunsAsSystem()) {
    target.scope.user = false;
    target.scope.userLeftOutWhy =
        Concat({"a user's value: this runs as the system account, which is no user; use ", kUserOptions});
    target.whose = "no user (the system account)";
  }
  if (several && hive) {
    target.label = Concat({hive->Whose(), ": "});
    target.tag = planned.sid;
  }
  if (!window.Loaded()) {
    output.Problem("the registry could not be read whole; nothing was done");
    return kExitRegistry;
  }
  return body(target);
}

int Report(const CommandLine& command, CliEnvironment& environment, CliOutput& output, const Plan& plan,
           const std::vector<ManagedPage>& table) {
  int exit = kExitOk;
  bool header = true;
  nlohmann::ordered_json reports = nlohmann::ordered_json::array();
  for (const TargetPlan& planned : plan.targets) {
    const int code = OnTarget(planned, plan.several, command, environment, output, table, [&](Target& target) {
      const std::vector<ReportRow> rows = ReportRows(target.window, table);
      switch (command.format) {
        case ReportFormat::Json:
          reports.push_back(ReportJson(rows, target.whose));
          break;
        case ReportFormat::Csv: {
          // One header for every user's rows, each of which then says whose.
          std::string csv = ReportCsv(rows, plan.several ? target.whose : std::string());
          if (!header) csv.erase(0, csv.find('\n') + 1);
          header = false;
          output.out += csv;
          break;
        }
        case ReportFormat::Text:
          output.out += ReportText(rows, target.whose);
          break;
      }
      return kExitOk;
    });
    exit = std::max(exit, code);
  }
  if (command.format == ReportFormat::Json && !reports.empty()) {
    const nlohmann::ordered_json document = plan.several ? nlohmann::ordered_json{{"reports", reports}} : reports[0];
    output.out += document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  }
  if (exit != kExitOk) output.out += Concat({Stopped(exit, output), "\n"});
  return exit;
}

int Backup(const CommandLine& command, CliEnvironment& environment, CliOutput& output, const Plan& plan,
           const std::vector<ManagedPage>& table) {
  if (plan.targets.size() != 1 || command.whose.allUsers) {
    output.Problem("a backup holds one user's settings: use --user NAME for another user's");
    output.out += Concat({Stopped(kExitBadInput, output), "\n"});
    return kExitBadInput;
  }
  const int exit = OnTarget(plan.targets.front(), false, command, environment, output, table, [&](Target& target) {
    ConsoleServices& services = target.window.Services();
    services.AnswerSaveAs(command.file);
    target.window.Form().btnBackupClick(target.window.Form());
    return services.Errors().empty() ? kExitOk : kExitRegistry;
  });
  if (exit == kExitOk) {
    output.out += Concat({"WROTE ", command.file, "\n"});
  } else {
    output.Problem(Concat({command.file, " was not written"}));
    output.out += Concat({Stopped(exit, output), "\n"});
  }
  return exit;
}

}  // namespace

int RunCommand(const CommandLine& command, CliEnvironment& environment, CliOutput& output) {
  const std::vector<ManagedPage> table = AllManagedValues();
  const Plan plan = MakePlan(command.whose, environment.profiles);
  if (!plan.error.empty()) {
    output.Problem(plan.error);
    output.out += Concat({Stopped(kExitBadInput, output), "\n"});
    return kExitBadInput;
  }
  switch (command.command) {
    case Command::Help:
    case Command::Version:
      return kExitOk;
    case Command::Report:
      return Report(command, environment, output, plan, table);
    case Command::Backup:
      return Backup(command, environment, output, plan, table);
    case Command::Check:
    case Command::Apply:
      break;
  }

  const BaselineInput input = ReadBaselineInput(command.file, command.policyRoot, environment.platform.system);
  if (!input.error.empty()) {
    output.Problem(input.error);
    output.out += Concat({Stopped(kExitBadInput, output), "\n"});
    return kExitBadInput;
  }
  int exit = kExitOk;
  if (command.command == Command::Check) {
    CheckRun check(command.file);
    for (const TargetPlan& planned : plan.targets) {
      exit = std::max(exit, OnTarget(planned, plan.several, command, environment, output, table,
                                     [&](Target& target) { return check.Check(target, input.contents, output); }));
    }
    if (command.jsonDetails) {
      const std::string json = check.Details().dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
      if (const auto failure = environment.platform.system.WriteWholeFile(
              *command.jsonDetails, std::vector<std::uint8_t>(json.begin(), json.end()))) {
        output.Problem(Concat({"cannot write ", *command.jsonDetails, ": ", *failure}));
        exit = std::max(exit, static_cast<int>(kExitBadInput));
      }
    }
    output.out += Concat({exit < kExitBadInput ? check.LastLine() : Stopped(exit, output), "\n"});
    return exit;
  }
  ApplyRun apply(command.file, command.whatIf, command.backupFirst);
  for (const TargetPlan& planned : plan.targets) {
    exit = std::max(exit, OnTarget(planned, plan.several, command, environment, output, table,
                                   [&](Target& target) { return apply.Apply(target, input.contents, output); }));
  }
  output.out += Concat({apply.Stopped() || exit < kExitBadInput ? apply.LastLine() : Stopped(exit, output), "\n"});
  return exit;
}

int RunCli(const std::vector<std::string>& arguments, CliEnvironment& environment, CliOutput& output) {
  const ParsedCommandLine parsed = ParseCommandLine(arguments, environment.version);
  if (!parsed.command) {
    output.err += Concat({"varnox: ", parsed.text, "\nRun varnox --help for the commands and options.\n"});
    output.out += "INVALID command line\n";
    return kExitBadInput;
  }
  output.out += parsed.text;
  return RunCommand(*parsed.command, environment, output);
}

}  // namespace varnox::cli
