// Group Policy as the window sees it. For each batch of policy states (every
// policy Enabled at its minimum, at its maximum, every policy Disabled, each
// further choice in turn) the batch is written as the two registry policy
// files it implies and applied into this prefix by apply_policy.exe, as the
// registry policy extension would; the window then opens without a message
// and shows exactly that state: each box, button, spinner, track bar and
// edit read from the real control by its name.

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "page_scenario.h"
#include "policy_effects.h"
#include "registry_probe.h"
#include "scripted_system.h"
#include "settings/policy_file.h"
#include "window_policies.h"

namespace varnox::test {
namespace {

// The scripted release whose gates stand for the emulated one.
ScriptedSystem Release() {
  const std::map<std::string, ScriptedSystem (*)()> releases = {{"win2k", &ScriptedSystem::Win2000Professional},
                                                                {"winxp", &ScriptedSystem::WinXPSp3},
                                                                {"win7", &ScriptedSystem::Win7X64},
                                                                {"win10", &ScriptedSystem::Win10X64}};
  const auto release = releases.find(Version());
  return release == releases.end() ? ScriptedSystem::Win10X64() : release->second();
}

// Writes the batch's two registry policy files and applies them with
// apply_policy.exe, as Group Policy's registry extension would at a refresh.
bool Apply(const PolicySet& set, const PolicyBatch& batch) {
  char folder[MAX_PATH];
  if (GetTempPathA(MAX_PATH, folder) == 0) return false;
  // The batches' names and texts are ASCII: the ANSI code page leaves them be.
  const AnsiCodec ascii{[](const std::string& s) { return s; }, [](const std::string& s) { return s; }};
  std::string command = ApplyPolicyProgram();
  for (const bool machine : {true, false}) {
    const std::optional<std::vector<std::uint8_t>> bytes =
        MergePolicyFile({}, PolicyFileEdits(set, batch, machine), ascii);
    if (!bytes) return false;
    const std::string path = std::string(folder) + (machine ? "varnox-machine.pol" : "varnox-user.pol");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
    command += (machine ? " HKLM \"" : " HKCU \"") + path + "\"";
  }
  return RunToEnd(command) == 0;
}

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool Enabled(const PolicySet& set, const std::vector<PolicyState>& states, const std::string& value) {
  for (std::size_t i = 0; i < set.policies.size(); ++i) {
    if (set.policies[i].valueName == value) return states[i].enabled;
  }
  return false;
}

// What the window shows for one policy in one state; a deleted number, text
// or choice shows as each control shows an absent value, and is not checked.
void ExpectShown(const UiDriver& ui, const PolicySet& set, const std::vector<PolicyState>& states, std::size_t index) {
  const Policy& policy = set.policies[index];
  const PolicyState& state = states[index];
  const std::string where = policy.id + " (" + policy.control + ")";
  switch (policy.shape) {
    case PolicyShape::OnOff: {
      int expected = state.enabled ? BST_CHECKED : BST_UNCHECKED;
      // The two logon boxes exclude each other: with both policies on, the
      // window keeps "Don't display last user name" and clears autologon.
      if (policy.valueName == "AutoAdminLogon" && Enabled(set, states, "DontDisplayLastUserName")) {
        expected = BST_UNCHECKED;
      }
      EXPECT_EQ(ui.CheckState(policy.control), expected) << where;
      return;
    }
    case PolicyShape::Box:
      EXPECT_EQ(ui.CheckState(policy.control), !state.enabled  ? BST_INDETERMINATE
                                               : state.checked ? BST_CHECKED
                                                               : BST_UNCHECKED)
          << where;
      return;
    case PolicyShape::Choice:
      if (state.enabled) {
        EXPECT_EQ(ui.CheckState(policy.items[state.item].button), BST_CHECKED) << where;
      }
      return;
    case PolicyShape::Number: {
      if (!state.enabled) return;
      // The quota's largest number is -1, which the window shows as "Unlimited".
      if (policy.valueName == "SFCQuota" && state.number == 0xFFFFFFFFu) {
        EXPECT_EQ(ui.CheckState("cbSFCQuota"), BST_CHECKED) << where;
        return;
      }
      HWND control = ui.Find(policy.control);
      const std::wstring kind = ClassName(control);
      if (kind == UPDOWN_CLASSW) {
        EXPECT_EQ(ui.UpDownPosition(policy.control), static_cast<int>(state.number)) << where;
      } else if (kind == TRACKBAR_CLASSW) {
        EXPECT_EQ(SendMessageW(control, TBM_GETPOS, 0, 0), static_cast<LRESULT>(state.number)) << where;
      } else {
        EXPECT_EQ(ui.Text(policy.control), std::to_wstring(state.number)) << where;
      }
      return;
    }
    case PolicyShape::Text:
      if (state.enabled) {
        EXPECT_EQ(ui.Text(policy.control), Wide(state.text)) << where;
      }
      return;
  }
}

class PolicyEndToEnd : public PageScenario {};

TEST_F(PolicyEndToEnd, EachBatchOfPolicyStatesShowsAsItIs) {
  const PolicySet set = WindowPolicies();
  ScriptedSystem release = Release();
  std::size_t checked = 0;
  for (const PolicyBatch& batch : PolicyBatches(set)) {
    SCOPED_TRACE(batch.name);
    ASSERT_TRUE(Apply(set, batch)) << "the " << batch.name << " batch's policy files did not apply";
    Run([&](UiDriver& ui) {
      // A page's controls come to be as its tab is first shown.
      for (const std::wstring& caption : ui.TabCaptions("PageControl")) ui.SelectTab("PageControl", caption);
      for (std::size_t i = 0; i < set.policies.size(); ++i) {
        const Policy& policy = set.policies[i];
        if (policy.honoured != nullptr && !policy.honoured(release)) continue;
        ExpectShown(ui, set, batch.states, i);
        ++checked;
      }
      for (const std::wstring& message : ui.CreationMessages())
        ADD_FAILURE() << "message: " << std::string(message.begin(), message.end());
      EXPECT_FALSE(ui.MessageBoxShowing());
    });
  }
  EXPECT_GT(checked, 100u);
}

}  // namespace
}  // namespace varnox::test
