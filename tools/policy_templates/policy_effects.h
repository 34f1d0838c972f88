#pragma once
// What a policy in a given state does to the registry, as the registry
// policy extension applies it, and batches of such states for the
// applied-policy check: every policy at its minimum, at its maximum,
// Disabled (where the window shows that state), and each further choice.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "policy_model.h"
#include "settings/registry_edit.h"

namespace varnox {

struct PolicyState {
  bool enabled = true;
  bool checked = true;       // Box
  std::size_t item = 0;      // Choice
  std::uint32_t number = 0;  // Number
  std::string text;          // Text
};

struct RegistryEffect {
  bool machine = true;
  std::string key;
  std::string valueName;
  std::optional<PolicyDatum> datum;  // nullopt: the value is deleted
  bool expandable = false;
};

std::vector<RegistryEffect> RegistryEffects(const Policy& policy, const PolicyState& state);

struct PolicyBatch {
  std::string name;                 // e.g. "minimum", "item2"
  std::vector<PolicyState> states;  // one per policy of the set, in order
};

std::vector<PolicyBatch> PolicyBatches(const PolicySet& set);

// The effects of one batch as a REGEDIT4 file (ANSI; deletions as "=-").
std::string Regedit4Text(const PolicySet& set, const PolicyBatch& batch);

// The effects of one batch on one root as the registry edits a registry
// policy file of that root carries: values set with their type and data as
// stored, or deleted.
std::vector<RegistryEdit> PolicyFileEdits(const PolicySet& set, const PolicyBatch& batch, bool machine);

}  // namespace varnox
