#include "cli/baseline_open.h"

#include <algorithm>

#include "base/concat.h"
#include "cli/managed_lookup.h"
#include "cli/value_text.h"
#include "settings/baseline_file.h"
#include "settings/stored_value.h"
#include "settings/value_list.h"

namespace varnox::cli {

namespace {

std::string WhyLeftOut(LeftOutReason reason) {
  switch (reason) {
    case LeftOutReason::Unmanaged:
      return "not a value Varnox manages here";
    case LeftOutReason::KeyDeletion:
      return "a key deletion: Varnox deletes no keys";
    case LeftOutReason::OtherRoot:
      return "under a root other than HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER";
    case LeftOutReason::AdministratorOnly:
      return "only an administrator can change this value";
    case LeftOutReason::CannotShow:
      return "a value of a type or range the window cannot take";
    case LeftOutReason::Unreadable:
      return "a line that cannot be read";
  }
  return {};
}

const RegFileEntry* EntryOnLine(const RegFileContents& contents, int line) {
  for (const RegFileEntry& entry : contents.entries) {
    if (entry.line == line) return &entry;
  }
  return nullptr;
}

}  // namespace

OpenedBaseline OpenBaseline(HeadlessWindow& window, const RegFileContents& contents, const BaselineScope& scope,
                            const std::vector<ManagedPage>& table) {
  const AnsiCodec codec = window.Codec();
  OpenedBaseline result;
  RegFileContents inScope = contents;
  inScope.entries.clear();
  for (const RegFileEntry& entry : contents.entries) {
    const RegistryEdit& edit = entry.edit;
    const auto leaveOut = [&](std::string why) {
      result.leftOut.push_back({entry.line, FullName(edit.root, edit.keyPath, edit.name, codec), std::move(why)});
    };
    const bool value = edit.kind == RegistryEdit::Kind::SetValue || edit.kind == RegistryEdit::Kind::DeleteValue;
    if (edit.kind == RegistryEdit::Kind::Comment) {
      leaveOut(edit.name.empty() ? "not a single value" : edit.name);
      continue;
    }
    if (value && edit.root == kHkeyLocalMachine && !scope.machine) {
      leaveOut("a machine value: done once, for the first user");
      continue;
    }
    if (value && edit.root == kHkeyCurrentUser && !scope.user) {
      leaveOut(scope.userLeftOutWhy);
      continue;
    }
    if (value) {
      if (const ManagedValue* managed = FindManaged(table, {edit.root, edit.keyPath, edit.name})) {
        if (!HonouredHere(window, *managed)) {
          leaveOut("not honoured by this Windows");
          continue;
        }
      }
    }
    inScope.entries.push_back(entry);
  }

  result.opened = window.Form().ShowSettings(inScope, codec);
  for (const LeftOutEntry& entry : result.opened.leftOut) {
    BaselineNote note{entry.line, codec.toUtf8(entry.what), WhyLeftOut(entry.reason)};
    switch (entry.reason) {
      case LeftOutReason::Unreadable:
        note.why = Concat({"cannot be read: ", FileFaultText(entry.fault)});
        result.invalid.push_back(std::move(note));
        break;
      case LeftOutReason::CannotShow: {
        // A machine's own backup holds data of the types the machine has,
        // which the window may write otherwise: unchanged, they match.
        const RegFileEntry* candidate = EntryOnLine(inScope, entry.line);
        if (candidate != nullptr &&
            SameState(StoredState(window.platform().registry,
                                  {candidate->edit.root, candidate->edit.keyPath, candidate->edit.name}),
                      candidate->edit)) {
          result.asStored.push_back(*candidate);
        } else {
          result.invalid.push_back(std::move(note));
        }
        break;
      }
      case LeftOutReason::AdministratorOnly:
        if (const RegFileEntry* candidate = EntryOnLine(inScope, entry.line)) result.adminOnly.push_back(*candidate);
        break;
      default:
        result.leftOut.push_back(std::move(note));
    }
  }
  std::vector<int> notTaken;
  for (const LeftOutEntry& entry : result.opened.leftOut) notTaken.push_back(entry.line);
  for (const RegFileEntry& entry : inScope.entries) {
    const RegistryEdit& edit = entry.edit;
    if (edit.kind != RegistryEdit::Kind::SetValue && edit.kind != RegistryEdit::Kind::DeleteValue) continue;
    if (std::find(notTaken.begin(), notTaken.end(), entry.line) != notTaken.end()) continue;
    const RegistryValueRef value{edit.root, edit.keyPath, edit.name};
    std::erase_if(result.taken, [&value](const RegFileEntry& e) {
      return SameValue({e.edit.root, e.edit.keyPath, e.edit.name}, value);
    });
    result.taken.push_back(entry);
  }
  return result;
}

}  // namespace varnox::cli
