#include "reg_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

namespace varnox {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT", "HKEY_USERS",
                                       "HKEY_CURRENT_CONFIG"};
constexpr std::uint32_t kRegSzType = 1;
constexpr std::uint32_t kRegBinaryType = 3;
constexpr std::uint32_t kRegDwordType = 4;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to `maxDigits` hexadecimal digits and nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view digits, std::size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    number = number * 16 + static_cast<std::uint32_t>(digit);
  }
  return number;
}

// Physical lines without their CR LF or LF.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : lines_(SplitLines(text)) {}

  RegFile Run() {
    lineNumber_ = 1;
    if (lines_.empty() || TrimRight(lines_[0]) != kHeader) {
      Problem("the first line must be REGEDIT4");
      return std::move(file_);
    }
    next_ = 1;
    while (next_ < lines_.size()) {
      lineNumber_ = static_cast<int>(next_) + 1;
      const std::string_view line = Trim(lines_[next_++]);
      if (line.empty() || line.front() == ';') continue;
      if (line.front() == '[') {
        ParseSection(line);
      } else if (line.front() == '"' || line.front() == '@') {
        ParseValue(line);
      } else {
        Problem("not a section, value or comment line");
      }
    }
    return std::move(file_);
  }

 private:
  // Values under a section that could not be read are dropped without a
  // problem each: the section line already has one.
  enum class Section { None, Broken, Open };

  void Problem(std::string message) { file_.problems.push_back({lineNumber_, std::move(message)}); }

  void ParseSection(std::string_view line) {
    section_ = Section::Broken;
    if (line.back() != ']') return Problem("section line without a closing ]");
    const std::string_view name = line.substr(1, line.size() - 2);
    if (!name.empty() && name.front() == '-') return Problem("deleting a key is not supported");
    const std::size_t slash = name.find('\\');
    const std::string_view root = name.substr(0, slash);
    const std::string_view path = slash == std::string_view::npos ? std::string_view() : name.substr(slash + 1);
    if (std::find(std::begin(kRoots), std::end(kRoots), root) == std::end(kRoots)) {
      return Problem("unknown root key '" + std::string(root) + "'");
    }
    if (slash != std::string_view::npos &&
        (path.empty() || path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos)) {
      return Problem("empty key name in '" + std::string(name) + "'");
    }
    file_.sections.push_back({std::string(root), std::string(path), {}, lineNumber_});
    section_ = Section::Open;
  }

  void ParseValue(std::string_view rest) {
    RegFileValue value;
    value.line = lineNumber_;
    if (rest.front() == '@') {
      rest.remove_prefix(1);
    } else {
      std::optional<std::string> name = ReadQuoted(rest);
      if (!name) return;
      value.name = std::move(*name);
    }
    rest = TrimLeft(rest);
    if (rest.empty() || rest.front() != '=') return Problem("expected = after the value name");
    rest = TrimLeft(rest.substr(1));
    // The data is read in full even when it will be dropped, so that the
    // continuation lines of a hex list are not taken for lines of their own.
    if (!ParseData(rest, value)) return;
    if (section_ == Section::None) return Problem("value line before any section");
    if (section_ == Section::Open) file_.sections.back().values.push_back(std::move(value));
  }

  // `s` starts at an opening quote; on success it is left just past the
  // closing one. regedit's REGEDIT4 strings escape only \ and ".
  std::optional<std::string> ReadQuoted(std::string_view& s) {
    std::string text;
    for (std::size_t i = 1; i < s.size(); ++i) {
      const char c = s[i];
      if (c == '"') {
        s.remove_prefix(i + 1);
        return text;
      }
      if (c == '\\') {
        if (i + 1 == s.size()) break;
        const char escaped = s[++i];
        if (escaped != '\\' && escaped != '"') {
          Problem(std::string("unsupported escape \\") + escaped + " (write \\\\ for a backslash)");
          return std::nullopt;
        }
        text += escaped;
      } else {
        text += c;
      }
    }
    Problem("unterminated string");
    return std::nullopt;
  }

  bool ParseData(std::string_view data, RegFileValue& value) {
    if (data == "-") {
      value.remove = true;
      return true;
    }
    if (!data.empty() && data.front() == '"') {
      std::optional<std::string> text = ReadQuoted(data);
      if (!text) return false;
      if (!data.empty()) {
        Problem("unexpected text after the string");
        return false;
      }
      value.type = kRegSzType;
      value.data.assign(text->begin(), text->end());
      value.data.push_back(0);
      return true;
    }
    if (data.starts_with("dword:")) {
      const std::optional<std::uint32_t> number = ParseHexNumber(data.substr(6), 8);
      if (!number) {
        Problem("dword: needs 1 to 8 hexadecimal digits");
        return false;
      }
      value.type = kRegDwordType;
      for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<std::uint8_t>(*number >> shift));
      return true;
    }
    if (data.starts_with("hex")) return ParseHex(data.substr(3), value);
    Problem("unknown kind of value data");
    return false;
  }

  // After "hex": an optional "(type)", ":", then comma-separated bytes that
  // may go on over lines ending in a backslash.
  bool ParseHex(std::string_view rest, RegFileValue& value) {
    value.type = kRegBinaryType;
    if (!rest.empty() && rest.front() == '(') {
      const std::size_t close = rest.find(')');
      const std::optional<std::uint32_t> type =
          close == std::string_view::npos ? std::nullopt : ParseHexNumber(rest.substr(1, close - 1), 8);
      if (!type) {
        Problem("hex(type) needs 1 to 8 hexadecimal digits");
        return false;
      }
      value.type = *type;
      rest.remove_prefix(close + 1);
    }
    if (rest.empty() || rest.front() != ':') {
      Problem("expected : after hex");
      return false;
    }
    std::string joined;
    std::string_view piece = rest.substr(1);
    while (!piece.empty() && piece.back() == '\\') {
      piece.remove_suffix(1);
      joined += piece;
      if (next_ == lines_.size()) {
        Problem("the file ends inside a continued line");
        return false;
      }
      piece = Trim(lines_[next_++]);
    }
    joined += piece;
    return ParseBytes(joined, value.data);
  }

  bool ParseBytes(std::string_view list, std::vector<std::uint8_t>& bytes) {
    if (Trim(list).empty()) return true;  // "hex:" is a value of no bytes
    std::size_t start = 0;
    while (start <= list.size()) {
      const std::size_t comma = std::min(list.find(',', start), list.size());
      const std::string_view token = Trim(list.substr(start, comma - start));
      const std::optional<std::uint32_t> byte = ParseHexNumber(token, 2);
      if (!byte) {
        Problem("bad byte '" + std::string(token) + "' in hex data");
        return false;
      }
      bytes.push_back(static_cast<std::uint8_t>(*byte));
      start = comma + 1;
    }
    return true;
  }

  std::vector<std::string_view> lines_;
  std::size_t next_ = 0;  // index of the next physical line to read
  int lineNumber_ = 0;    // the line a problem is reported against
  Section section_ = Section::None;
  RegFile file_;
};

}  // namespace

RegFile ParseRegText(std::string_view text) { return Parser(text).Run(); }

RegFile ReadRegFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return RegFile{{}, {{0, "cannot read " + path.string()}}};
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseRegText(text);
}

std::string DescribeProblems(const RegFile& file) {
  std::string text;
  for (const RegFileProblem& problem : file.problems) {
    text += "line " + std::to_string(problem.line) + ": " + problem.message + "\n";
  }
  return text;
}

}  // namespace varnox
