#include "window/files/policy_export.h"

#include <algorithm>

#include "base/ascii.h"
#include "settings/policy_file.h"
#include "settings/reg_file_writer.h"
#include "window/files/settings_export.h"

namespace varnox {

namespace {

bool OneMachineGroup(SettingGroup group) {
  return std::find(std::begin(kOneMachineGroups), std::end(kOneMachineGroups), group) != std::end(kOneMachineGroups);
}

bool Value(const RegistryEdit& edit) {
  return edit.kind == RegistryEdit::Kind::SetValue || edit.kind == RegistryEdit::Kind::DeleteValue;
}

std::string ValuePath(const RegistryEdit& edit, SystemApi& system) {
  return RootName(edit.root) + "\\" + system.AnsiToUtf8(edit.keyPath) + "\\" + system.AnsiToUtf8(edit.name);
}

}  // namespace

PolicyChanges PendingPolicyChanges(SettingsFrame& frame, const ModifiedFlags& flags, RegistryApi& registry) {
  // The same save, once without the groups of one machine, once with them
  // alone: OK's own writes, told apart by the group that makes them.
  ModifiedFlags shared;
  ModifiedFlags ownOnly;
  for (std::size_t index = 0; index < kSettingGroupCount; ++index) {
    const auto group = static_cast<SettingGroup>(index);
    if (flags.Raised(group)) OneMachineGroup(group) ? ownOnly.Raise(group) : shared.Raise(group);
  }
  PolicyChanges changes;
  for (RegistryEdit& edit : PendingChanges(frame, shared, registry)) {
    if (!Value(edit)) continue;
    if (EqualsIgnoringAsciiCase(edit.name, kAutoLogonPasswordValue)) {
      changes.leftOut.push_back({std::move(edit), PolicyLeftOutReason::Password});
    } else if (edit.root == kHkeyLocalMachine) {
      changes.machine.push_back(std::move(edit));
    } else if (edit.root == kHkeyCurrentUser) {
      changes.user.push_back(std::move(edit));
    } else {
      changes.leftOut.push_back({std::move(edit), PolicyLeftOutReason::OtherRoot});
    }
  }
  if (ownOnly.AnyRaised()) {
    for (RegistryEdit& edit : PendingChanges(frame, ownOnly, registry)) {
      if (Value(edit)) changes.leftOut.push_back({std::move(edit), PolicyLeftOutReason::OneMachine});
    }
  }
  return changes;
}

PolicySaveReport WritePolicyFiles(const std::string& folder, const PolicyChanges& changes, SystemApi& system,
                                  const PolicySaveTexts& texts) {
  const AnsiCodec codec{[&system](const std::string& ansi) { return system.AnsiToUtf8(ansi); },
                        [&system](const std::string& utf8) { return system.Utf8ToAnsi(utf8); }};
  const std::string base = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
  PolicySaveReport report;
  std::string written;
  std::string problems;
  const auto write = [&](const char* scope, const std::vector<RegistryEdit>& edits) {
    const std::string directory = base + scope;
    const std::string path = directory + "\\Registry.pol";
    if (const auto failure = system.CreateFolder(directory)) {
      problems += "\r\nCannot create " + directory + ": " + *failure;
      report.failed = true;
      return;
    }
    std::vector<std::uint8_t> existing;
    if (system.FileExists(path)) {
      if (const auto failure = system.ReadWholeFile(path, existing)) {
        problems += "\r\nCannot read " + path + ": " + *failure;
        report.failed = true;
        return;
      }
    }
    const auto merged = MergePolicyFile(existing, edits, codec);
    if (!merged) {
      problems += "\r\n" + path + std::string(texts.notPolicyFile);
      return;
    }
    if (const auto failure = system.WriteWholeFile(path, *merged)) {
      problems += "\r\nCannot write " + path + ": " + *failure;
      report.failed = true;
      return;
    }
    written += "\r\n" + path + ": " + std::to_string(edits.size()) + std::string(texts.values);
  };
  write("Machine", changes.machine);
  write("User", changes.user);

  report.message = std::string(texts.saved) + written + problems;
  if (!changes.leftOut.empty()) {
    report.message += "\r\n\r\n" + std::string(texts.leftOut);
    for (const PolicyLeftOut& value : changes.leftOut) {
      report.message += "\r\n" + ValuePath(value.edit, system) + ": " +
                        std::string(texts.reasons[static_cast<std::size_t>(value.reason)]);
    }
  }
  report.message += "\r\n\r\n" + std::string(texts.usage);
  return report;
}

}  // namespace varnox
