#include "cli/baseline_input.h"

#include "base/ascii.h"
#include "base/concat.h"
#include "settings/baseline_file.h"

namespace varnox::cli {

namespace {

// The name of the folder that holds the file.
std::string_view FolderName(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string_view::npos) return {};
  path = path.substr(0, slash);
  const std::size_t before = path.find_last_of("\\/");
  return before == std::string_view::npos ? path : path.substr(before + 1);
}

std::optional<RegKey> PolicyRootOf(const std::string& path, const std::optional<std::string>& option) {
  if (option) return *option == "user" ? kHkeyCurrentUser : kHkeyLocalMachine;
  const std::string_view folder = FolderName(path);
  if (EqualsIgnoringAsciiCase(folder, "Machine")) return kHkeyLocalMachine;
  if (EqualsIgnoringAsciiCase(folder, "User")) return kHkeyCurrentUser;
  return std::nullopt;
}

}  // namespace

BaselineInput ReadBaselineInput(const std::string& path, const std::optional<std::string>& policyRoot,
                                SystemApi& system) {
  BaselineInput input;
  std::vector<std::uint8_t> bytes;
  if (const auto failure = system.ReadWholeFile(path, bytes)) {
    input.error = Concat({"cannot read ", path, ": ", *failure});
    return input;
  }
  const AnsiCodec codec{[&system](const std::string& ansi) { return system.AnsiToUtf8(ansi); },
                        [&system](const std::string& utf8) { return system.Utf8ToAnsi(utf8); }};
  BaselineRead read = ReadBaseline(path, bytes, PolicyRootOf(path, policyRoot), codec);
  if (!read.error.empty()) {
    input.error = read.error;
    return input;
  }
  input.contents = std::move(read.contents);
  if (!input.contents.errors.empty()) {
    const RegFileError& first = input.contents.errors.front();
    input.error = Concat({path, " line ", std::to_string(first.line), ": ", FileFaultText(first.fault)});
  }
  return input;
}

}  // namespace varnox::cli
