#include "settings/lgpo_text.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "base/ascii.h"
#include "base/concat.h"

namespace varnox {

namespace {

constexpr std::string_view kComputer = "Computer";
constexpr std::string_view kUser = "User";
constexpr std::string_view kKeyAction = "*";  // the value name of the key actions
constexpr std::string_view kSeparator = "\\0";
constexpr std::string_view kDword = "DWORD";
constexpr std::string_view kText = "SZ";
constexpr std::string_view kExpandText = "EXSZ";
constexpr std::string_view kMultiText = "MULTISZ";
constexpr std::string_view kDelete = "DELETE";
constexpr std::string_view kDeleteAllValues = "DELETEALLVALUES";
constexpr std::string_view kCreateKey = "CREATEKEY";

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (Blank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string_view WithoutCr(std::string_view s) {
  return !s.empty() && s.back() == '\r' ? s.substr(0, s.size() - 1) : s;
}

bool HasNul(std::string_view s) { return s.find('\0') != std::string_view::npos; }

std::optional<RegKey> ConfigurationRoot(std::string_view word) {
  if (EqualsIgnoringAsciiCase(word, kComputer)) return kHkeyLocalMachine;
  if (EqualsIgnoringAsciiCase(word, kUser)) return kHkeyCurrentUser;
  return std::nullopt;
}

// Key names between backslashes, none of them empty.
bool ReadableKeyPath(std::string_view path) {
  return !path.empty() && path.front() != '\\' && path.back() != '\\' && path.find("\\\\") == std::string_view::npos;
}

// Decimal, or 0x and 1 to 8 hexadecimal digits; 32 bits at most.
std::optional<std::uint32_t> Number(std::string_view digits) {
  std::uint64_t base = 10;
  if (digits.size() > 2 && digits[0] == '0' && AsciiLower(digits[1]) == 'x') {
    base = 16;
    digits.remove_prefix(2);
  }
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const char l = AsciiLower(c);
    const std::uint64_t digit = c >= '0' && c <= '9'   ? static_cast<std::uint64_t>(c - '0')
                                : l >= 'a' && l <= 'f' ? static_cast<std::uint64_t>(l - 'a' + 10)
                                                       : base;
    if (digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

// Strict UTF-8: no overlong forms, surrogates or code points past U+10FFFF.
bool ValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || s.size() - i < length) return false;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(s[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = code << 6 | (next & 0x3F);
    }
    if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code < 0xE000))) ||
        (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
      return false;
    }
    i += length;
  }
  return true;
}

// The strings of MULTISZ text; an empty one would end the list, so none is kept.
std::vector<std::string_view> MultiStrings(std::string_view text) {
  std::vector<std::string_view> strings;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find(kSeparator, start), text.size());
    if (end != start) strings.push_back(text.substr(start, end - start));
    start = end + kSeparator.size();
  }
  return strings;
}

class Reader {
 public:
  Reader(std::span<const std::uint8_t> bytes, const AnsiCodec& codec) : codec_(codec) { Decode(bytes); }

  RegFileContents Run() {
    bool first = true;
    for (std::size_t next = 0; next < lines_.size();) {
      const std::string_view line = Trim(lines_[next]);
      if (line.empty()) {
        ++next;
      } else if (line.front() == ';') {
        if (out_.firstComment.empty()) out_.firstComment = Trim(line.substr(1));
        ++next;
      } else if (first && !ConfigurationRoot(line)) {
        // Not text of this kind at all: nothing of it is read.
        Fault(next, RegFileFault::UnknownConfiguration);
        return std::move(out_);
      } else {
        first = false;
        next = Record(next);
      }
    }
    out_.recognised = true;
    return std::move(out_);
  }

