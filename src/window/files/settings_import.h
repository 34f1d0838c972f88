#pragma once
// Opening a registry file into the window: its values are shown as if the
// user had set them, and nothing is written until OK. The window's own load
// runs against a registry that answers from the file first; the groups whose
// writes then differ from before count as changed, so OK writes what the
// same changes made by hand would write.

#include <cstddef>
#include <string>
#include <vector>

#include "settings/read_log_registry.h"
#include "settings/reg_file_reader.h"
#include "settings/value_list.h"
#include "toolkit/control_states.h"
#include "window/frame/settings_frame.h"

namespace varnox {

// Why an entry of the file did not reach the window.
enum class LeftOutReason : std::uint8_t {
  Unmanaged,          // a value the window does not manage
  KeyDeletion,        // [-key]: the window deletes no keys
  OtherRoot,          // under a root other than HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER
  AdministratorOnly,  // a machine-wide value this account may not change
  CannotShow,         // a value the window cannot show as the file has it
  Unreadable,         // a line the reader could not read
};

struct LeftOutEntry {
  int line = 0;
  LeftOutReason reason = LeftOutReason::Unmanaged;
  std::string what;  // root\path\name or [-root\path] (ANSI); empty for an unreadable line
  RegFileFault fault = RegFileFault::NotARegistryFile;  // of an unreadable line
};

struct OpenedFile {
  std::size_t managed = 0;  // managed values the file names
  std::size_t changed = 0;  // of them, those the window now shows otherwise than before
  std::vector<LeftOutEntry> leftOut;
  std::string firstComment;  // UTF-8
  ValueList shown;           // the file's values the window now shows
};

// Shows `contents` in the window's controls: from `design`, the sections'
// controls as they were before the window's load, a load runs again
// against the registry with the user's changes and the file over it.
// `flags` are the window's
// modified flags: those raised stay raised, and each group whose writes
// now differ is raised. `load` recorded the window's load; `registry` is the
// real one, which is only read. Throws what saving the user's earlier
// changes throws, before anything has changed. A text value that the code
// page cannot carry through a Unicode file (`codec`), held in the file as
// it came through, asks for no change.
OpenedFile ShowFileInWindow(SettingsFrame& frame, const ControlStates& design, ModifiedFlags& flags,
                            const ReadLogRegistry& load, RegistryApi& registry, const RegFileContents& contents,
                            const AnsiCodec& codec);

}  // namespace varnox
