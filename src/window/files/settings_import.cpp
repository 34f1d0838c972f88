#include "window/files/settings_import.h"

#include <algorithm>
#include <iterator>

#include "base/concat.h"
#include "settings/dry_run_registry.h"
#include "settings/reg_file_format.h"
#include "settings/reg_file_writer.h"
#include "toolkit/control.h"
#include "window/files/settings_export.h"

namespace varnox {

namespace {

RegistryValueRef RefOf(const RegistryEdit& edit) { return {edit.root, edit.keyPath, edit.name}; }

std::string NameOf(const RegistryEdit& edit) {
  return Concat({RootName(edit.root), "\\", edit.keyPath, "\\", edit.name.empty() ? "@" : edit.name});
}

// What the window writes for a value it shows as the file has it: the same
// state, or text the window reads without regard to case ("yes" shown as
// a ticked box is written "Yes").
bool ShownAs(const RegistryEdit& written, const RegistryEdit& file) {
  if (SameState(written, file)) return true;
  const auto lower = [](std::uint8_t c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
  return written.kind == RegistryEdit::Kind::SetValue && file.kind == written.kind && file.type == kRegSz &&
         written.type == kRegSz &&
         std::equal(written.data.begin(), written.data.end(), file.data.begin(), file.data.end(),
                    [&lower](std::uint8_t a, std::uint8_t b) { return lower(a) == lower(b); });
}

// Text as a Unicode file carries it: each string through the code page,
// UTF-16 and back. What the code page cannot hold comes back otherwise, and a file
// that says so asks for no change.
RegistryEdit Carried(RegistryEdit value, const AnsiCodec& codec) {
  if (value.type != kRegSz && value.type != kRegExpandSz && value.type != kRegMultiSz) return value;
  std::vector<std::uint8_t> carried;
  for (auto from = value.data.begin(); from != value.data.end();) {
    const auto nul = std::find(from, value.data.end(), std::uint8_t{0});
    std::vector<std::uint8_t> wide;
    AppendUtf16(wide, codec.toUtf8(std::string(from, nul)));
    const std::string piece = codec.fromUtf8(Utf16ToUtf8(wide));
    carried.insert(carried.end(), piece.begin(), piece.end());
    if (nul == value.data.end()) break;
    carried.push_back(0);
    from = nul + 1;
  }
  value.data = std::move(carried);
  return value;
}

// Whether this account may change values of the key: the key itself or,
// when it is missing, the nearest key above it that exists.
bool Changeable(RegistryApi& registry, const RegistryEdit& value) {
  if (value.root != kHkeyLocalMachine) return true;
  for (std::string path = value.keyPath;;) {
    RegKey key = 0;
    const long status = registry.OpenKey(value.root, path, kKeyAllAccess, &key);
    if (status == kErrorSuccess) registry.CloseKey(key);
    if (status != kErrorFileNotFound || path.empty()) return status == kErrorSuccess || path.empty();
    const std::size_t slash = path.rfind('\\');
    path.resize(slash == std::string::npos ? 0 : slash);
  }
}

// Lays a value of the file over `overlay`. A deletion in a key that does
// not exist has nothing to delete and makes no key.
void Lay(RegistryApi& overlay, const RegistryEdit& value) {
  RegKey key = 0;
  const bool set = value.kind == RegistryEdit::Kind::SetValue;
  const long opened = set ? overlay.CreateKey(value.root, value.keyPath, kKeyRead, &key)
                          : overlay.OpenKey(value.root, value.keyPath, kKeyRead, &key);
  if (opened != kErrorSuccess) return;
  if (set) {
    overlay.SetValue(key, value.name, value.type, value.data.data(), static_cast<std::uint32_t>(value.data.size()));
  } else {
    overlay.DeleteValue(key, value.name);
  }
  overlay.CloseKey(key);
}

// The entries the window takes: the last entry of each managed value.
class Candidates {
 public:
  void Add(const RegFileEntry& entry) {
    std::erase_if(entries_, [&entry](const RegFileEntry* e) { return SameValue(RefOf(e->edit), RefOf(entry.edit)); });
    entries_.push_back(&entry);
  }
  const std::vector<const RegFileEntry*>& Entries() const { return entries_; }
  const RegFileEntry* Find(const RegistryValueRef& value) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&value](const RegFileEntry* e) { return SameValue(RefOf(e->edit), value); });
    return it == entries_.end() ? nullptr : *it;
  }
  void Drop(const RegFileEntry* entry, LeftOutReason reason, OpenedFile& report) {
    report.leftOut.push_back({entry->line, reason, NameOf(entry->edit)});
    std::erase(entries_, entry);
  }