 private:
  // The text as UTF-8 lines, the code page's through the codec.
  void Decode(std::span<const std::uint8_t> bytes) {
    bool oddLength = false;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
      text_ = Utf16ToUtf8(bytes.subspan(2));
      out_.unicode = true;
      oddLength = bytes.size() % 2 != 0;
    } else if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
      text_.assign(bytes.begin() + 3, bytes.end());
      out_.unicode = true;
    } else {
      text_.assign(bytes.begin(), bytes.end());
      out_.unicode = ValidUtf8(text_);
      if (!out_.unicode) text_ = codec_.toUtf8(text_);
    }
    for (std::size_t start = 0; start <= text_.size();) {
      const std::size_t end = std::min(text_.find('\n', start), text_.size());
      lines_.push_back(std::string_view(text_).substr(start, end - start));
      start = end + 1;
    }
    // A line break ends the last line; no line follows it.
    if (!text_.empty() && text_.back() == '\n') lines_.pop_back();
    if (oddLength) Fault(lines_.size() - 1, RegFileFault::OddLength);
  }

  void Fault(std::size_t index, RegFileFault fault) { out_.errors.push_back({static_cast<int>(index) + 1, fault}); }

  // The fault of a broken line: the rest of its record, up to a blank line, goes with it.
  std::size_t Skip(std::size_t index, RegFileFault fault) {
    Fault(index, fault);
    while (index < lines_.size() && !Trim(lines_[index]).empty()) ++index;
    return index;
  }

  std::string Registry(std::string_view utf8) const { return codec_.fromUtf8(std::string(utf8)); }

  // Reads the record that starts at `first`; returns where the next may start.
  std::size_t Record(std::size_t first) {
    const auto root = ConfigurationRoot(Trim(lines_[first]));
    if (!root) return Skip(first, RegFileFault::UnknownConfiguration);
    if (lines_.size() - first < 4) {
      Fault(first, RegFileFault::IncompleteRecord);
      return lines_.size();
    }
    const std::string_view path = Trim(lines_[first + 1]);
    const std::string_view name = WithoutCr(lines_[first + 2]);
    if (path.empty()) {
      // A blank line here ends the record.
      Fault(first, RegFileFault::IncompleteRecord);
      return first + 1;
    }
    if (HasNul(path)) return Skip(first + 1, RegFileFault::NulCharacter);
    if (!ReadableKeyPath(path)) return Skip(first + 1, RegFileFault::EmptyKeyName);
    if (HasNul(name)) return Skip(first + 2, RegFileFault::NulCharacter);
    const std::string_view action = Trim(lines_[first + 3]);
    if (action.empty() || ConfigurationRoot(action)) {
      // The action is missing: what stands in its place may start the next record.
      Fault(first, RegFileFault::IncompleteRecord);
      return first + 3;
    }
    RegistryEdit edit{RegistryEdit::Kind::SetValue, *root, Registry(path), Registry(name)};
    if (const auto fault = Action(WithoutCr(lines_[first + 3]), edit)) {
      Fault(first + 3, *fault);
    } else {
      out_.entries.push_back({std::move(edit), static_cast<int>(first) + 1});
    }
    return first + 4;
  }

  // Fills in the edit of an action line (without its CR); a fault when it does not read.
  std::optional<RegFileFault> Action(std::string_view line, RegistryEdit& edit) const {
    while (!line.empty() && Blank(line.front())) line.remove_prefix(1);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      const std::string_view word = Trim(line);
      if (EqualsIgnoringAsciiCase(word, kDelete)) {
        edit.kind = RegistryEdit::Kind::DeleteValue;
      } else if (EqualsIgnoringAsciiCase(word, kCreateKey)) {
        edit.kind = RegistryEdit::Kind::CreateKey;
        edit.name.clear();
      } else if (EqualsIgnoringAsciiCase(word, kDeleteAllValues)) {
        edit.kind = RegistryEdit::Kind::Comment;
        edit.name = kPolicyDeleteAllValues;
      } else {
        return RegFileFault::UnknownAction;
      }
      return std::nullopt;
    }
    const std::string_view word = line.substr(0, colon);
    const std::string_view rest = line.substr(colon + 1);
    if (HasNul(rest)) return RegFileFault::NulCharacter;
    if (EqualsIgnoringAsciiCase(word, kDword)) {
      const auto number = Number(Trim(rest));
      if (!number) return RegFileFault::BadNumber;
      edit.type = kRegDword;
      for (int shift = 0; shift < 32; shift += 8) edit.data.push_back(static_cast<std::uint8_t>(*number >> shift));
    } else if (EqualsIgnoringAsciiCase(word, kText) || EqualsIgnoringAsciiCase(word, kExpandText)) {
      edit.type = EqualsIgnoringAsciiCase(word, kText) ? kRegSz : kRegExpandSz;
      const std::string text = Registry(rest);
      edit.data.assign(text.begin(), text.end());
      edit.data.push_back(0);
    } else if (EqualsIgnoringAsciiCase(word, kMultiText)) {
      edit.type = kRegMultiSz;
      for (const std::string_view string : MultiStrings(rest)) {
        const std::string text = Registry(string);
        edit.data.insert(edit.data.end(), text.begin(), text.end());
        edit.data.push_back(0);
      }
      edit.data.push_back(0);
    } else {
      return RegFileFault::UnknownAction;
    }
    return std::nullopt;
  }

  const AnsiCodec& codec_;
  std::string text_;
  std::vector<std::string_view> lines_;
  RegFileContents out_;
};

