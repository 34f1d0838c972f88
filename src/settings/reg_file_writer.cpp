#include "settings/reg_file_writer.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/concat.h"
#include "settings/reg_file_format.h"
#include "settings/value_list.h"

namespace varnox {

namespace {

// regedit breaks a hex line once it reaches this many characters, after a
// comma, with a backslash; the next line goes on two blanks in.
constexpr std::size_t kHexLineLimit = 77;
constexpr char kHexDigits[] = "0123456789abcdef";

// A file's text before its encoding: ANSI for REGEDIT4, UTF-8 for 5.00.
class Document {
 public:
  Document(RegFileFormat format, const AnsiCodec& codec)
      : format_(format),
        codec_(codec),
        lead_(format == RegFileFormat::Regedit4 ? LeadBytes(codec) : LeadBytes(AnsiCodec{})) {}
  // The code page's lead bytes where the file holds its ANSI text.
  const LeadBytes* Lead() const { return format_ == RegFileFormat::Regedit4 ? &lead_ : nullptr; }

  // Registry text (names, paths, data) in the document's encoding.
  std::string FromRegistry(const std::string& ansi) const {
    return format_ == RegFileFormat::Version5 ? codec_.toUtf8(ansi) : ansi;
  }
  // The program's own text in the document's encoding.
  std::string FromProgram(const std::string& utf8) const {
    return format_ == RegFileFormat::Version5 ? utf8 : codec_.fromUtf8(utf8);
  }
  bool Unicode() const { return format_ == RegFileFormat::Version5; }

  void Line(const std::string& text) {
    text_ += text;
    text_ += "\r\n";
    lastBlank_ = text.empty();
  }
  void BlankLine() {
    if (!lastBlank_) Line({});
  }
  // How wide `text` is on its line: characters, not bytes, in UTF-8.
  std::size_t Width(const std::string& text) const {
    if (!Unicode()) return text.size();
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  }

  std::vector<std::uint8_t> Bytes() const {
    if (!Unicode()) return {text_.begin(), text_.end()};
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    AppendUtf16(bytes, text_);
    return bytes;
  }

 private:
  RegFileFormat format_;
  const AnsiCodec& codec_;
  LeadBytes lead_;
  std::string text_;
  bool lastBlank_ = false;
};

// `lead` is empty for text that has no two-byte characters (UTF-8).
std::string Escaped(const std::string& text, const LeadBytes* lead) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (lead != nullptr && (*lead)(c) && i + 1 < text.size()) {
      out += text.substr(i++, 2);
      continue;
    }
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

// Text data that reads back the same from "text": one closing NUL, no NUL
// before it, and no line break that would end the line.
bool PlainText(const RegistryEdit& edit) {
  const auto& data = edit.data;
  if (edit.type != kRegSz || data.empty() || data.back() != 0) return false;
  return std::none_of(data.begin(), data.end() - 1, [](std::uint8_t b) { return b == 0 || b == '\r' || b == '\n'; });
}

void HexLine(Document& document, std::string line, const std::vector<std::uint8_t>& data) {
  std::size_t width = document.Width(line);
  for (std::size_t i = 0; i < data.size(); ++i) {
    line.push_back(kHexDigits[data[i] >> 4]);
    line.push_back(kHexDigits[data[i] & 0xF]);
    if (i + 1 == data.size()) break;
    line.push_back(',');
    width += 3;
    if (width >= kHexLineLimit) {
      document.Line(line + "\\");
      line = "  ";
      width = line.size();
    }
  }
  document.Line(line);
}

void ValueLine(Document& document, const RegistryEdit& edit, const AnsiCodec& codec) {
  std::string line = edit.name.empty() ? "@" : "\"" + Escaped(document.FromRegistry(edit.name), document.Lead()) + "\"";
  line += '=';
  if (edit.kind == RegistryEdit::Kind::DeleteValue) {
    document.Line(line + "-");
    return;
  }
  const auto& data = edit.data;
  if (PlainText(edit)) {
    const std::string text(data.begin(), data.end() - 1);
    document.Line(Concat({line, "\"", Escaped(document.FromRegistry(text), document.Lead()), "\""}));
  } else if (edit.type == kRegDword && data.size() == 4) {
    std::string number = "dword:";
    for (int byte = 3; byte >= 0; --byte) {
      number.push_back(kHexDigits[data[static_cast<std::size_t>(byte)] >> 4]);
      number.push_back(kHexDigits[data[static_cast<std::size_t>(byte)] & 0xF]);
    }
    document.Line(line + number);
  } else if (edit.type == kRegBinary) {
    HexLine(document, line + "hex:", data);
  } else {
    std::string kind;
    for (std::uint32_t rest = edit.type; kind.empty() || rest != 0; rest >>= 4)
      kind.insert(kind.begin(), kHexDigits[rest & 0xF]);
    const bool wide = document.Unicode() && TextType(edit.type);
    HexLine(document, Concat({line, "hex(", kind, "):"}), wide ? WideTextData(data, codec) : data);
  }
}

bool SameKey(const RegistryEdit& a, const RegistryEdit& b) {
  return a.root == b.root && EqualsIgnoringAsciiCase(a.keyPath, b.keyPath);
}

}  // namespace

std::string RootName(RegKey root) {
  for (const RegRootName& name : kRegRootNames) {
    if (name.root == root) return std::string(name.longName);
  }
  return {};
}

LeadBytes::LeadBytes(const AnsiCodec& codec) {
  if (!codec.toUtf8) return;
  for (int c = 0x80; c < 0x100; ++c) {
    const std::string text = codec.toUtf8(std::string{static_cast<char>(c), '\\'});
    lead_[static_cast<std::size_t>(c)] = text.empty() || text.back() != '\\';
  }
}

std::vector<std::uint8_t> RegFileBytes(RegFileFormat format, const std::vector<RegistryEdit>& edits,
                                       const AnsiCodec& codec) {
  Document document(format, codec);
  document.Line(std::string(format == RegFileFormat::Version5 ? kVersion5Header : kRegedit4Header));
  document.BlankLine();
  const RegistryEdit* section = nullptr;
  for (const RegistryEdit& edit : edits) {
    if (edit.kind == RegistryEdit::Kind::Comment) {
      if (section != nullptr) document.BlankLine();
      document.Line("; " + document.FromProgram(edit.name));
      section = nullptr;
      continue;
    }
    if (edit.kind == RegistryEdit::Kind::DeleteKey) {
      document.BlankLine();
      document.Line(Concat({"[-", RootName(edit.root), "\\", document.FromRegistry(edit.keyPath), "]"}));
      section = nullptr;
      continue;
    }
    if (section == nullptr || edit.kind == RegistryEdit::Kind::CreateKey || !SameKey(*section, edit)) {
      document.BlankLine();
      document.Line(Concat({"[", RootName(edit.root), "\\", document.FromRegistry(edit.keyPath), "]"}));
      section = &edit;
    }
    if (edit.kind != RegistryEdit::Kind::CreateKey) ValueLine(document, edit, codec);
  }
  document.BlankLine();
  return document.Bytes();
}

}  // namespace varnox
