#pragma once
// The policies of the Group Policy templates, made from the window's table of
// managed values and from the window itself: captions and ranges as its
// controls have them, hints as its texts give them, and the Windows releases
// as its version gates answer.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "window/pages/managed_values.h"

namespace varnox {

class TConfForm;

// One registry datum as a policy writes it: a number (REG_DWORD) or a text.
struct PolicyDatum {
  bool isText = false;
  std::uint32_t number = 0;
  std::string text;
  bool operator==(const PolicyDatum&) const = default;
};

enum class PolicyShape {
  OnOff,   // Enabled writes `on`, Disabled writes `off` (or deletes)
  Box,     // Enabled shows a check box writing `on` or `off`; Disabled deletes
  Choice,  // Enabled offers the items; Disabled deletes
  Number,  // Enabled takes a number in [min, max]; Disabled deletes
  Text,    // Enabled takes a text; Disabled deletes
};

struct Bilingual {
  std::string english;
  std::string russian;
};

struct PolicyItem {
  Bilingual name;
  PolicyDatum datum;
  std::string button;  // the radio button that writes it
};

struct Policy {
  std::string id;        // unique, e.g. "Logon_DisableCAD"
  std::string category;  // the category's id, e.g. "MemoryManagement"
  bool machine = true;   // HKEY_LOCAL_MACHINE, else HKEY_CURRENT_USER
  std::string key;
  std::string valueName;
  PolicyShape shape = PolicyShape::OnOff;
  PolicyDatum on;
  std::optional<PolicyDatum> off;  // OnOff: nullopt means Disabled deletes
  std::vector<PolicyItem> items;   // Choice
  std::uint32_t min = 0;           // Number
  std::uint32_t max = 0;
  std::uint32_t defaultNumber = 0;
  bool asText = false;      // Number kept as decimal text
  bool expandable = false;  // Text written as REG_EXPAND_SZ
  // Whether the window itself deletes the value (a grey box, a delete
  // button, an empty edit), and so shows its absence as a state of its own.
  bool windowDeletes = false;
  std::string supportedOn;  // a definition's id
  bool (*honoured)(SystemApi&) = nullptr;
  std::string control;  // the window's control that shows the value
  Bilingual displayName;
  Bilingual explanation;
  Bilingual elementLabel;  // the caption beside the element (not OnOff)
};

struct Category {
  std::string id;
  Bilingual name;
};

// A set of releases named by the gates, as one supportedOn definition.
struct SupportDefinition {
  std::string id;
  Bilingual name;
};

struct PolicySet {
  std::vector<Category> categories;  // the pages that have policies, in page order
  std::vector<SupportDefinition> support;
  std::vector<Policy> policies;
};

// Whether a managed value can be a policy, and if not, why (English).
std::optional<std::string> LeftOut(const ManagedValue& value);

// Every shared value of `pages` as a policy. `form` is a window built from
// the same pages: it gives the captions and ranges.
PolicySet BuildPolicies(const std::vector<ManagedPage>& pages, TConfForm& form);

}  // namespace varnox
