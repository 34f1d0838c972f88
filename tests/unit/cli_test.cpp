// The command line over the fixtures: a backup checks compliant, another
// program's change is drift that apply undoes, a second apply writes
// nothing, every baseline form gives the same answer, bad input and a
// missing right change nothing, and what is outside the run's scope is left
// out rather than counted.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/target.h"
#include "cli_machine.h"
#include "settings/lgpo_text.h"
#include "settings/policy_file.h"
#include "settings/reg_file_writer.h"

namespace varnox::test {
namespace {

using cli::kExitBadInput;
using cli::kExitDrift;
using cli::kExitOk;
using cli::kExitRegistry;

constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

const AnsiCodec kSame{[](const std::string& text) { return text; }, [](const std::string& text) { return text; }};

RegistryEdit Set(RegKey root, const std::string& key, const std::string& name, const std::string& text) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  return {RegistryEdit::Kind::SetValue, root, key, name, kRegSz, data};
}

std::string RegText(const std::vector<RegistryEdit>& edits) {
  const auto bytes = RegFileBytes(RegFileFormat::Regedit4, edits, kSame);
  return std::string(bytes.begin(), bytes.end());
}

TEST(CliCommandLine, BadWordsAreRefusedHelpAndVersionAnswered) {
  CliMachine machine("winxp.reg");
  for (const std::vector<std::string>& words : {std::vector<std::string>{"frobnicate"},
                                                {"check"},
                                                {"report", "--json", "--csv"},
                                                {"report", "--lang", "de"},
                                                {"check", "a.reg", "--user", "x", "--all-users"},
                                                {"apply", "a.reg", "--sideways"}}) {
    EXPECT_EQ(machine.Run(words), kExitBadInput) << words.front();
    EXPECT_EQ(machine.LastLine(), "INVALID command line");
    EXPECT_NE(machine.output.err.find("varnox: "), std::string::npos);
  }
  for (const char* help : {"/?", "--help"}) {
    EXPECT_EQ(machine.Run({help}), kExitOk);
    for (const char* command : {"report", "check", "apply", "backup"}) {
      EXPECT_NE(machine.output.out.find(command), std::string::npos) << help;
    }
  }
  EXPECT_EQ(machine.Run({"--version"}), kExitOk);
  EXPECT_EQ(machine.LastLine(), "varnox 1.0 (test)");
}

class CliRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(CliRoundTrip, BackupChecksThenDriftIsFoundAndAppliedAway) {
  CliMachine machine(GetParam());
  ASSERT_EQ(machine.Run({"backup", "backup.reg"}), kExitOk) << machine.output.err;
  EXPECT_EQ(machine.LastLine(), "WROTE backup.reg");

  ASSERT_EQ(machine.Run({"check", "backup.reg"}), kExitOk) << machine.output.err;
  const std::string compliant = machine.LastLine();
  ASSERT_EQ(compliant.rfind("COMPLIANT ", 0), 0u) << compliant;
  EXPECT_NE(compliant, "COMPLIANT 0 of 0");

  machine.registry.SetString(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "100");
  EXPECT_EQ(machine.Run({"check", "backup.reg", "--json", "details.json"}), kExitDrift);
  EXPECT_NE(machine.LastLine().find("NONCOMPLIANT 1 of "), std::string::npos) << machine.LastLine();
  EXPECT_NE(machine.LastLine().find("MenuShowDelay=100 (want 400)"), std::string::npos);
  const auto details = nlohmann::json::parse(machine.File("details.json"));
  EXPECT_EQ(details["result"], machine.LastLine());

  const auto drifted = machine.registry.Dump();
  EXPECT_EQ(machine.Run({"apply", "backup.reg", "--what-if"}), kExitOk);
  EXPECT_EQ(machine.LastLine(), "WOULD CHANGE 1");
  EXPECT_EQ(machine.registry.Dump(), drifted);

