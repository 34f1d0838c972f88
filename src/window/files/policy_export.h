#pragma once
// What "Save for Group Policy..." writes: the changes OK would make now,
// from the same dry run as "Save changes as...", split by root into the
// computer's and the user's registry policy files. What a policy file must
// not carry is left out and named: the auto-logon password (a Group Policy
// Object is readable by every user of its domain) and the values of one
// machine only (an adapter's, a disk channel's), which mean nothing on the
// other computers a policy reaches.

#include <string>
#include <vector>

#include "platform/system_api.h"
#include "settings/registry_edit.h"
#include "settings/value_list.h"
#include "window/frame/settings_frame.h"
#include "window/texts/policy_save_texts.h"

namespace varnox {

enum class PolicyLeftOutReason { Password, OneMachine, OtherRoot };

struct PolicyLeftOut {
  RegistryEdit edit;
  PolicyLeftOutReason reason;
};

struct PolicyChanges {
  std::vector<RegistryEdit> machine;  // HKEY_LOCAL_MACHINE, without the root
  std::vector<RegistryEdit> user;     // HKEY_CURRENT_USER
  std::vector<PolicyLeftOut> leftOut;
};

// The groups whose values belong to one machine only.
inline constexpr SettingGroup kOneMachineGroups[] = {SettingGroup::MTU, SettingGroup::ATAPI};

// The value Windows keeps the auto-logon password in.
inline constexpr char kAutoLogonPasswordValue[] = "DefaultPassword";

// Nothing is written.
PolicyChanges PendingPolicyChanges(SettingsFrame& frame, const ModifiedFlags& flags, RegistryApi& registry,
                                   const ValueList& spared = {});

// Merges `changes` into Machine\Registry.pol and User\Registry.pol under
// `folder` (UTF-8), making the subfolders; a file that is not a registry
// policy file is left as it is. The message says what was written and left
// out; `failed` tells whether some file could not be read or written.
struct PolicySaveReport {
  std::string message;
  bool failed = false;
};
PolicySaveReport WritePolicyFiles(const std::string& folder, const PolicyChanges& changes, SystemApi& system,
                                  const PolicySaveTexts& texts);

}  // namespace varnox
