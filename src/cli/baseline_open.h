#pragma once
// A baseline shown in the window's model as "Open settings file..." shows a
// file: its values become pending changes, nothing is written. Before the
// window sees it, what is outside the command's scope is taken out: values
// this Windows does not honour, and the user's or the machine's values when
// this run does not cover them. What the window cannot take is sorted into
// what is left out (never drift), what is invalid (bad input: a change the
// window cannot make, such as a number outside its control's range or data
// of another type), what is stored already just as the file has it, and the
// machine's values this account may not change.

#include <string>
#include <vector>

#include "cli/headless_window.h"
#include "settings/reg_file_reader.h"
#include "window/files/settings_import.h"
#include "window/pages/managed_values.h"

namespace varnox::cli {

// Which roots of the baseline this run covers.
struct BaselineScope {
  bool machine = true;
  bool user = true;
  // Why the user's values are not covered, when they are not.
  std::string userLeftOutWhy;
};

struct BaselineNote {
  int line = 0;
  std::string what;  // root\key\value (UTF-8)
  std::string why;
};

struct OpenedBaseline {
  OpenedFile opened;                    // the window's own account of the file
  std::vector<RegFileEntry> taken;      // the values the window took, the file's last word on each
  std::vector<BaselineNote> leftOut;    // not compared, never drift
  std::vector<BaselineNote> invalid;    // the file holds what the window cannot take
  std::vector<RegFileEntry> adminOnly;  // machine values this account may not change
  // Values the window cannot show as the file has them (a type it would
  // write otherwise), which are stored exactly so: they match as they stand.
  std::vector<RegFileEntry> asStored;
};

OpenedBaseline OpenBaseline(HeadlessWindow& window, const RegFileContents& contents, const BaselineScope& scope,
                            const std::vector<ManagedPage>& table);

}  // namespace varnox::cli
