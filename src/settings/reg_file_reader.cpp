#include "settings/reg_file_reader.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "settings/reg_file_format.h"

namespace varnox {

namespace {

constexpr const char* kFaultTexts[kRegFileFaultCount] = {
    "not a registry file",
    "the file ends in half a character",
    "not a key, value or comment line",
    "a value before any key",
    "a key without its closing ]",
    "unknown root key",
    "a key name with an empty part",
    "unterminated string",
    "unknown escape (only \\\\ and \\\" are known)",
    "unexpected text after the value",
    "no = after the value name",
    "unknown type of value data",
    "dword: needs 1 to 8 hexadecimal digits",
    "hex( needs 1 to 8 hexadecimal digits and )",
    "a byte of hex data that is not 1 or 2 hexadecimal digits",
    "text data in half a character",
    "the last line goes on past the end of the file",
};

bool Blank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (Blank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithWord(std::string_view s, std::string_view word) {
  if (s.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (Lower(s[i]) != Lower(word[i])) return false;
  }
  return true;
}

bool SameWord(std::string_view a, std::string_view b) { return a.size() == b.size() && StartsWithWord(a, b); }

// 1 to 8 hexadecimal digits and nothing else (`max` of them at most).
bool HexNumber(std::string_view digits, std::size_t max, std::uint32_t& number) {
  if (digits.empty() || digits.size() > max) return false;
  number = 0;
  for (char c : digits) {
    const char l = Lower(c);
    const int digit = c >= '0' && c <= '9' ? c - '0' : l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
    if (digit < 0) return false;
    number = number << 4 | static_cast<std::uint32_t>(digit);
  }
  return true;
}

// Thrown inside one line's reading and caught at its end.
struct LineFault {
  RegFileFault fault;
};

class Reader {
 public:
  Reader(std::span<const std::uint8_t> bytes, const AnsiCodec& codec) : codec_(codec), lead_(codec) { Decode(bytes); }

  RegFileContents Run() {
    std::size_t next = 0;
    const std::string_view header = lines_.empty() ? std::string_view() : Trim(lines_[0]);
    const bool version5 = header == kVersion5Header;
    if (!version5 && header != kRegedit4Header) {
      Fault(1, RegFileFault::NotARegistryFile);
      return std::move(out_);
    }
    out_.recognised = true;
    out_.unicode = unicodeText_ || version5;
    wideData_ = version5;
    unicodeText_ = unicodeText_ || version5;
    next = 1;
    bool inKey = false;  // a readable key line came last
    bool keyFault = false;
    while (next < lines_.size()) {
      const int number = static_cast<int>(++next);
      const std::string_view line = Trim(lines_[next - 1]);
      try {
        if (line.empty()) continue;
        if (line.front() == ';') {
          if (out_.firstComment.empty()) out_.firstComment = ProgramText(Trim(line.substr(1)));
        } else if (line.front() == '[') {
          inKey = false;
          keyFault = true;
          KeyLine(line, number);
          inKey = true;
          keyFault = false;
        } else if (line.front() == '"' || line.front() == '@') {
          RegFileEntry entry = ValueLine(line, next, number);
          if (keyFault) continue;  // the key line's own fault stands for it
          if (!inKey) throw LineFault{RegFileFault::ValueOutsideKey};
          const RegistryEdit& key = out_.entries.back().edit;
          entry.edit.root = key.root;
          entry.edit.keyPath = key.keyPath;
          out_.entries.push_back(std::move(entry));
        } else {
          throw LineFault{RegFileFault::NotAKeyOrValue};
        }
      } catch (const LineFault& fault) {
        Fault(number, fault.fault);
      }
    }
    return std::move(out_);
  }

 private:
  // The text as lines: UTF-8 when the file was Unicode, else as its bytes.
  void Decode(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
      text_ = Utf16ToUtf8(bytes.subspan(2));
      unicodeText_ = true;
      oddLength_ = bytes.size() % 2 != 0;
    } else if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
      text_.assign(bytes.begin() + 3, bytes.end());
      unicodeText_ = true;
    } else {
      text_.assign(bytes.begin(), bytes.end());
    }
    for (std::size_t start = 0; start <= text_.size();) {
      const std::size_t end = std::min(text_.find('\n', start), text_.size());
      lines_.push_back(std::string_view(text_).substr(start, end - start));
      start = end + 1;
    }
    // A line break ends the last line; no line follows it.
    if (!text_.empty() && text_.back() == '\n') lines_.pop_back();
    if (oddLength_) Fault(static_cast<int>(lines_.size()), RegFileFault::OddLength);
  }