 private:
  std::vector<const RegFileEntry*> entries_;
};

// Loads the window from `pending` with the candidates laid over it. Drops
// the candidates it could not show as the file has them: one the load
// stopped at (then false: load again), one it never read, and one that
// every group, run now, would write otherwise than the file says; and one
// that no group touches, now or before: a value the window only shows.
bool LoadOnce(SettingsFrame& frame, const ControlStates& design, RegistryApi& pending, const ValueList& touched,
              Candidates& candidates, OpenedFile& report) {
  DryRunRegistry overlay(pending);
  for (const RegFileEntry* entry : candidates.Entries()) Lay(overlay, entry->edit);
  ReadLogRegistry reads(overlay);
  reads.SetRecording(true);
  design.Restore();
  try {
    SettingsReg::Redirect redirect(frame.Slot(), reads);
    frame.Load();
  } catch (...) {
    if (const RegFileEntry* culprit = candidates.Find(reads.LastRead())) {
      candidates.Drop(culprit, LeftOutReason::CannotShow, report);
      return false;
    }
    // A failure of the registry itself: the window's own load met it as
    // well, and what follows it stays disabled, as it was.
  }
  DryRunRegistry writes(static_cast<RegistryApi&>(overlay));
  try {
    frame.SaveEveryGroup(writes);
  } catch (...) {
    // What the groups before the failing one would write is checked.
  }
  std::vector<std::pair<const RegFileEntry*, LeftOutReason>> dropped;
  for (const RegFileEntry* entry : candidates.Entries()) {
    const RegistryValueRef value = RefOf(entry->edit);
    const auto& edits = writes.Edits();
    const auto last = std::find_if(edits.rbegin(), edits.rend(), [&value](const RegistryEdit& edit) {
      return edit.kind != RegistryEdit::Kind::CreateKey && SameValue(RefOf(edit), value);
    });
    if (!writes.Touched().Has(value) && !touched.Has(value)) {
      dropped.push_back({entry, LeftOutReason::Unmanaged});
    } else if (!reads.Reads().Has(value) || (last != edits.rend() && !ShownAs(*last, entry->edit))) {
      dropped.push_back({entry, LeftOutReason::CannotShow});
    }
  }
  for (const auto& [entry, reason] : dropped) candidates.Drop(entry, reason, report);
  return dropped.empty();
}

}  // namespace

