#include "cli/target.h"

#include "base/concat.h"
#include "cli/managed_lookup.h"
#include "cli/value_text.h"

namespace varnox::cli {

namespace {

bool Secret(const Target& target, const RegistryValueRef& value) {
  const ManagedValue* managed = FindManaged(target.table, value);
  return managed != nullptr && managed->shared == Shared::Secret;
}

std::string SecretState(const RegistryEdit& state) {
  return state.kind == RegistryEdit::Kind::SetValue ? "set" : "not set";
}

}  // namespace

std::string PrintedState(const Target& target, const RegistryValueRef& value, const RegistryEdit& state) {
  return Secret(target, value) ? SecretState(state) : StateText(state, target.window.Codec());
}

std::string PrintedData(const Target& target, const RegistryValueRef& value, const RegistryEdit& state) {
  if (Secret(target, value)) return SecretState(state);
  return state.kind == RegistryEdit::Kind::SetValue ? DataText(state, target.window.Codec()) : "absent";
}

bool Reported(const OpenedBaseline& baseline, const std::string& file, CliOutput& output) {
  for (const BaselineNote& note : baseline.leftOut) {
    output.out += Concat({"left out: line ", std::to_string(note.line), " ", note.what, ": ", note.why, "\n"});
  }
  for (const BaselineNote& note : baseline.invalid) {
    output.Problem(Concat({file, " line ", std::to_string(note.line), ": ", note.what, ": ", note.why}));
  }
  return baseline.invalid.empty();
}

std::string LimitedLine(const std::string& head, const std::vector<std::string>& items, std::size_t limit) {
  std::string line = head;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string piece = Concat({i == 0 ? "" : "; ", items[i]});
    // Room is kept for the count of what does not fit.
    const std::string rest = Concat({"; and ", std::to_string(items.size() - i), " more"});
    const bool last = i + 1 == items.size();
    if (line.size() + piece.size() + (last ? 0 : rest.size() + 2) > limit) {
      line += i == 0 ? rest.substr(2) : rest;
      return line;
    }
    line += piece;
  }
  return line;
}

}  // namespace varnox::cli
