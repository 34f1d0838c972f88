#include "cli/apply_command.h"

#include "base/concat.h"
#include "cli/baseline_compare.h"
#include "cli/exit_codes.h"
#include "cli/value_text.h"
#include "settings/stored_value.h"

namespace varnox::cli {

namespace {

struct Change {
  RegistryEdit written;
  RegistryEdit stored;
};

// The values OK would change: what it writes as they are already stored
// changes nothing.
std::vector<Change> ChangesOf(const std::vector<RegistryEdit>& writes, RegistryApi& registry) {
  std::vector<Change> changes;
  for (const RegistryEdit& edit : writes) {
    if (edit.kind != RegistryEdit::Kind::SetValue && edit.kind != RegistryEdit::Kind::DeleteValue) continue;
    RegistryEdit stored = StoredState(registry, {edit.root, edit.keyPath, edit.name});
    if (SameState(stored, edit)) continue;
    std::erase_if(changes, [&edit](const Change& c) {
      return SameValue({c.written.root, c.written.keyPath, c.written.name}, {edit.root, edit.keyPath, edit.name});
    });
    changes.push_back({edit, std::move(stored)});
  }
  return changes;
}

}  // namespace

int ApplyRun::Apply(Target& target, const RegFileContents& contents, CliOutput& output) {
  HeadlessWindow& window = target.window;
  const AnsiCodec codec = window.Codec();
  RegistryApi& registry = window.platform().registry;
  output.out += whatIf_ ? Concat({"What applying ", file_, " would change on this machine and ", target.whose, "\n"})
                        : Concat({"Applying ", file_, " to this machine and ", target.whose, "\n"});
  const OpenedBaseline baseline = OpenBaseline(window, contents, target.scope, target.table);
  if (!Reported(baseline, file_, output)) return kExitBadInput;
  if (!baseline.adminOnly.empty()) {
    std::vector<std::string> names;
    for (const RegFileEntry& entry : baseline.adminOnly) {
      names.push_back(codec.toUtf8(entry.edit.name));
      output.err += Concat({"varnox: only an administrator can change ",
                            FullName(entry.edit.root, entry.edit.keyPath, entry.edit.name, codec), "\n"});
    }
    refused_ = LimitedLine("FAILED: nothing written; only an administrator can change ", names, kLastLineLimit);
    return kExitRegistry;
  }

  const std::vector<Change> changes = ChangesOf(WindowPendingWrites(window), registry);
  const auto changeLine = [&](const char* head, const Change& change) {
    const RegistryValueRef value{change.written.root, change.written.keyPath, change.written.name};
    return Concat({head, FullName(value.root, value.keyPath, value.valueName, codec), ": ",
                   PrintedState(target, value, change.stored), " -> ", PrintedState(target, value, change.written),
                   "\n"});
  };
  const auto shortName = [&](const Change& change) {
    return Concat({target.label, codec.toUtf8(change.written.name.empty() ? "@" : change.written.name)});
  };
  if (whatIf_) {
    for (const Change& change : changes) {
      output.out += changeLine("would change ", change);
      changed_.push_back(shortName(change));
    }
    return kExitOk;
  }
  if (changes.empty()) return kExitOk;

  if (backupFirst_) {
    // One backup a user when a run covers several: the SID before the extension.
    std::string path = *backupFirst_;
    if (!target.tag.empty()) {
      const std::size_t dot = path.rfind('.');
      const bool extension = dot != std::string::npos && path.find_first_of("\\/", dot) == std::string::npos;
      path.insert(extension ? dot : path.size(), "-" + target.tag);
    }
    window.Services().AnswerSaveAs(path);
    const std::size_t errors = window.Services().Errors().size();
    window.Form().btnBackupClick(window.Form());
    if (window.Services().Errors().size() != errors) {
      refused_ = Concat({"FAILED: the backup ", path, " could not be written; nothing changed"});
      return kExitRegistry;
    }
    output.out += Concat({"backed up into ", path, "\n"});
  }

  TConfForm& form = window.Form();
  form.ApplyBtnClick(form.Find<TButton>("ApplyBtn"));
  for (const Change& change : changes) {
    const RegistryEdit now = StoredState(registry, {change.written.root, change.written.keyPath, change.written.name});
    if (SameState(now, change.written)) {
      output.out += changeLine("changed ", change);
      changed_.push_back(shortName(change));
    } else {
      notWritten_.push_back(shortName(change));
    }
  }
  return notWritten_.empty() ? kExitOk : kExitRegistry;
}

std::string ApplyRun::LastLine() const {
  if (!refused_.empty()) return refused_;
  if (!notWritten_.empty()) {
    std::vector<std::string> items;
    for (const std::string& name : changed_) items.push_back(Concat({"written ", name}));
    for (const std::string& name : notWritten_) items.push_back(Concat({"not written ", name}));
    return LimitedLine(Concat({"FAILED ", std::to_string(changed_.size()), " of ",
                               std::to_string(changed_.size() + notWritten_.size()), " written: "}),
                       items, kLastLineLimit);
  }
  if (changed_.empty()) return "UNCHANGED";
  return Concat({whatIf_ ? "WOULD CHANGE " : "CHANGED ", std::to_string(changed_.size())});
}

}  // namespace varnox::cli