  void Fault(int line, RegFileFault fault) { out_.errors.push_back({line, fault}); }

  // Registry text (names, paths, data) of the file, as the ANSI calls see it.
  std::string RegistryText(std::string_view text) const {
    return unicodeText_ ? codec_.fromUtf8(std::string(text)) : std::string(text);
  }
  std::string ProgramText(std::string_view text) const {
    return unicodeText_ ? std::string(text) : codec_.toUtf8(std::string(text));
  }

  void KeyLine(std::string_view line, int number) {
    if (line.back() != ']') throw LineFault{RegFileFault::UnclosedKey};
    std::string_view name = line.substr(1, line.size() - 2);
    RegistryEdit edit{RegistryEdit::Kind::CreateKey};
    if (!name.empty() && name.front() == '-') {
      edit.kind = RegistryEdit::Kind::DeleteKey;
      name.remove_prefix(1);
    }
    const std::size_t slash = std::min(name.find('\\'), name.size());
    const std::string_view root = name.substr(0, slash);
    for (const RegRootName& known : kRegRootNames) {
      if (SameWord(root, known.longName) || SameWord(root, known.shortName)) edit.root = known.root;
    }
    if (edit.root == 0) throw LineFault{RegFileFault::UnknownRoot};
    const std::string_view path = slash < name.size() ? name.substr(slash + 1) : std::string_view();
    if (slash < name.size() &&
        (path.empty() || path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos)) {
      throw LineFault{RegFileFault::EmptyKeyName};
    }
    edit.keyPath = RegistryText(path);
    out_.entries.push_back({std::move(edit), number});
  }

  // `s` starts at an opening quote; it is left just past the closing one.
  std::string Quoted(std::string_view& s) const {
    std::string text;
    for (std::size_t i = 1; i < s.size(); ++i) {
      char c = s[i];
      // ANSI text: a trail byte is part of its character, whatever it equals.
      if (!unicodeText_ && lead_(c) && i + 1 < s.size()) {
        text.append(s.substr(i++, 2));
        continue;
      }
      if (c == '"') {
        s.remove_prefix(i + 1);
        return text;
      }
      if (c == '\\') {
        if (i + 1 == s.size()) break;
        c = s[++i];
        if (c != '\\' && c != '"') throw LineFault{RegFileFault::UnknownEscape};
      }
      text.push_back(c);
    }
    throw LineFault{RegFileFault::UnterminatedString};
  }

  // A value line, with the lines that continue it; `next` moves past them.
  RegFileEntry ValueLine(std::string_view rest, std::size_t& next, int number) {
    RegFileEntry entry{{RegistryEdit::Kind::SetValue}, number};
    RegistryEdit& edit = entry.edit;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else {
      edit.name = RegistryText(Quoted(rest));
    }
    rest = Trim(rest);
    if (rest.empty() || rest.front() != '=') throw LineFault{RegFileFault::MissingEquals};
    rest = Trim(rest.substr(1));
    if (rest == "-") {
      edit.kind = RegistryEdit::Kind::DeleteValue;
    } else if (!rest.empty() && rest.front() == '"') {
      const std::string text = RegistryText(Quoted(rest));
      if (!Trim(rest).empty()) throw LineFault{RegFileFault::TextAfterData};
      edit.type = kRegSz;
      edit.data.assign(text.begin(), text.end());
      edit.data.push_back(0);
    } else if (StartsWithWord(rest, "dword:")) {
      std::uint32_t number32 = 0;
      if (!HexNumber(Trim(rest.substr(6)), 8, number32)) throw LineFault{RegFileFault::BadDword};
      edit.type = kRegDword;
      for (int shift = 0; shift < 32; shift += 8) edit.data.push_back(static_cast<std::uint8_t>(number32 >> shift));
    } else if (StartsWithWord(rest, "hex")) {
      HexData(rest.substr(3), next, edit);
    } else {
      throw LineFault{RegFileFault::UnknownType};
    }
    return entry;
  }

