#include "window/files/policy_export.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/concat.h"
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
  return Concat({RootName(edit.root), "\\", system.AnsiToUtf8(edit.keyPath), "\\", system.AnsiToUtf8(edit.name)});
}

// Merges edits into the Registry.pol of a folder, and notes in lines of
// the message what it wrote and what went wrong.
class PolicyFileWriter {
 public:
  PolicyFileWriter(SystemApi& system, const PolicySaveTexts& texts)
      : system_(system),
        texts_(texts),
        codec_{[&system](const std::string& ansi) { return system.AnsiToUtf8(ansi); },
               [&system](const std::string& utf8) { return system.Utf8ToAnsi(utf8); }} {}

  void Write(const std::string& directory, const std::vector<RegistryEdit>& edits) {
    const std::string path = directory + "\\Registry.pol";
    if (const auto failure = system_.CreateFolder(directory)) return Fail("Cannot create " + directory, *failure);
    std::vector<std::uint8_t> existing;
    if (system_.FileExists(path)) {
      if (const auto failure = system_.ReadWholeFile(path, existing)) return Fail("Cannot read " + path, *failure);
    }
    const auto merged = MergePolicyFile(existing, edits, codec_);
    if (!merged) {
      problems += "\r\n" + path + std::string(texts_.notPolicyFile);
      return;
    }
    if (const auto failure = system_.WriteWholeFile(path, *merged)) return Fail("Cannot write " + path, *failure);
    written += Concat({"\r\n", path, ": ", std::to_string(edits.size()), texts_.values});
  }

  std::string written;
  std::string problems;
  bool failed = false;

 private:
  void Fail(const std::string& what, const std::string& reason) {
    problems += Concat({"\r\n", what, ": ", reason});
    failed = true;
  }

  SystemApi& system_;
  const PolicySaveTexts& texts_;
  const AnsiCodec codec_;
};

}  // namespace

PolicyChanges PendingPolicyChanges(SettingsFrame& frame, const ModifiedFlags& flags, RegistryApi& registry,
                                   const ValueList& spared) {
  // The same save, once without the groups of one machine, once with them
  // alone: OK's own writes, told apart by the group that makes them.
  ModifiedFlags shared;
  ModifiedFlags ownOnly;
  for (std::size_t index = 0; index < kSettingGroupCount; ++index) {
    const auto group = static_cast<SettingGroup>(index);
    if (flags.Raised(group)) OneMachineGroup(group) ? ownOnly.Raise(group) : shared.Raise(group);
  }
  PolicyChanges changes;
  for (RegistryEdit& edit : PendingChanges(frame, shared, registry, spared)) {
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
    for (RegistryEdit& edit : PendingChanges(frame, ownOnly, registry, spared)) {
      if (Value(edit)) changes.leftOut.push_back({std::move(edit), PolicyLeftOutReason::OneMachine});
    }
  }
  return changes;
}

PolicySaveReport WritePolicyFiles(const std::string& folder, const PolicyChanges& changes, SystemApi& system,
                                  const PolicySaveTexts& texts) {
  const std::string base = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
  PolicyFileWriter writer(system, texts);
  writer.Write(base + "Machine", changes.machine);
  writer.Write(base + "User", changes.user);

  PolicySaveReport report{std::string(texts.saved) + writer.written + writer.problems, writer.failed};
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
