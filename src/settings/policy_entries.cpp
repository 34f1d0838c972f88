#include "settings/policy_entries.h"

#include <string>
#include <string_view>

#include "base/ascii.h"

namespace varnox {

namespace {

constexpr std::string_view kInstructionMark = "**";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// The entry of one record, or nullopt when its text data is half a character.
std::optional<RegistryEdit> EditOf(const PolicyRecord& record, RegKey root, const AnsiCodec& codec) {
  RegistryEdit edit{RegistryEdit::Kind::SetValue, root, codec.fromUtf8(record.key)};
  const std::string_view name = record.valueName;
  if (StartsWithIgnoringCase(name, kPolicyDeletePrefix)) {
    edit.kind = RegistryEdit::Kind::DeleteValue;
    edit.name = codec.fromUtf8(std::string(name.substr(kPolicyDeletePrefix.size())));
    return edit;
  }
  if (name.empty() && (record.type == kRegNone || record.data.empty())) {
    edit.kind = RegistryEdit::Kind::CreateKey;
    return edit;
  }
  // Its data means nothing; as LGPO text's DELETEALLVALUES it has none.
  if (EqualsIgnoringAsciiCase(name, kPolicyDeleteAllValues)) {
    edit.kind = RegistryEdit::Kind::Comment;
    edit.name = kPolicyDeleteAllValues;
    return edit;
  }
  edit.type = record.type;
  if (TextType(record.type)) {
    auto ansi = AnsiTextData(record.data, codec);
    if (!ansi) return std::nullopt;
    edit.data = std::move(*ansi);
  } else {
    edit.data.assign(record.data.begin(), record.data.end());
  }
  if (StartsWithIgnoringCase(name, kInstructionMark)) {
    edit.kind = RegistryEdit::Kind::Comment;
    edit.name = record.valueName;
  } else {
    edit.name = codec.fromUtf8(record.valueName);
  }
  return edit;
}

}  // namespace

RegFileContents PolicyFileEntries(std::span<const std::uint8_t> bytes, RegKey root, const AnsiCodec& codec) {
  RegFileContents contents;
  const auto records = ParsePolicyFile(bytes);
  if (!records) {
    contents.errors.push_back({1, RegFileFault::NotAPolicyFile});
    return contents;
  }
  contents.recognised = true;
  contents.unicode = true;
  int number = 0;
  for (const PolicyRecord& record : *records) {
    ++number;
    if (auto edit = EditOf(record, root, codec)) {
      contents.entries.push_back({std::move(*edit), number});
    } else {
      contents.errors.push_back({number, RegFileFault::OddTextData});
    }
  }
  return contents;
}

}  // namespace varnox
