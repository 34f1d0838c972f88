// libFuzzer entry for the registry file reader: any bytes, as they are or
// (by the first byte) as text in UTF-16 LE with its byte-order mark or in
// UTF-8 with its mark. The reader must not crash, hang or read past the
// input (the bytes live in a buffer of their exact size); every error
// names a line of the file; and what it read of a REGEDIT4 file, written
// again by the writer, reads back the same.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "settings/reg_file_format.h"
#include "settings/reg_file_reader.h"
#include "settings/reg_file_writer.h"
#include "settings/value_list.h"

namespace {

using varnox::RegistryEdit;

using varnox::fuzz::Finding;
using varnox::fuzz::kSame;

// The value lines and key deletions, which a writer keeps (key lines it
// writes where it needs them).
std::vector<RegistryEdit> Kept(const varnox::RegFileContents& contents) {
  std::vector<RegistryEdit> edits;
  for (const varnox::RegFileEntry& entry : contents.entries) {
    // A root's own values have no key line the writer can spell.
    if (entry.edit.kind != RegistryEdit::Kind::CreateKey && !entry.edit.keyPath.empty()) edits.push_back(entry.edit);
  }
  return edits;
}

// The same edits, key paths compared without regard to case as the
// registry (and the writer, which puts values of one key under one line)
// compares them.
bool SameEdits(const std::vector<RegistryEdit>& a, const std::vector<RegistryEdit>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const RegistryEdit& x, RegistryEdit y) {
    if (!varnox::EqualsIgnoringAsciiCase(x.keyPath, y.keyPath)) return false;
    y.keyPath = x.keyPath;
    return x == y;
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::vector<std::uint8_t> bytes = varnox::fuzz::FileBytes(data, size);
  const varnox::RegFileContents contents = varnox::ParseRegFile(bytes, kSame);
  const auto lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
  for (const varnox::RegFileError& error : contents.errors) {
    if (error.line < 1 || error.line > lines) Finding("an error outside the file's lines");
  }
  int last = 0;
  for (const varnox::RegFileEntry& entry : contents.entries) {
    if (entry.line < last || entry.line > lines) Finding("an entry out of line order");
    last = entry.line;
  }
  if (!varnox::fuzz::AsTheyAre(data) || !contents.recognised || bytes.size() < 8 ||
      std::string(bytes.begin(), bytes.begin() + 8) != "REGEDIT4") {
    return 0;
  }
  const std::vector<RegistryEdit> edits = Kept(contents);
  const std::vector<std::uint8_t> again = varnox::RegFileBytes(varnox::RegFileFormat::Regedit4, edits, kSame);
  const varnox::RegFileContents reread = varnox::ParseRegFile(again, kSame);
  if (!reread.errors.empty()) Finding("the writer's file of what was read does not read");
  if (!SameEdits(Kept(reread), edits)) Finding("what was read, written and read again differs");
  return 0;
}
