// libFuzzer entry for the LGPO text reader: any bytes, as they are or (by
// the first byte) as text in UTF-16 LE with its byte-order mark or in UTF-8
// with its mark. The reader must not crash, hang or read past the input
// (the bytes live in a buffer of their exact size); every error and entry
// names a line of the file, entries in order; the writer takes every entry
// the reader makes; what was read, written and read again is the same; and
// the baseline reader, given the same bytes, reads LGPO text alike.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "settings/baseline_file.h"
#include "settings/lgpo_text.h"
#include "settings/reg_file_format.h"

namespace {

using varnox::RegistryEdit;

using varnox::fuzz::Finding;
using varnox::fuzz::kSame;

std::vector<RegistryEdit> Edits(const varnox::RegFileContents& contents) {
  std::vector<RegistryEdit> edits;
  for (const varnox::RegFileEntry& entry : contents.entries) edits.push_back(entry.edit);
  return edits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::vector<std::uint8_t> bytes = varnox::fuzz::FileBytes(data, size);
  const varnox::RegFileContents contents = varnox::ParseLgpoText(bytes, kSame);
  const auto lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
  for (const varnox::RegFileError& error : contents.errors) {
    if (error.line < 1 || error.line > lines) Finding("an error outside the file's lines");
  }
  int last = 0;
  for (const varnox::RegFileEntry& entry : contents.entries) {
    if (entry.line <= last || entry.line > lines) Finding("an entry out of line order");
    last = entry.line;
  }
  if (!contents.recognised && !contents.entries.empty()) Finding("entries of a file not recognised");
  const std::vector<RegistryEdit> edits = Edits(contents);
  for (const RegistryEdit& edit : edits) {
    if (!varnox::LgpoWritable(edit, kSame)) Finding("an entry the writer leaves out");
  }
  const std::string text = varnox::LgpoText(edits, kSame);
  const varnox::RegFileContents reread =
      varnox::ParseLgpoText(std::vector<std::uint8_t>(text.begin(), text.end()), kSame);
  if (!reread.recognised || !reread.errors.empty()) Finding("the writer's text does not read");
  if (Edits(reread) != edits) Finding("what was read, written and read again differs");
  const varnox::BaselineRead baseline = varnox::ReadBaseline("baseline", bytes, varnox::kHkeyLocalMachine, kSame);
  if (baseline.kind == varnox::BaselineKind::LgpoText && baseline.error.empty() && Edits(baseline.contents) != edits) {
    Finding("the baseline reader reads LGPO text otherwise");
  }
  return 0;
}