  EXPECT_EQ(machine.Run({"apply", "backup.reg", "--backup", "before.reg"}), kExitOk) << machine.output.err;
  EXPECT_EQ(machine.LastLine(), "CHANGED 1");
  EXPECT_NE(machine.File("before.reg").find("\"MenuShowDelay\"=\"100\""), std::string::npos);
  EXPECT_EQ(machine.registry.String(kHkeyCurrentUser, kDesktop, "MenuShowDelay"), "400");
  EXPECT_EQ(machine.Run({"check", "backup.reg"}), kExitOk);
  EXPECT_EQ(machine.LastLine(), compliant);

  const auto applied = machine.registry.Dump();
  machine.registry.ClearCalls();
  EXPECT_EQ(machine.Run({"apply", "backup.reg"}), kExitOk);
  EXPECT_EQ(machine.LastLine(), "UNCHANGED");
  EXPECT_EQ(machine.registry.Dump(), applied);
  for (const RegistryCall& call : machine.registry.Calls()) {
    EXPECT_TRUE(call.op != "SetValue" && call.op != "DeleteValue" && call.op != "CreateKey") << call.ToString();
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, CliRoundTrip, testing::Values("nt40.reg", "winxp.reg", "win7.reg", "win10.reg"),
                         [](const auto& info) {
                           return std::string(info.param).substr(0, std::string(info.param).find('.'));
                         });

// The same wanted values as a .reg file of each version, LGPO text and a
// registry policy file in Group Policy's User folder.
TEST(CliFormats, EveryBaselineFormGivesTheSameAnswer) {
  CliMachine machine("win7.reg");
  const std::vector<RegistryEdit> wanted = {Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "250")};
  machine.PutFile("wanted.reg", RegText(wanted));
  const auto unicode = RegFileBytes(RegFileFormat::Version5, wanted, kSame);
  machine.system.writtenFiles["wanted5.reg"] = unicode;
  machine.PutFile("wanted.txt", LgpoText(wanted, kSame));
  RegistryEdit relative = wanted.front();
  const auto policy = MergePolicyFile({}, {relative}, kSame);
  ASSERT_TRUE(policy);
  machine.system.writtenFiles["gpo\\User\\Registry.pol"] = *policy;
  machine.system.writtenFiles["elsewhere.pol"] = *policy;

  for (const char* file : {"wanted.reg", "wanted5.reg", "wanted.txt", "gpo\\User\\Registry.pol"}) {
    EXPECT_EQ(machine.Run({"check", file}), kExitDrift) << file << machine.output.err;
    EXPECT_EQ(machine.LastLine(), "NONCOMPLIANT 1 of 1: MenuShowDelay=400 (want 250)") << file;
  }
  // A policy file outside Machine and User says whose it is by option only.
  EXPECT_EQ(machine.Run({"check", "elsewhere.pol"}), kExitBadInput);
  EXPECT_EQ(machine.Run({"check", "elsewhere.pol", "--root", "user"}), kExitDrift);
  EXPECT_EQ(machine.Run({"apply", "wanted.txt"}), kExitOk);
  EXPECT_EQ(machine.registry.String(kHkeyCurrentUser, kDesktop, "MenuShowDelay"), "250");
}

TEST(CliBadInput, NothingIsWrittenAndTheLastLineSaysWhy) {
  CliMachine machine("winxp.reg");
  const auto policy = MergePolicyFile({}, {Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "1")}, kSame);
  const std::string cut(policy->begin(), policy->end() - 3);
  struct Case {
    const char* file;
    std::string text;
    const char* says;
  } cases[] = {
      {"unreadable.reg",
       "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"MenuShowDelay\"=dword:zz\r\n", "line 4"},
      {"type.reg",
       RegText({{RegistryEdit::Kind::SetValue, kHkeyCurrentUser, kDesktop, "MenuShowDelay", kRegBinary, {1, 2}}}),
       "MenuShowDelay"},
      {"range.reg", RegText({Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "99999999")}), "MenuShowDelay"},
      {"lying.reg", std::string(policy->begin(), policy->end()), "not a registry file"},
      {"User\\cut.pol", cut, "cut.pol"},
      {"missing.reg", "", "cannot read missing.reg"},
  };
  for (const Case& c : cases) {
    if (std::string(c.file) != "missing.reg") machine.PutFile(c.file, c.text);
    const auto before = machine.registry.Dump();
    for (const char* command : {"check", "apply"}) {
      EXPECT_EQ(machine.Run({command, c.file}), kExitBadInput) << c.file << " " << command << machine.output.out;
      EXPECT_EQ(machine.LastLine().rfind("INVALID: ", 0), 0u) << machine.LastLine();
      EXPECT_NE(machine.LastLine().find(c.says), std::string::npos) << c.file << ": " << machine.LastLine();
      EXPECT_EQ(machine.registry.Dump(), before) << c.file;
    }
  }
  EXPECT_EQ(machine.Run({"report", "--user", "S-1-5-21-9"}), kExitBadInput);
  EXPECT_NE(machine.LastLine().find("no profile of S-1-5-21-9"), std::string::npos);
}