// The text data of a value as LGPO text spells it (UTF-8), or nullopt when
// it would not read back the same.
std::optional<std::string> ActionOfValue(const RegistryEdit& edit, const AnsiCodec& codec) {
  const auto& data = edit.data;
  const auto plain = [](std::string_view text) { return text.find('\n') == std::string_view::npos && !HasNul(text); };
  if (edit.type == kRegDword) {
    if (data.size() != 4) return std::nullopt;
    const std::uint32_t number = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    return Concat({kDword, ":", std::to_string(number)});
  }
  if (edit.type == kRegSz || edit.type == kRegExpandSz) {
    if (data.empty() || data.back() != 0) return std::nullopt;
    const std::string text = codec.toUtf8(std::string(data.begin(), data.end() - 1));
    if (!plain(text)) return std::nullopt;
    return Concat({edit.type == kRegSz ? kText : kExpandText, ":", text});
  }
  if (edit.type == kRegMultiSz) {
    // Strings that are not empty, each with its NUL, then the list's own NUL.
    if (data.empty() || data.back() != 0) return std::nullopt;
    const auto last = data.end() - 1;
    std::string line = Concat({kMultiText, ":"});
    for (auto from = data.begin(); from != last;) {
      const auto nul = std::find(from, last, std::uint8_t{0});
      if (nul == from || nul == last) return std::nullopt;
      const std::string text = codec.toUtf8(std::string(from, nul));
      if (!plain(text) || text.find(kSeparator) != std::string::npos) return std::nullopt;
      if (from != data.begin()) line += kSeparator;
      line += text;
      from = nul + 1;
    }
    return line;
  }
  return std::nullopt;
}

// The value name and action lines of an edit, or nullopt when it is not written.
std::optional<std::pair<std::string, std::string>> NameAndAction(const RegistryEdit& edit, const AnsiCodec& codec) {
  using Kind = RegistryEdit::Kind;
  // The reader gives the entries of actions without data neither type nor data.
  const bool bare = edit.type == kRegNone && edit.data.empty();
  if (edit.kind == Kind::CreateKey) {
    if (!bare || !edit.name.empty()) return std::nullopt;
    return std::pair(std::string(kKeyAction), std::string(kCreateKey));
  }
  if (edit.kind == Kind::Comment) {
    if (!bare || !KeyInstruction(edit) || edit.name != kPolicyDeleteAllValues) return std::nullopt;
    return std::pair(std::string(kKeyAction), std::string(kDeleteAllValues));
  }
  if (edit.kind != Kind::SetValue && edit.kind != Kind::DeleteValue) return std::nullopt;
  const std::string name = codec.toUtf8(edit.name);
  if (name.find('\n') != std::string::npos || HasNul(name)) return std::nullopt;
  if (edit.kind == Kind::DeleteValue) {
    if (!bare) return std::nullopt;
    return std::pair(name, std::string(kDelete));
  }
  auto action = ActionOfValue(edit, codec);
  if (!action) return std::nullopt;
  return std::pair(name, std::move(*action));
}

// The path line of an edit, or nullopt when it would not read back the same.
std::optional<std::string> PathLine(const RegistryEdit& edit, const AnsiCodec& codec) {
  if (edit.root != kHkeyLocalMachine && edit.root != kHkeyCurrentUser) return std::nullopt;
  std::string path = codec.toUtf8(edit.keyPath);
  if (!ReadableKeyPath(path) || Trim(path) != path || HasNul(path) || path.find('\n') != std::string::npos) {
    return std::nullopt;
  }
  return path;
}

}  // namespace

RegFileContents ParseLgpoText(std::span<const std::uint8_t> bytes, const AnsiCodec& codec) {
  return Reader(bytes, codec).Run();
}

bool LgpoWritable(const RegistryEdit& edit, const AnsiCodec& codec) {
  return PathLine(edit, codec) && NameAndAction(edit, codec);
}

std::string LgpoText(const std::vector<RegistryEdit>& edits, const AnsiCodec& codec) {
  std::string text = "; Registry policy as LGPO text: Computer or User, key, value name, action\r\n";
  for (const RegistryEdit& edit : edits) {
    const auto path = PathLine(edit, codec);
    const auto lines = path ? NameAndAction(edit, codec) : std::nullopt;
    if (!lines) continue;
    text += Concat({"\r\n", edit.root == kHkeyLocalMachine ? kComputer : kUser, "\r\n", *path, "\r\n", lines->first,
                    "\r\n", lines->second, "\r\n"});
  }
  return text;
}

}  // namespace varnox
