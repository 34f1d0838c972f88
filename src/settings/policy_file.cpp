#include "settings/policy_file.h"

#include <algorithm>

#include "base/ascii.h"

namespace varnox {

namespace {

constexpr std::uint8_t kHeader[] = {'P', 'R', 'e', 'g', 1, 0, 0, 0};

// Reads a file front to back; every step checks what is left first.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool AtEnd() const { return at_ == bytes_.size(); }
  std::size_t At() const { return at_; }

  bool Unit(char16_t expected) {
    if (bytes_.size() - at_ < 2 || (bytes_[at_] | bytes_[at_ + 1] << 8) != expected) return false;
    at_ += 2;
    return true;
  }
  // UTF-16 text up to its NUL, which is passed.
  std::optional<std::string> Text() {
    for (std::size_t end = at_; bytes_.size() - end >= 2; end += 2) {
      if (bytes_[end] != 0 || bytes_[end + 1] != 0) continue;
      std::string text = Utf16ToUtf8(bytes_.subspan(at_, end - at_));
      at_ = end + 2;
      return text;
    }
    return std::nullopt;
  }
  std::optional<std::uint32_t> Dword() {
    if (bytes_.size() - at_ < 4) return std::nullopt;
    const std::uint32_t value =
        bytes_[at_] | bytes_[at_ + 1] << 8 | bytes_[at_ + 2] << 16 | static_cast<std::uint32_t>(bytes_[at_ + 3]) << 24;
    at_ += 4;
    return value;
  }
  std::optional<std::span<const std::uint8_t>> Bytes(std::uint32_t count) {
    if (bytes_.size() - at_ < count) return std::nullopt;
    const auto part = bytes_.subspan(at_, count);
    at_ += count;
    return part;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

std::optional<PolicyRecord> ReadRecord(Reader& reader) {
  PolicyRecord record;
  record.offset = reader.At();
  if (!reader.Unit('[')) return std::nullopt;
  auto key = reader.Text();
  if (!key || !reader.Unit(';')) return std::nullopt;
  auto name = reader.Text();
  if (!name || !reader.Unit(';')) return std::nullopt;
  const auto type = reader.Dword();
  if (!type || !reader.Unit(';')) return std::nullopt;
  const auto size = reader.Dword();
  if (!size || !reader.Unit(';')) return std::nullopt;
  const auto data = reader.Bytes(*size);
  if (!data || !reader.Unit(']')) return std::nullopt;
  record.size = reader.At() - record.offset;
  record.key = std::move(*key);
  record.valueName = std::move(*name);
  record.type = *type;
  record.data = *data;
  return record;
}

void AppendUnit(std::vector<std::uint8_t>& out, char16_t unit) {
  out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
  out.push_back(static_cast<std::uint8_t>(unit >> 8));
}

void AppendDword(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift & 0xFF));
}

// The value a record is about: "**del.NAME" is about NAME.
std::string_view AboutValue(std::string_view name) {
  const bool deletion = name.size() >= kPolicyDeletePrefix.size() &&
                        EqualsIgnoringAsciiCase(name.substr(0, kPolicyDeletePrefix.size()), kPolicyDeletePrefix);
  return deletion ? name.substr(kPolicyDeletePrefix.size()) : name;
}

bool RecordOfEdit(const RegistryEdit& edit) {
  return edit.kind == RegistryEdit::Kind::SetValue || edit.kind == RegistryEdit::Kind::DeleteValue;
}

}  // namespace

std::optional<std::vector<PolicyRecord>> ParsePolicyFile(std::span<const std::uint8_t> bytes) {
  std::vector<PolicyRecord> records;
  if (bytes.empty()) return records;
  if (bytes.size() < sizeof kHeader || !std::equal(std::begin(kHeader), std::end(kHeader), bytes.begin())) {
    return std::nullopt;
  }
  Reader reader(bytes);
  reader.Bytes(sizeof kHeader);
  while (!reader.AtEnd()) {
    auto record = ReadRecord(reader);
    if (!record) return std::nullopt;
    records.push_back(std::move(*record));
  }
  return records;
}

std::vector<std::uint8_t> PolicyRecordBytes(const RegistryEdit& edit, const AnsiCodec& codec) {
  std::vector<std::uint8_t> out;
  if (!RecordOfEdit(edit)) return out;
  const bool deletion = edit.kind == RegistryEdit::Kind::DeleteValue;
  AppendUnit(out, '[');
  AppendUtf16(out, codec.toUtf8(edit.keyPath));
  AppendUnit(out, 0);
  AppendUnit(out, ';');
  AppendUtf16(out, (deletion ? std::string(kPolicyDeletePrefix) : std::string()) + codec.toUtf8(edit.name));
  AppendUnit(out, 0);
  AppendUnit(out, ';');
  // A deletion carries one blank as text, as Group Policy's own editors
  // write it.
  std::vector<std::uint8_t> data;
  if (deletion) {
    AppendUtf16(data, " ");
    AppendUnit(data, 0);
  } else {
    data = TextType(edit.type) ? WideTextData(edit.data, codec) : edit.data;
  }
  AppendDword(out, deletion ? kRegSz : edit.type);
  AppendUnit(out, ';');
  AppendDword(out, static_cast<std::uint32_t>(data.size()));
  AppendUnit(out, ';');
  out.insert(out.end(), data.begin(), data.end());
  AppendUnit(out, ']');
  return out;
}

std::optional<std::vector<std::uint8_t>> MergePolicyFile(std::span<const std::uint8_t> existing,
                                                         const std::vector<RegistryEdit>& edits,
                                                         const AnsiCodec& codec) {
  const auto records = ParsePolicyFile(existing);
  if (!records) return std::nullopt;
  struct Named {
    std::string key;
    std::string value;
  };
  std::vector<Named> replaced;
  for (const RegistryEdit& edit : edits) {
    if (RecordOfEdit(edit)) replaced.push_back({codec.toUtf8(edit.keyPath), codec.toUtf8(edit.name)});
  }
  std::vector<std::uint8_t> out(std::begin(kHeader), std::end(kHeader));
  for (const PolicyRecord& record : *records) {
    const std::string_view value = AboutValue(record.valueName);
    const bool isReplaced = std::any_of(replaced.begin(), replaced.end(), [&](const Named& named) {
      return EqualsIgnoringAsciiCase(named.value, value) && EqualsIgnoringAsciiCase(named.key, record.key);
    });
    if (!isReplaced)
      out.insert(out.end(), existing.begin() + record.offset, existing.begin() + record.offset + record.size);
  }
  for (const RegistryEdit& edit : edits) {
    const std::vector<std::uint8_t> record = PolicyRecordBytes(edit, codec);
    out.insert(out.end(), record.begin(), record.end());
  }
  return out;
}

}  // namespace varnox
