#include "settings/baseline_file.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/concat.h"
#include "settings/lgpo_text.h"
#include "settings/policy_entries.h"

namespace varnox {

namespace {

constexpr std::uint8_t kPolicySignature[] = {'P', 'R', 'e', 'g'};

bool NameEndsWith(std::string_view name, std::string_view extension) {
  return name.size() >= extension.size() &&
         EqualsIgnoringAsciiCase(name.substr(name.size() - extension.size()), extension);
}

// The first line of a registry file as UTF-8, without blanks around it.
std::string FirstLine(std::span<const std::uint8_t> bytes) {
  std::string line;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    std::size_t end = 2;
    while (bytes.size() - end >= 2 && (bytes[end] != '\n' || bytes[end + 1] != 0)) end += 2;
    line = Utf16ToUtf8(bytes.subspan(2, end - 2));
  } else {
    const std::size_t mark = bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
    const auto end = std::find(bytes.begin() + static_cast<std::ptrdiff_t>(mark), bytes.end(), '\n');
    line.assign(bytes.begin() + static_cast<std::ptrdiff_t>(mark), end);
  }
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!line.empty() && blank(line.back())) line.pop_back();
  line.erase(line.begin(), std::find_if_not(line.begin(), line.end(), blank));
  return line;
}

}  // namespace

BaselineRead ReadBaseline(std::string_view fileName, std::span<const std::uint8_t> bytes,
                          std::optional<RegKey> policyRoot, const AnsiCodec& codec) {
  BaselineRead read;
  const auto failed = [&read, fileName](std::string_view why) {
    read.contents = {};
    read.error = Concat({fileName, why});
    return std::move(read);
  };
  const bool namedReg = NameEndsWith(fileName, ".reg");
  const bool namedPolicy = NameEndsWith(fileName, ".pol");
  const bool policySigned = bytes.size() >= sizeof kPolicySignature &&
                            std::equal(std::begin(kPolicySignature), std::end(kPolicySignature), bytes.begin());
  // An empty .pol file is Group Policy's "no settings", not text.
  if (policySigned || (namedPolicy && bytes.empty())) {
    read.kind = BaselineKind::Policy;
    if (namedReg) return failed(" is not a registry file");
    if (!policyRoot) {
      return failed(
          " is a registry policy file of a root not known: HKEY_LOCAL_MACHINE (in a Machine folder) or "
          "HKEY_CURRENT_USER (in a User folder)");
    }
    read.contents = PolicyFileEntries(bytes, *policyRoot, codec);
    if (!read.contents.recognised) return failed(" is not a registry policy file, or it is cut short");
    return read;
  }
  read.contents = ParseRegFile(bytes, codec);
  if (read.contents.recognised) {
    read.kind = FirstLine(bytes) == kVersion5Header ? BaselineKind::RegEdit5 : BaselineKind::RegEdit4;
    if (namedPolicy) return failed(" is not a registry policy file");
    return read;
  }
  read.kind = BaselineKind::LgpoText;
  if (namedPolicy) return failed(" is not a registry policy file");
  if (namedReg) return failed(" is not a registry file");
  read.contents = ParseLgpoText(bytes, codec);
  if (!read.contents.recognised) {
    return failed(" is neither a registry file, a registry policy file nor LGPO text");
  }
  return read;
}

const char* FileFaultText(RegFileFault fault) {
  // The faults of LGPO text and of registry policy files, after those of .reg files.
  constexpr const char* kTexts[kFileFaultCount - kRegFileFaultCount] = {
      "a record that starts with neither Computer nor User",
      "a record without all four of its lines",
      "unknown action (DWORD:, SZ:, EXSZ:, MULTISZ:, DELETE, DELETEALLVALUES or CREATEKEY are known)",
      "DWORD: needs a decimal or 0x hexadecimal number of 32 bits",
      "a NUL character in a key path, value name or text",
      "not a registry policy file, or one cut short",
  };
  const auto index = static_cast<std::size_t>(fault);
  if (index < kRegFileFaultCount) return RegFileFaultText(fault);
  return index < kFileFaultCount ? kTexts[index - kRegFileFaultCount] : "";
}

std::string FirstErrorText(const RegFileContents& contents) {
  if (contents.errors.empty()) return {};
  const RegFileError& error = contents.errors.front();
  return Concat({"line ", std::to_string(error.line), ": ", FileFaultText(error.fault)});
}

}  // namespace varnox
