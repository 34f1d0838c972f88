#pragma once
// The English and Russian texts of the message that follows opening a
// registry file into the window (UTF-8).

#include <string>
#include <string_view>

#include "platform/system_api.h"
#include "window/files/settings_import.h"

namespace varnox {

struct OpenFileTexts {
  std::string_view changed;         // after the count of settings changed
  std::string_view nothingManaged;  // the file names no setting the window manages
  std::string_view nothingChanged;  // its settings are those the window shows
  std::string_view leftOut;         // the heading of the entries left out
  std::string_view line;            // before a line number
  std::string_view more;            // before the count of entries not listed
  std::string_view reasons[6];      // by LeftOutReason
  std::string_view faults[kRegFileFaultCount];
};

const OpenFileTexts& EnglishOpenFileTexts();
const OpenFileTexts& RussianOpenFileTexts();

// The whole message: the file's first comment, what changed, and each
// entry left out, by line (the first kListedEntries of them). `system`
// converts the registry's ANSI names.
inline constexpr std::size_t kListedEntries = 20;
std::string OpenedFileMessage(const OpenedFile& file, const OpenFileTexts& texts, SystemApi& system);

}  // namespace varnox