// A standard user checks machine values as stored but may not apply them:
// nothing is written, the user's own values included.
TEST(CliRights, AStandardUsersApplyOfMachineValuesWritesNothing) {
  CliMachine machine("nt40.reg");
  machine.registry.DenyFullAccess(kHkeyLocalMachine, "SOFTWARE");
  machine.PutFile("both.reg", RegText({Set(kHkeyLocalMachine, kWinlogon, "DontDisplayLastUserName", "1"),
                                       Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "250")}));
  EXPECT_EQ(machine.Run({"check", "both.reg"}), kExitDrift);
  EXPECT_NE(machine.LastLine().find("DontDisplayLastUserName=0 (want 1)"), std::string::npos) << machine.LastLine();
  const auto before = machine.registry.Dump();
  EXPECT_EQ(machine.Run({"apply", "both.reg"}), kExitRegistry);
  EXPECT_EQ(machine.LastLine(), "FAILED: nothing written; only an administrator can change DontDisplayLastUserName");
  EXPECT_EQ(machine.registry.Dump(), before);
}

TEST(CliScope, WhatThisRunDoesNotCoverIsLeftOutNeverDrift) {
  {
    // Only Windows 2000 and later count autologons.
    CliMachine machine("nt40.reg");
    std::vector<std::uint8_t> three = {3, 0, 0, 0};
    machine.PutFile(
        "count.reg",
        RegText({{RegistryEdit::Kind::SetValue, kHkeyLocalMachine, kWinlogon, "AutoLogonCount", kRegDword, three},
                 Set(kHkeyLocalMachine, "SOFTWARE\\Elsewhere", "Other", "x")}));
    EXPECT_EQ(machine.Run({"check", "count.reg"}), kExitOk);
    EXPECT_EQ(machine.LastLine(), "COMPLIANT 0 of 0");
    EXPECT_NE(machine.output.out.find("AutoLogonCount: not honoured by this Windows"), std::string::npos);
    EXPECT_NE(machine.output.out.find("Other: not a value Varnox manages here"), std::string::npos);
  }
  {
    // The system account is no user: its own hive is not what a baseline means.
    CliMachine machine("win10.reg");
    machine.profiles.asSystem = true;
    machine.PutFile("user.reg", RegText({Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "250")}));
    EXPECT_EQ(machine.Run({"check", "user.reg"}), kExitOk);
    EXPECT_NE(machine.output.out.find("--user NAME, --all-users or --default-user"), std::string::npos);
    EXPECT_EQ(machine.Run({"apply", "user.reg"}), kExitOk);
    EXPECT_EQ(machine.LastLine(), "UNCHANGED");
  }
}

