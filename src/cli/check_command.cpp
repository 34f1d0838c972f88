#include "cli/check_command.h"

#include "base/concat.h"
#include "cli/baseline_compare.h"
#include "cli/exit_codes.h"
#include "cli/value_text.h"

namespace varnox::cli {

namespace {

nlohmann::ordered_json Notes(const std::vector<BaselineNote>& notes) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const BaselineNote& note : notes) list.push_back({{"line", note.line}, {"value", note.what}, {"why", note.why}});
  return list;
}

}  // namespace

int CheckRun::Check(Target& target, const RegFileContents& contents, CliOutput& output) {
  HeadlessWindow& window = target.window;
  const AnsiCodec codec = window.Codec();
  output.out += Concat({"Checking ", file_, " against this machine and ", target.whose, "\n"});
  const OpenedBaseline baseline = OpenBaseline(window, contents, target.scope, target.table);
  if (!Reported(baseline, file_, output)) return kExitBadInput;
  nlohmann::ordered_json values = nlohmann::ordered_json::array();
  for (const ComparedValue& item : CompareBaseline(window, baseline)) {
    const RegistryValueRef& value = item.value;
    const std::string stored = PrintedState(target, value, item.stored);
    const std::string wanted = PrintedState(target, value, item.wanted);
    const std::string name = FullName(value.root, value.keyPath, value.valueName, codec);
    ++compared_;
    if (!item.matches) {
      output.out += Concat({"drift: ", name, ": ", stored, " -> ", wanted, "\n"});
      const std::string shortName = codec.toUtf8(value.valueName.empty() ? "@" : value.valueName);
      drift_.push_back(Concat({target.label, shortName, "=", PrintedData(target, value, item.stored), " (want ",
                               PrintedData(target, value, item.wanted), ")"}));
    }
    values.push_back({{"value", name}, {"stored", stored}, {"wanted", wanted}, {"compliant", item.matches}});
  }
  targets_.push_back({{"whose", target.whose}, {"compared", values}, {"leftOut", Notes(baseline.leftOut)}});
  return drift_.empty() ? kExitOk : kExitDrift;
}

std::string CheckRun::LastLine() const {
  const std::string n = std::to_string(compared_);
  if (drift_.empty()) return Concat({"COMPLIANT ", n, " of ", n});
  return LimitedLine(Concat({"NONCOMPLIANT ", std::to_string(drift_.size()), " of ", n, ": "}), drift_, kLastLineLimit);
}

nlohmann::ordered_json CheckRun::Details() const {
  return {{"file", file_}, {"result", LastLine()}, {"targets", targets_}};
}

}  // namespace varnox::cli
