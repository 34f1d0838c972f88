// libFuzzer entry for registry policy files: the first byte picks the edits
// to save, the rest is the file already in the folder. The parser and the
// merge must not crash or read past the input (the bytes live in a buffer of
// their exact size); a file the parser refuses must not be rewritten; and a
// merged file must parse, hold each record of the old file that no edit
// names byte for byte and in order, then exactly the edits' records.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/ascii.h"
#include "fuzz_input.h"
#include "settings/policy_file.h"

namespace {

using varnox::RegistryEdit;

using varnox::fuzz::Finding;
using varnox::fuzz::kSame;

std::vector<RegistryEdit> Edits(std::uint8_t pick) {
  const RegistryEdit level{RegistryEdit::Kind::SetValue,
                           varnox::kHkeyLocalMachine,
                           "Software\\Varnox",
                           "Level",
                           varnox::kRegDword,
                           {1, 0, 0, 0}};
  const RegistryEdit text{RegistryEdit::Kind::SetValue, varnox::kHkeyLocalMachine, "K", "", varnox::kRegSz, {'a', 0}};
  const RegistryEdit gone{RegistryEdit::Kind::DeleteValue, varnox::kHkeyLocalMachine, "k", "V", varnox::kRegNone, {}};
  switch (pick % 4) {
    case 0:
      return {};
    case 1:
      return {level};
    case 2:
      return {text, gone};
    default:
      return {level, text, gone};
  }
}

std::string_view AboutValue(std::string_view name) {
  const auto prefix = varnox::kPolicyDeletePrefix;
  if (name.size() >= prefix.size() && varnox::EqualsIgnoringAsciiCase(name.substr(0, prefix.size()), prefix)) {
    return name.substr(prefix.size());
  }
  return name;
}

bool Named(const varnox::PolicyRecord& record, const std::vector<RegistryEdit>& edits) {
  for (const RegistryEdit& edit : edits) {
    if (varnox::EqualsIgnoringAsciiCase(edit.keyPath, record.key) &&
        varnox::EqualsIgnoringAsciiCase(edit.name, AboutValue(record.valueName))) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::vector<RegistryEdit> edits = Edits(data[0]);
  const std::span<const std::uint8_t> existing(data + 1, size - 1);
  const auto records = varnox::ParsePolicyFile(existing);
  const auto merged = varnox::MergePolicyFile(existing, edits, kSame);
  if (records.has_value() != merged.has_value()) Finding("the merge and the parser disagree about the file");
  if (!merged) return 0;
  const auto after = varnox::ParsePolicyFile(*merged);
  if (!after) Finding("the merged file does not parse");
  std::size_t at = 0;
  for (const varnox::PolicyRecord& record : *records) {
    if (Named(record, edits)) continue;
    if (at >= after->size()) Finding("a record of the old file is lost");
    const varnox::PolicyRecord& kept = (*after)[at++];
    if (kept.size != record.size ||
        !std::equal(existing.begin() + static_cast<std::ptrdiff_t>(record.offset),
                    existing.begin() + static_cast<std::ptrdiff_t>(record.offset + record.size),
                    merged->begin() + static_cast<std::ptrdiff_t>(kept.offset))) {
      Finding("a record of the old file changed");
    }
  }
  for (const RegistryEdit& edit : edits) {
    if (at >= after->size()) Finding("an edit's record is missing");
    const varnox::PolicyRecord& added = (*after)[at++];
    const std::vector<std::uint8_t> expected = varnox::PolicyRecordBytes(edit, kSame);
    if (added.size != expected.size() ||
        !std::equal(expected.begin(), expected.end(), merged->begin() + static_cast<std::ptrdiff_t>(added.offset))) {
      Finding("an edit's record is not what the writer makes");
    }
  }
  if (at != after->size()) Finding("the merged file holds records of nothing");
  return 0;
}
