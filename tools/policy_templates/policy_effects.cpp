#include "policy_effects.h"

#include <algorithm>
#include <cstdio>

namespace varnox {

namespace {

PolicyDatum TextDatum(std::string text) { return {.isText = true, .text = std::move(text)}; }

// The texts the batches enter: a short one and one with characters a
// registry file must escape.
constexpr char kShortText[] = "V";
constexpr char kLongText[] = "Varnox \"policy\" C:\\Path %SystemRoot%";

PolicyState Extreme(const Policy& policy, bool maximum) {
  PolicyState state;
  state.checked = maximum;
  state.item = maximum && !policy.items.empty() ? policy.items.size() - 1 : 0;
  state.number = maximum ? policy.max : policy.min;
  state.text = maximum ? kLongText : kShortText;
  return state;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::string Hex(std::uint32_t number) {
  char buffer[9];
  std::snprintf(buffer, sizeof buffer, "%08x", number);
  return buffer;
}

// REG_EXPAND_SZ as REGEDIT4 writes it: hex(2) bytes with the closing NUL.
std::string ExpandBytes(const std::string& text) {
  std::string out = "hex(2):";
  for (std::size_t i = 0; i <= text.size(); ++i) {
    char buffer[4];
    std::snprintf(buffer, sizeof buffer, "%02x", i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
    out += (i == 0 ? "" : ",") + std::string(buffer);
  }
  return out;
}

}  // namespace

std::vector<RegistryEffect> RegistryEffects(const Policy& policy, const PolicyState& state) {
  RegistryEffect effect{.machine = policy.machine, .key = policy.key, .valueName = policy.valueName};
  if (!state.enabled) {
    if (policy.shape == PolicyShape::OnOff) effect.datum = policy.off;
    return {effect};
  }
  switch (policy.shape) {
    case PolicyShape::OnOff:
      effect.datum = policy.on;
      break;
    case PolicyShape::Box:
      effect.datum = state.checked ? policy.on : *policy.off;
      break;
    case PolicyShape::Choice:
      effect.datum = policy.items.at(state.item).datum;
      break;
    case PolicyShape::Number:
      effect.datum = policy.asText ? TextDatum(std::to_string(state.number)) : PolicyDatum{.number = state.number};
      break;
    case PolicyShape::Text:
      effect.datum = TextDatum(state.text);
      effect.expandable = policy.expandable;
      break;
  }
  return {effect};
}

std::vector<PolicyBatch> PolicyBatches(const PolicySet& set) {
  std::vector<PolicyBatch> batches(3);
  batches[0].name = "minimum";
  batches[1].name = "maximum";
  batches[2].name = "disabled";
  std::size_t items = 0;
  for (const Policy& policy : set.policies) {
    batches[0].states.push_back(Extreme(policy, false));
    batches[1].states.push_back(Extreme(policy, true));
    // Disabled deletes a number, a text or a choice; where the window never
    // deletes the value it cannot show its absence, and the policy stays on.
    const bool shows = policy.shape == PolicyShape::OnOff || policy.shape == PolicyShape::Box || policy.windowDeletes;
    batches[2].states.push_back(shows ? PolicyState{.enabled = false} : Extreme(policy, false));
    items = std::max(items, policy.items.size());
  }
  // The first and last choices are in the minimum and the maximum.
  for (std::size_t item = 1; item + 1 < items; ++item) {
    PolicyBatch batch{"item" + std::to_string(item), batches[0].states};
    for (std::size_t i = 0; i < set.policies.size(); ++i) {
      const std::size_t count = set.policies[i].items.size();
      if (count > 0) batch.states[i].item = std::min(item, count - 1);
    }
    batches.push_back(std::move(batch));
  }
  return batches;
}

std::string Regedit4Text(const PolicySet& set, const PolicyBatch& batch) {
  std::string text = "REGEDIT4\r\n";
  for (std::size_t i = 0; i < set.policies.size(); ++i) {
    for (const RegistryEffect& effect : RegistryEffects(set.policies[i], batch.states[i])) {
      text += "\r\n[" + std::string(effect.machine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") + effect.key +
              "]\r\n\"" + Escaped(effect.valueName) + "\"=";
      if (!effect.datum) {
        text += "-";
      } else if (!effect.datum->isText) {
        text += "dword:" + Hex(effect.datum->number);
      } else if (effect.expandable) {
        text += ExpandBytes(effect.datum->text);
      } else {
        text += "\"" + Escaped(effect.datum->text) + "\"";
      }
      text += "\r\n";
    }
  }
  return text;
}

std::vector<RegistryEdit> PolicyFileEdits(const PolicySet& set, const PolicyBatch& batch, bool machine) {
  std::vector<RegistryEdit> edits;
  for (std::size_t i = 0; i < set.policies.size(); ++i) {
    for (const RegistryEffect& effect : RegistryEffects(set.policies[i], batch.states[i])) {
      if (effect.machine != machine) continue;
      RegistryEdit edit{.kind = RegistryEdit::Kind::DeleteValue,
                        .root = machine ? kHkeyLocalMachine : kHkeyCurrentUser,
                        .keyPath = effect.key,
                        .name = effect.valueName};
      if (effect.datum && effect.datum->isText) {
        edit.kind = RegistryEdit::Kind::SetValue;
        edit.type = effect.expandable ? kRegExpandSz : kRegSz;
        edit.data.assign(effect.datum->text.begin(), effect.datum->text.end());
        edit.data.push_back(0);
      } else if (effect.datum) {
        edit.kind = RegistryEdit::Kind::SetValue;
        edit.type = kRegDword;
        for (int shift = 0; shift < 32; shift += 8) {
          edit.data.push_back(static_cast<std::uint8_t>(effect.datum->number >> shift));
        }
      }
      edits.push_back(std::move(edit));
    }
  }
  return edits;
}

}  // namespace varnox