  // After "hex": "(t)" or nothing, ":", then bytes by commas, going on over
  // lines that end in a backslash. The whole list is read even when a byte
  // is bad, so that its continuation lines are not taken for lines of their own.
  void HexData(std::string_view rest, std::size_t& next, RegistryEdit& edit) {
    edit.type = kRegBinary;
    std::optional<LineFault> fault;
    if (!rest.empty() && rest.front() == '(') {
      const std::size_t close = std::min(rest.find(')'), rest.size());
      if (close == rest.size() || !HexNumber(rest.substr(1, close - 1), 8, edit.type)) {
        fault = LineFault{RegFileFault::BadHexType};
      }
      rest.remove_prefix(std::min(close + 1, rest.size()));
    }
    if (!fault && (rest.empty() || rest.front() != ':')) fault = LineFault{RegFileFault::UnknownType};
    std::string list(rest.empty() ? rest : rest.substr(1));
    while (!list.empty() && list.back() == '\\') {
      list.pop_back();
      if (next == lines_.size()) throw LineFault{RegFileFault::EndsInsideContinued};
      list += Trim(lines_[next++]);
    }
    if (fault) throw *fault;
    if (!Trim(list).empty()) {
      std::string_view items = list;
      // A comma may close the list as it closes each continued line.
      if (Trim(items).back() == ',') items = Trim(items).substr(0, Trim(items).size() - 1);
      for (std::size_t start = 0; start <= items.size();) {
        const std::size_t comma = std::min(items.find(',', start), items.size());
        std::uint32_t byte = 0;
        if (!HexNumber(Trim(items.substr(start, comma - start)), 2, byte)) throw LineFault{RegFileFault::BadByte};
        edit.data.push_back(static_cast<std::uint8_t>(byte));
        start = comma + 1;
      }
    }
    if (wideData_ && (edit.type == kRegSz || edit.type == kRegExpandSz || edit.type == kRegMultiSz)) {
      edit.data = AnsiOfWide(edit.data);
    }
  }

  // A version 5.00 file holds text types as UTF-16; the registry, as ANSI.
  std::vector<std::uint8_t> AnsiOfWide(const std::vector<std::uint8_t>& wide) const {
    auto ansi = AnsiTextData(wide, codec_);
    if (!ansi) throw LineFault{RegFileFault::OddTextData};
    return std::move(*ansi);
  }

  const AnsiCodec& codec_;
  LeadBytes lead_;
  std::string text_;
  std::vector<std::string_view> lines_;
  bool unicodeText_ = false;
  bool wideData_ = false;
  bool oddLength_ = false;
  RegFileContents out_;
};

}  // namespace

const char* RegFileFaultText(RegFileFault fault) {
  const auto index = static_cast<std::size_t>(fault);
  return index < kRegFileFaultCount ? kFaultTexts[index] : "";
}

RegFileContents ParseRegFile(std::span<const std::uint8_t> bytes, const AnsiCodec& codec) {
  return Reader(bytes, codec).Run();
}

std::optional<std::vector<std::uint8_t>> AnsiTextData(std::span<const std::uint8_t> wide, const AnsiCodec& codec) {
  if (wide.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> ansi;
  for (std::size_t from = 0; from < wide.size();) {
    std::size_t nul = from;
    while (nul < wide.size() && (wide[nul] != 0 || wide[nul + 1] != 0)) nul += 2;
    if (nul != from) {
      const std::string piece = codec.fromUtf8(Utf16ToUtf8(wide.subspan(from, nul - from)));
      ansi.insert(ansi.end(), piece.begin(), piece.end());
    }
    if (nul == wide.size()) break;
    ansi.push_back(0);
    from = nul + 2;
  }
  return ansi;
}

}  // namespace varnox