OpenedFile ShowFileInWindow(SettingsFrame& frame, const ControlStates& design, ModifiedFlags& flags,
                            const ReadLogRegistry& load, RegistryApi& registry, const RegFileContents& contents,
                            const AnsiCodec& codec) {
  OpenedFile report;
  report.firstComment = contents.firstComment;
  for (const RegFileError& error : contents.errors) {
    report.leftOut.push_back({error.line, LeftOutReason::Unreadable, {}, error.fault});
  }
  const ManagedValues managed = FindManagedValues(frame, load, registry);
  // What the load read or looked for; whether some group writes it is
  // known for sure only once the file's values are in.
  const auto looked = [&load](const RegistryValueRef& value) {
    return load.Reads().Has(value) || load.Keys().Has({value.root, value.keyPath, {}});
  };
  Candidates candidates;
  for (const RegFileEntry& entry : contents.entries) {
    const RegistryEdit& edit = entry.edit;
    const auto leaveOut = [&](LeftOutReason reason, std::string what) {
      report.leftOut.push_back({entry.line, reason, std::move(what)});
    };
    const bool touched = managed.touched.Has(RefOf(edit));
    if (edit.kind == RegistryEdit::Kind::CreateKey) continue;
    if (edit.kind == RegistryEdit::Kind::DeleteKey) {
      leaveOut(LeftOutReason::KeyDeletion, Concat({"[-", RootName(edit.root), "\\", edit.keyPath, "]"}));
    } else if (edit.root != kHkeyLocalMachine && edit.root != kHkeyCurrentUser) {
      leaveOut(LeftOutReason::OtherRoot, NameOf(edit));
    } else if (!looked(RefOf(edit)) || (!touched && !Changeable(registry, edit))) {
      leaveOut(LeftOutReason::Unmanaged, NameOf(edit));
    } else if (!Changeable(registry, edit)) {
      leaveOut(LeftOutReason::AdministratorOnly, NameOf(edit));
    } else {
      candidates.Add(entry);
    }
  }

  // The user's own changes so far stay under the file's.
  DryRunRegistry pending(registry);
  frame.Save(flags, pending);
  const auto differs = [&](const RegFileEntry* entry) {
    const RegistryEdit stored = StoredState(pending, RefOf(entry->edit));
    return !SameState(contents.unicode ? Carried(stored, codec) : stored, entry->edit);
  };
  const auto counted = [&report, &candidates] {
    report.managed = candidates.Entries().size() +
                     static_cast<std::size_t>(std::count_if(
                         report.leftOut.begin(), report.leftOut.end(),
                         [](const LeftOutEntry& entry) { return entry.reason == LeftOutReason::CannotShow; }));
  };
  if (std::none_of(candidates.Entries().begin(), candidates.Entries().end(), differs)) {
    // Nothing to load: what no group touches is a value the window only shows.
    for (const RegFileEntry* entry : std::vector(candidates.Entries())) {
      if (!managed.touched.Has(RefOf(entry->edit))) {
        candidates.Drop(entry, LeftOutReason::Unmanaged, report);
      }
    }
    counted();
    return report;
  }

  const std::vector<SettingsFrame::GroupWrites> before = frame.WritesOfEachGroup(registry);
  const ModifiedFlags raised = flags;
  std::vector<SettingsFrame::GroupWrites> after;
  std::vector<const RegFileEntry*> differing;
  const auto written = [&after](const RegFileEntry* entry) {
    return std::any_of(after.begin(), after.end(), [entry](const SettingsFrame::GroupWrites& group) {
      return std::any_of(group.edits.begin(), group.edits.end(), [entry](const RegistryEdit& edit) {
        return SameValue(RefOf(edit), RefOf(entry->edit)) && ShownAs(edit, entry->edit);
      });
    });
  };
  for (;;) {
    while (!LoadOnce(frame, design, pending, managed.touched, candidates, report)) {
    }
    after = frame.WritesOfEachGroup(registry);
    differing.clear();
    std::copy_if(candidates.Entries().begin(), candidates.Entries().end(), std::back_inserter(differing), differs);
    // A value the window shows but OK would not write (a number outside its
    // spinner's range stays as stored) is one it cannot take: load again
    // without it.
    std::vector<const RegFileEntry*> unwritten;
    std::copy_if(differing.begin(), differing.end(), std::back_inserter(unwritten),
                 [&written](const RegFileEntry* entry) { return !written(entry); });
    if (unwritten.empty()) break;
    for (const RegFileEntry* entry : unwritten) candidates.Drop(entry, LeftOutReason::CannotShow, report);
  }
  flags = raised;
  // A group counts as changed when what it writes now differs, and when it
  // writes a value of the file that differs from what is stored: a box shows
  // an absent value and "0" alike, yet the file asks for "0".
  for (std::size_t g = 0; g < after.size(); ++g) {
    const auto writesFileValue = [&differing](const RegistryEdit& edit) {
      return std::any_of(differing.begin(), differing.end(), [&edit](const RegFileEntry* entry) {
        return SameValue(RefOf(edit), RefOf(entry->edit)) && ShownAs(edit, entry->edit);
      });
    };
    if (after[g].edits != before[g].edits ||
        std::any_of(after[g].edits.begin(), after[g].edits.end(), writesFileValue)) {
      flags.Raise(after[g].group);
    }
  }
  report.changed = differing.size();
  for (const RegFileEntry* entry : candidates.Entries()) report.shown.Add(RefOf(entry->edit));
  counted();
  return report;
}

}  // namespace varnox
