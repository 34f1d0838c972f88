#pragma once
// One run of the configuration window on a registry that anyone may have
// written: the keys and values the window reads, each present or not, with
// any type and any bytes, under one of the emulated systems; then a few user
// actions and OK or Cancel. The run checks what the window must never do
// with such data and reports each breach as a finding.
//
// Which keys and values exist to be varied is not listed here: a first pass
// opens the window on each version's fixture, saves every group, and takes
// the keys and values those runs asked the in-memory registry for. A page
// that registers its sections with the frame is therefore covered as soon as
// it is built into the window.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "memory_registry.h"
#include "window/form/conf_form.h"

namespace varnox::fuzz {

// A key the window opens, with the values it asks for there.
struct ReadKey {
  RegKey root = kHkeyLocalMachine;
  std::string path;
  std::vector<std::string> values;
  bool fullAccess = false;  // opened with full access at least once
  bool readAccess = false;  // opened with read access only at least once
};

// The keys and values of the first pass, in the order they were first asked
// for; worked out once.
const std::vector<ReadKey>& ReadKeys();

struct ScenarioValue {
  bool present = false;
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
};

struct ScenarioKey {
  bool exists = false;
  std::vector<ScenarioValue> values;  // parallel to ReadKey::values
};

// A user action: which of the load sections' controls, and a byte that
// chooses what to do with it (arrow, text typed, item picked).
struct UserAction {
  std::uint8_t control = 0;
  std::uint8_t how = 0;
};

// Another program's change between the load and OK: one of the read values
// (numbered as in ReadKeys()) set to `state`, or deleted.
struct ExternalChange {
  std::uint16_t key = 0;
  std::uint8_t value = 0;
  ScenarioValue state;
};

struct Scenario {
  std::size_t preset = 0;  // index into AllScriptedPresets()
  bool pressOk = true;     // else Cancel
  bool localMachineReadOnly = false;
  std::vector<UserAction> actions;
  std::vector<ScenarioKey> keys;  // parallel to ReadKeys()
  // Made after the actions, before OK: OK must leave each as it is unless
  // the user's actions changed what OK writes there.
  std::vector<ExternalChange> external;
};

// Any bytes make a scenario; bytes missing at the end leave keys absent.
Scenario DecodeScenario(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> EncodeScenario(const Scenario& scenario);

// The scenario that holds what `registry` holds in the read keys.
Scenario ScenarioOfRegistry(const MemoryRegistry& registry, std::size_t preset);

// Runs the window through the scenario; empty when nothing went wrong.
// `extend` runs on the built window before it opens (tests add to it).
std::vector<std::string> RunScenario(const Scenario& scenario, const std::function<void(TConfForm&)>& extend = {});

// The run of RunScenario with the round trips of the window's registry
// files: before OK or Cancel the actions' changes are saved to a file; then
// a new window on the scenario's registry backs up, opens the backup, which
// changes nothing, and opens the changes file, which leaves OK about to
// write what the actions would have.
std::vector<std::string> RunScenarioWithRoundTrips(const Scenario& scenario);

// The controls of every load section, each once, in section order: what the
// user actions act on.
std::vector<Control*> SectionControls(TConfForm& form);
// Acts on `control` as the user would; `how` chooses the arrow, the text
// typed, the item picked, or (its top bit) a pick from the control's menu. A control that takes no input ignores it, as
// on the screen.
void ActAsUser(Control& control, std::uint8_t how);

// Seeds: every version's fixture on its own system, alone and under each
// damaged file, with OK pressed after no action and after a few.
std::vector<std::vector<std::uint8_t>> SeedInputs();

}  // namespace varnox::fuzz