// Every profile gets the user's values; the machine's are done once.
TEST(CliScope, AllUsersApplyEachProfileAndTheMachineOnce) {
  CliMachine machine("winxp.reg");
  machine.AddProfile("S-1-5-21-1-1001");
  machine.AddProfile("S-1-5-21-1-1002");
  machine.PutFile("both.reg", RegText({Set(kHkeyCurrentUser, kDesktop, "MenuShowDelay", "250"),
                                       Set(kHkeyLocalMachine, kWinlogon, "DontDisplayLastUserName", "1")}));
  EXPECT_EQ(machine.Run({"check", "both.reg", "--all-users"}), kExitDrift);
  EXPECT_NE(machine.LastLine().find("NONCOMPLIANT 3 of 3"), std::string::npos) << machine.LastLine();
  EXPECT_NE(machine.LastLine().find("user S-1-5-21-1-1002: MenuShowDelay=400 (want 250)"), std::string::npos);
  machine.registry.ClearCalls();
  EXPECT_EQ(machine.Run({"apply", "both.reg", "--all-users"}), kExitOk) << machine.output.err;
  EXPECT_EQ(machine.LastLine(), "CHANGED 3");
  for (const char* sid : {"S-1-5-21-1-1001", "S-1-5-21-1-1002"}) {
    EXPECT_EQ(machine.registry.String(kHkeyUsers, std::string(sid) + "\\" + kDesktop, "MenuShowDelay"), "250");
  }
  EXPECT_EQ(machine.registry.String(kHkeyCurrentUser, kDesktop, "MenuShowDelay"), "400");
  EXPECT_EQ(machine.registry.String(kHkeyLocalMachine, kWinlogon, "DontDisplayLastUserName"), "1");
  // The profile new accounts start from, alone.
  machine.AddProfile(".DEFAULT");
  EXPECT_EQ(machine.Run({"apply", "both.reg", "--default-user"}), kExitOk) << machine.output.err;
  EXPECT_EQ(machine.LastLine(), "CHANGED 1");
  EXPECT_EQ(machine.registry.String(kHkeyUsers, std::string(".DEFAULT\\") + kDesktop, "MenuShowDelay"), "250");
  int machineWrites = 0;
  for (const RegistryCall& call : machine.registry.Calls()) {
    machineWrites += call.op == "SetValue" && call.valueName == "DontDisplayLastUserName" ? 1 : 0;
  }
  EXPECT_EQ(machineWrites, 1);
}

TEST(CliReport, RowsHoldWhatIsStoredInEveryFormAndNeverThePassword) {
  CliMachine machine("win7.reg");
  machine.registry.SetString(kHkeyLocalMachine, kWinlogon, "DefaultPassword", "hunter2-secret");
  ASSERT_EQ(machine.Run({"report", "--json"}), kExitOk) << machine.output.err;
  const auto report = nlohmann::json::parse(machine.output.out);
  const auto& rows = report["values"];
  ASSERT_GT(rows.size(), 50u);
  int checked = 0;
  for (const auto& row : rows) {
    const std::string key = row["key"];
    if (key.empty()) continue;
    const RegKey root = row["root"] == "HKEY_LOCAL_MACHINE" ? kHkeyLocalMachine : kHkeyCurrentUser;
    const auto stored = machine.registry.Value(root, key, row["value"]);
    EXPECT_EQ(row["present"].get<bool>(), stored.has_value()) << key << "\\" << row["value"];
    if (stored && stored->type == kRegSz && row["value"] != "DefaultPassword") {
      EXPECT_EQ(row["data"], machine.registry.String(root, key, row["value"]).value());
      ++checked;
    }
  }
  EXPECT_GT(checked, 5);
  EXPECT_EQ(machine.output.out.find("hunter2"), std::string::npos);
  EXPECT_NE(machine.output.out.find("\"data\": \"set\""), std::string::npos);

  ASSERT_EQ(machine.Run({"report", "--csv", "--lang", "ru"}), kExitOk);
  EXPECT_EQ(static_cast<std::size_t>(std::count(machine.output.out.begin(), machine.output.out.end(), '\n')),
            rows.size() + 1);
  EXPECT_EQ(machine.output.out.find("hunter2"), std::string::npos);
  ASSERT_EQ(machine.Run({"report"}), kExitOk);
  EXPECT_EQ(machine.LastLine().rfind("REPORTED " + std::to_string(rows.size()) + " values", 0), 0u);
}

TEST(CliLastLine, ItemsStopWhereTheLimitWouldBePassed) {
  std::vector<std::string> items(300, "SomeLongValueName=12345 (want 67890)");
  const std::string line = cli::LimitedLine("NONCOMPLIANT 300 of 300: ", items, 2048);
  EXPECT_LE(line.size(), 2048u);
  EXPECT_NE(line.find(" more"), std::string::npos);
  EXPECT_EQ(cli::LimitedLine("X: ", {"a", "b"}, 2048), "X: a; b");
}

}  // namespace
}  // namespace varnox::test
