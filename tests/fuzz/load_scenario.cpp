#include "load_scenario.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "recording_services.h"
#include "reg_file_loader.h"
#include "scripted_system.h"
#include "settings/reg_file_format.h"
#include "settings/reg_file_reader.h"
#include "toolkit/toolkit.h"
#include "version_fixtures.h"
#include "window/files/settings_export.h"
#include "window/form/conf_form.h"
#include "window/texts/load_locale.h"

namespace varnox::fuzz {

namespace {

// The types a value can take: those the window knows and a few it must
// refuse (a 64-bit number, an unknown type).
constexpr std::array<std::uint32_t, 8> kTypes = {kRegSz,      kRegDword, kRegBinary, kRegExpandSz,
                                                 kRegMultiSz, kRegNone,  11,         0x7F};
// A length byte of this value is followed by two bytes of a longer length.
constexpr std::uint8_t kLongLength = 255;
constexpr std::size_t kMaxLength = 0x1FFF;
constexpr std::size_t kMaxActions = 8;
constexpr std::size_t kMaxExternal = 6;

// What the user types into an edit.
const std::array<std::string, 12>& TypedTexts() {
  static const std::array<std::string, 12> texts = {
      "", "0", "1", "-1", "32767", "32768", "-32769", "$7FFF", "abc", "99999999999", " 12", std::string(300, '7')};
  return texts;
}

std::string Fold(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The window on its own registry and system, with the library-wide state
// every window starts from.
struct Window {
  Window(MemoryRegistry& registry, ScriptedSystem preset) : system(std::move(preset)), platform{registry, system} {
    ApplicationHints().Reset();
    RecordLibraryLoadLocale(0x409);
    form = std::make_unique<TConfForm>(platform, services);
  }
  ~Window() {
    form.reset();
    ApplicationHints().Reset();
    RecordLibraryLoadLocale(0);
  }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  ScriptedSystem system;
  test::RecordingServices services;
  Platform platform;
  std::unique_ptr<TConfForm> form;
};

// "HKLM\path" → root and path.
bool SplitRoot(const std::string& spelled, RegKey& root, std::string& path) {
  const std::size_t slash = spelled.find('\\');
  const std::string head = spelled.substr(0, slash);
  if (head == "HKLM") {
    root = kHkeyLocalMachine;
  } else if (head == "HKCU") {
    root = kHkeyCurrentUser;
  } else {
    return false;
  }
  path = slash == std::string::npos ? std::string() : spelled.substr(slash + 1);
  return true;
}

// "HKLM\path\name", folded, as the run compares reads with writes.
std::string ValueId(const RegistryCall& call) { return Fold(call.keyPath + "\\" + call.valueName); }

// A call that changed the registry.
bool IsChange(const RegistryCall& call) {
  return call.result == kErrorSuccess && (call.op == "SetValue" || call.op == "DeleteValue" || call.op == "CreateKey");
}

std::string Describe(const RegistryCall& call) {
  return call.op + " " + call.keyPath + (call.IsValueCall() ? "\\" + call.valueName : std::string());
}

class ReadKeyCollector {
 public:
  void Add(const std::vector<RegistryCall>& calls) {
    for (const RegistryCall& call : calls) {
      const bool keyCall = call.op == "OpenKey" || call.op == "CreateKey";
      if (!keyCall && !call.IsValueCall()) continue;
      ReadKey* key = KeyOf(call.keyPath);
      if (key == nullptr) continue;
      if (keyCall) {
        key->fullAccess = key->fullAccess || call.access == kKeyAllAccess;
        key->readAccess = key->readAccess || call.access == kKeyRead;
      }
      if (!call.IsValueCall()) continue;
      const bool known = std::any_of(key->values.begin(), key->values.end(),
                                     [&](const std::string& v) { return Fold(v) == Fold(call.valueName); });
      if (!known) key->values.push_back(call.valueName);
    }
  }
  std::vector<ReadKey> Take() { return std::move(keys_); }

 private:
  ReadKey* KeyOf(const std::string& spelled) {
    const std::string folded = Fold(spelled);
    if (const auto it = index_.find(folded); it != index_.end()) return &keys_[it->second];
    ReadKey key;
    if (!SplitRoot(spelled, key.root, key.path) || key.path.empty()) return nullptr;
    index_[folded] = keys_.size();
    keys_.push_back(std::move(key));
    return &keys_.back();
  }

  std::vector<ReadKey> keys_;
  std::map<std::string, std::size_t> index_;
};

// The device map a version's machine builds at boot, when its fixtures have
// one; empty otherwise.
std::string DeviceMapOf(const VersionFixture& version) {
  const std::string path = std::string("hardware/") + version.fixture;
  return std::filesystem::exists(FixturePath(path)) ? path : std::string();
}

void SeedRegistry(MemoryRegistry& registry, const Scenario& scenario) {
  const std::vector<ReadKey>& keys = ReadKeys();
  for (std::size_t k = 0; k < keys.size() && k < scenario.keys.size(); ++k) {
    const ScenarioKey& key = scenario.keys[k];
    if (!key.exists) continue;
    registry.CreateKeyPath(keys[k].root, keys[k].path);
    for (std::size_t v = 0; v < keys[k].values.size() && v < key.values.size(); ++v) {
      const ScenarioValue& value = key.values[v];
      if (value.present) registry.SetRaw(keys[k].root, keys[k].path, keys[k].values[v], value.type, value.data);
    }
  }
  if (scenario.localMachineReadOnly) registry.DenyFullAccess(kHkeyLocalMachine, "");
}

bool AllowedLoadMessage(const std::string& message, const std::set<std::string>& askedNames) {
  for (const char* prefix : {"Failed to get data for '", "Invalid data type for '"}) {
    const std::string head = prefix;
    if (message.size() > head.size() + 1 && message.compare(0, head.size(), head) == 0 && message.back() == '\'') {
      return askedNames.count(Fold(message.substr(head.size(), message.size() - head.size() - 1))) > 0;
    }
  }
  return false;
}

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint8_t Byte() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
  std::vector<std::uint8_t> Bytes(std::size_t count) {
    const std::size_t n = std::min(count, bytes_.size() - at_);
    std::vector<std::uint8_t> out(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                                  bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + n));
    at_ += n;
    return out;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

ScenarioValue DecodeValue(Reader& in) {
  ScenarioValue value;
  if (const std::uint8_t tag = in.Byte(); tag != 0) {
    value.present = true;
    value.type = kTypes[(tag - 1u) % kTypes.size()];
    std::size_t length = in.Byte();
    if (length == kLongLength) {
      length = in.Byte();
      length = (length | std::size_t{in.Byte()} << 8) & kMaxLength;
    }
    value.data = in.Bytes(length);
  }
  return value;
}

void EncodeValue(const ScenarioValue& value, std::vector<std::uint8_t>& out) {
  if (!value.present) {
    out.push_back(0);
    return;
  }
  const auto type = std::find(kTypes.begin(), kTypes.end(), value.type);
  out.push_back(static_cast<std::uint8_t>(type == kTypes.end() ? kTypes.size() : type - kTypes.begin() + 1));
  const std::size_t length = std::min(value.data.size(), kMaxLength);
  if (length < kLongLength) {
    out.push_back(static_cast<std::uint8_t>(length));
  } else {
    out.insert(out.end(), {kLongLength, static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)});
  }
  out.insert(out.end(), value.data.begin(), value.data.begin() + static_cast<std::ptrdiff_t>(length));
}

}  // namespace

std::vector<Control*> SectionControls(TConfForm& form) {
  std::vector<Control*> controls;
  for (const LoadSection& section : form.Frame().Sections()) {
    for (Control* control : section.controls) {
      if (std::find(controls.begin(), controls.end(), control) == controls.end()) controls.push_back(control);
    }
  }
  return controls;
}

void ActAsUser(Control& control, std::uint8_t how) {
  // A right click and a pick from the control's menu, when it has one; a
  // control that takes no input brings no menu up.
  if (TPopupMenu* menu = control.PopupMenu(); menu != nullptr && (how & 0x80) != 0) {
    if (!control.AcceptsInput()) return;
    control.UserContextMenu(0, 0);
    const std::vector<TMenuItem*> items = menu->Items();
    if (!items.empty()) items[(how & 0x7F) % items.size()]->UserClick();
    return;
  }
  if (auto* upDown = dynamic_cast<TUpDown*>(&control)) {
    upDown->UserArrowClick((how & 1) != 0 ? UpDownButton::Up : UpDownButton::Down);
  } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
    edit->UserType(TypedTexts()[how % TypedTexts().size()]);
  } else if (auto* combo = dynamic_cast<TComboBox*>(&control)) {
    if (!combo->Items().empty()) combo->UserSelect(how % static_cast<int>(combo->Items().size()));
  } else if (auto* group = dynamic_cast<TRadioGroup*>(&control)) {
    if (!group->Items().empty()) group->UserSelect(how % static_cast<int>(group->Items().size()));
  } else if (auto* track = dynamic_cast<TTrackBar*>(&control)) {
    track->UserMove(how);
  } else {
    control.UserClick();
  }
}

const std::vector<ReadKey>& ReadKeys() {
  static const std::vector<ReadKey> keys = [] {
    ReadKeyCollector collector;
    for (const VersionFixture& version : VersionFixtures()) {
      MemoryRegistry registry;
      LoadRegFile(registry, FixturePath(version.fixture));
      if (const std::string deviceMap = DeviceMapOf(version); !deviceMap.empty()) {
        LoadRegFile(registry, FixturePath(deviceMap));
      }
      Window window(registry, version.system());
      window.form->FormCreate();
      for (std::size_t g = 0; g < kSettingGroupCount; ++g) window.form->MarkModified(static_cast<SettingGroup>(g));
      // The groups' own calls: what OK reads to learn what changed since
      // the load is no key the groups need.
      try {
        window.form->Frame().Save(window.form->Flags());
      } catch (...) {
        // What the save reached is recorded all the same.
      }
      collector.Add(registry.Calls());
    }
    return collector.Take();
  }();
  return keys;
}

Scenario DecodeScenario(std::span<const std::uint8_t> bytes) {
  Reader in(bytes);
  Scenario scenario;
  scenario.preset = in.Byte() % AllScriptedPresets().size();
  const std::uint8_t flags = in.Byte();
  scenario.pressOk = (flags & 1) == 0;
  scenario.localMachineReadOnly = (flags & 2) != 0;
  const std::size_t actions = in.Byte() % (kMaxActions + 1);
  for (std::size_t a = 0; a < actions; ++a) {
    const std::uint8_t control = in.Byte();
    scenario.actions.push_back({control, in.Byte()});
  }
  for (const ReadKey& readKey : ReadKeys()) {
    ScenarioKey key;
    key.exists = (in.Byte() & 1) != 0;
    for (std::size_t v = 0; v < readKey.values.size(); ++v) {
      key.values.push_back(DecodeValue(in));
    }
    scenario.keys.push_back(std::move(key));
  }
  const std::size_t external = in.Byte() % (kMaxExternal + 1);
  for (std::size_t e = 0; e < external && !ReadKeys().empty(); ++e) {
    ExternalChange change;
    change.key = static_cast<std::uint16_t>((in.Byte() | in.Byte() << 8) % ReadKeys().size());
    change.value = in.Byte();
    change.state = DecodeValue(in);
    if (!ReadKeys()[change.key].values.empty()) scenario.external.push_back(std::move(change));
  }
  return scenario;
}

std::vector<std::uint8_t> EncodeScenario(const Scenario& scenario) {
  std::vector<std::uint8_t> out;
  out.push_back(static_cast<std::uint8_t>(scenario.preset));
  out.push_back(static_cast<std::uint8_t>((scenario.pressOk ? 0 : 1) | (scenario.localMachineReadOnly ? 2 : 0)));
  const std::size_t actions = std::min(scenario.actions.size(), kMaxActions);
  out.push_back(static_cast<std::uint8_t>(actions));
  for (std::size_t a = 0; a < actions; ++a) {
    out.push_back(scenario.actions[a].control);
    out.push_back(scenario.actions[a].how);
  }
  for (const ScenarioKey& key : scenario.keys) {
    out.push_back(key.exists ? 1 : 0);
    for (const ScenarioValue& value : key.values) EncodeValue(value, out);
  }
  const std::size_t external = std::min(scenario.external.size(), kMaxExternal);
  out.push_back(static_cast<std::uint8_t>(external));
  for (std::size_t e = 0; e < external; ++e) {
    const ExternalChange& change = scenario.external[e];
    out.insert(out.end(),
               {static_cast<std::uint8_t>(change.key), static_cast<std::uint8_t>(change.key >> 8), change.value});
    EncodeValue(change.state, out);
  }
  return out;
}

Scenario ScenarioOfRegistry(const MemoryRegistry& registry, std::size_t preset) {
  Scenario scenario;
  scenario.preset = preset;
  for (const ReadKey& readKey : ReadKeys()) {
    ScenarioKey key;
    key.exists = registry.KeyExists(readKey.root, readKey.path);
    for (const std::string& name : readKey.values) {
      ScenarioValue value;
      if (const std::optional<StoredValue> stored = registry.Value(readKey.root, readKey.path, name)) {
        value = {true, stored->type, stored->data};
      }
      key.values.push_back(std::move(value));
    }
    scenario.keys.push_back(std::move(key));
  }
  return scenario;
}

namespace {

using FoldedValues = std::map<std::string, StoredValue>;

FoldedValues Folded(const MemoryRegistry& registry) {
  FoldedValues values;
  for (const auto& [name, value] : registry.Dump()) values[Fold(name)] = value;
  return values;
}

// The values after `edits`, as OK would leave them.
FoldedValues After(FoldedValues values, const std::vector<RegistryEdit>& edits) {
  for (const RegistryEdit& edit : edits) {
    const char* root = edit.root == kHkeyLocalMachine ? "HKLM\\" : edit.root == kHkeyCurrentUser ? "HKCU\\" : nullptr;
    if (root == nullptr) continue;
    const std::string id = Fold(root + edit.keyPath + "\\" + edit.name);
    if (edit.kind == RegistryEdit::Kind::SetValue) values[id] = {edit.name, edit.type, edit.data};
    if (edit.kind == RegistryEdit::Kind::DeleteValue) values.erase(id);
  }
  return values;
}

// Text the window reads without regard to case it writes in its own case.
bool SameSetting(const StoredValue& a, const StoredValue& b) {
  return a.type == b.type &&
         std::equal(a.data.begin(), a.data.end(), b.data.begin(), b.data.end(), [](std::uint8_t x, std::uint8_t y) {
           return Fold(std::string(1, static_cast<char>(x))) == Fold(std::string(1, static_cast<char>(y)));
         });
}

std::string Shown(const FoldedValues& values, const std::string& id) {
  const auto it = values.find(id);
  if (it == values.end()) return "absent";
  std::string text = "type " + std::to_string(it->second.type) + " ";
  for (std::size_t i = 0; i < it->second.data.size() && i < 40; ++i) {
    text += "0123456789abcdef"[it->second.data[i] >> 4];
    text += "0123456789abcdef"[it->second.data[i] & 15];
  }
  return text;
}

// Text as a Unicode file carries it: through the code page, UTF-16 and
// back. A difference the file cannot carry is none the round trip can keep.
FoldedValues Carried(FoldedValues values, SystemApi& system) {
  for (auto& [id, value] : values) {
    if (value.type != kRegSz && value.type != kRegExpandSz && value.type != kRegMultiSz) continue;
    std::vector<std::uint8_t> carried;
    for (auto from = value.data.begin(); from != value.data.end();) {
      const auto nul = std::find(from, value.data.end(), std::uint8_t{0});
      std::vector<std::uint8_t> wide;
      AppendUtf16(wide, system.AnsiToUtf8(std::string(from, nul)));
      const std::string piece = system.Utf8ToAnsi(Utf16ToUtf8(wide));
      carried.insert(carried.end(), piece.begin(), piece.end());
      if (nul == value.data.end()) break;
      carried.push_back(0);
      from = nul + 1;
    }
    value.data = std::move(carried);
  }
  return values;
}

void CompareValues(const FoldedValues& expected, const FoldedValues& got, const std::string& what,
                   std::vector<std::string>& findings) {
  for (const auto& [id, value] : expected) {
    const auto other = got.find(id);
    if (other == got.end() || !SameSetting(other->second, value)) {
      findings.push_back(what + ": " + id + ": " + Shown(expected, id) + " against " + Shown(got, id));
    }
  }
  for (const auto& [id, value] : got) {
    if (!expected.count(id)) findings.push_back(what + ": " + id);
  }
}

// Outside the NT family OK keeps its layout state, with nothing to save.
bool HasSomethingToSave(TConfForm& form) {
  return form.Flags().AnyRaised() || (form.FIsNT && form.Find<Control>("ApplyBtn").Enabled());
}

bool Changed(const MemoryRegistry& registry) {
  return std::any_of(registry.Calls().begin(), registry.Calls().end(), IsChange);
}

std::string OpenFile(Window& window, const std::vector<std::uint8_t>& bytes) {
  window.system.writtenFiles["opened.reg"] = bytes;
  window.services.open = "opened.reg";
  window.services.messages.clear();
  window.form->Find<TButton>("btnOpenSettings").UserClick();
  return window.services.messages.empty() ? std::string() : window.services.messages.back();
}

// What the actions leave for the round trips: their changes file and the
// values OK would leave with it.
struct SavedChanges {
  std::vector<std::uint8_t> file;
  FoldedValues expected;
};

// Saves the changes of the window's actions as the user would, before OK or
// Cancel. None when the load failed (a window whose load failed shows only
// what it read before: the sections from the failing one on are disabled,
// and what a file would change there cannot show) or when nothing is saved
// (the button follows OK; what OK cannot write gives a message, no file).
// Saving reads the registry and writes nothing to it.
std::optional<SavedChanges> SaveChanges(Window& window, MemoryRegistry& registry, std::vector<std::string>& findings) {
  std::vector<std::string>& errors = window.services.errors;
  const std::size_t errorsBefore = errors.size();
  const std::size_t callsBefore = registry.Calls().size();
  window.services.saveAs = "changes.reg";
  window.form->Find<TButton>("btnSaveChanges").UserClick();
  const bool refused = errors.size() != errorsBefore;
  errors.resize(errorsBefore);
  std::optional<SavedChanges> saved;
  const auto file = window.system.writtenFiles.find("changes.reg");
  if (!refused && file != window.system.writtenFiles.end()) {
    saved = {file->second,
             After(Folded(registry), PendingChanges(window.form->Frame(), window.form->Flags(), registry))};
  }
  for (std::size_t c = callsBefore; c < registry.Calls().size(); ++c) {
    if (IsChange(registry.Calls()[c])) findings.push_back("saving the changes wrote: " + Describe(registry.Calls()[c]));
  }
  return saved;
}

// A new window on `scenario`'s registry, as the actions left it: a backup
// opened at once changes nothing; then the saved changes opened there leave
// OK about to write the values they were saved from.
void CheckRoundTrips(const Scenario& scenario, const std::optional<SavedChanges>& changes,
                     std::vector<std::string>& findings) {
  MemoryRegistry registry;
  SeedRegistry(registry, scenario);
  Window window(registry, AllScriptedPresets()[scenario.preset % AllScriptedPresets().size()].make());
  window.form->FormCreate();
  window.services.saveAs = "backup.reg";
  window.form->Find<TButton>("btnBackup").UserClick();
  const std::size_t errors = window.services.errors.size();
  registry.ClearCalls();
  std::string message = OpenFile(window, window.system.writtenFiles["backup.reg"]);
  const std::size_t before = findings.size();
  if (window.services.errors.size() != errors)
    findings.push_back("opening the backup: " + window.services.errors.back());
  if (Changed(registry)) findings.push_back("opening the backup wrote to the registry");
  if (HasSomethingToSave(*window.form)) {
    findings.push_back("opening the backup left something to save: " + message);
  }
  if (registry.OpenHandleCount() != 0) findings.push_back("opening the backup left a key open");
  // The window stands as loaded, so the changes open as in a new one.
  if (findings.size() != before || !changes) return;

  message = OpenFile(window, changes->file);
  if (window.services.errors.size() != errors)
    findings.push_back("opening the changes: " + window.services.errors.back());
  if (Changed(registry)) findings.push_back("opening the changes wrote to the registry");
  const FoldedValues got =
      After(Folded(registry), PendingChanges(window.form->Frame(), window.form->Flags(), registry));
  const bool unicode = window.system.Version().major >= 5;
  CompareValues(unicode ? Carried(changes->expected, window.system) : changes->expected,
                unicode ? Carried(got, window.system) : got, "the changes opened differ from the actions", findings);
  if (findings.size() != before) findings.push_back("message: " + message);
}

// A value another program changed after the load, as that program left it.
struct ExternalState {
  RegKey root;
  std::string path;
  std::string name;
  ScenarioValue state;
};

std::string SpelledId(RegKey root, const std::string& path, const std::string& name) {
  return Fold(std::string(root == kHkeyLocalMachine ? "HKLM\\" : "HKCU\\") + path + "\\" + name);
}

// The last write of each value among `edits`, by folded id.
std::map<std::string, RegistryEdit> LastWrites(const std::vector<RegistryEdit>& edits) {
  std::map<std::string, RegistryEdit> last;
  for (const RegistryEdit& edit : edits) {
    if (edit.kind == RegistryEdit::Kind::SetValue || edit.kind == RegistryEdit::Kind::DeleteValue) {
      last[SpelledId(edit.root, edit.keyPath, edit.name)] = edit;
    }
  }
  return last;
}

bool Holds(const MemoryRegistry& registry, const ExternalState& value) {
  const std::optional<StoredValue> stored = registry.Value(value.root, value.path, value.name);
  if (!stored || !value.state.present) return !stored && !value.state.present;
  return stored->type == value.state.type && stored->data == value.state.data;
}

// Makes the scenario's external changes in `registry` and returns those OK
// must leave as they are: the values whose write the user's actions did not
// change. That is told apart by a window of its own, loaded afresh from the
// registry as the actions left it, with the same groups raised; values the
// actions wrote at once (`writtenByActions`) are the user's too.
std::vector<ExternalState> MakeExternalChanges(const Scenario& scenario, TConfForm& form, MemoryRegistry& registry,
                                               const std::set<std::string>& writtenByActions) {
  std::map<std::string, RegistryEdit> mine;
  std::map<std::string, RegistryEdit> asLoaded;
  bool known = true;
  try {
    mine = LastWrites(PendingChanges(form.Frame(), form.Flags(), registry));
    Scenario fresh = ScenarioOfRegistry(registry, scenario.preset);
    fresh.localMachineReadOnly = scenario.localMachineReadOnly;
    MemoryRegistry other;
    SeedRegistry(other, fresh);
    Window window(other, AllScriptedPresets()[scenario.preset % AllScriptedPresets().size()].make());
    window.form->FormCreate();
    for (std::size_t g = 0; g < kSettingGroupCount; ++g) {
      if (form.Modified(static_cast<SettingGroup>(g))) window.form->MarkModified(static_cast<SettingGroup>(g));
    }
    asLoaded = LastWrites(PendingChanges(window.form->Frame(), window.form->Flags(), other));
    known = window.services.errors.empty();
  } catch (...) {
    known = false;  // a save that fails leaves the user's values unknown
  }
  std::map<std::string, ExternalState> kept;
  for (const ExternalChange& change : scenario.external) {
    const ReadKey& key = ReadKeys()[change.key % ReadKeys().size()];
    if (key.values.empty()) continue;
    ExternalState value{key.root, key.path, key.values[change.value % key.values.size()], change.state};
    const std::string id = SpelledId(value.root, value.path, value.name);
    if (Holds(registry, value)) continue;
    if (value.state.present) {
      registry.CreateKeyPath(value.root, value.path);
      registry.SetRaw(value.root, value.path, value.name, value.state.type, value.state.data);
    } else {
      registry.RemoveValue(value.root, value.path, value.name);
    }
    kept.erase(id);
    const auto a = mine.find(id);
    const auto b = asLoaded.find(id);
    const bool users = writtenByActions.count(id) != 0 || (a == mine.end()) != (b == asLoaded.end()) ||
                       (a != mine.end() && !(a->second == b->second));
    if (known && !users) kept.emplace(id, std::move(value));
  }
  std::vector<ExternalState> values;
  for (auto& [id, value] : kept) values.push_back(std::move(value));
  return values;
}

std::vector<std::string> RunWindow(const Scenario& scenario, const std::function<void(TConfForm&)>& extend,
                                   bool roundTrips) {
  std::vector<std::string> findings;
  MemoryRegistry registry;
  SeedRegistry(registry, scenario);
  Window window(registry, AllScriptedPresets()[scenario.preset % AllScriptedPresets().size()].make());
  TConfForm& form = *window.form;
  const std::vector<std::string>& errors = window.services.errors;
  if (extend) extend(form);

  form.FormCreate();
  std::set<std::string> asked;  // folded value ids the load asked for
  std::set<std::string> askedNames;
  // Folded paths of keys the load looked for and did not find: it saw every
  // value there as absent, the way a read of each would have.
  std::set<std::string> foundMissing;
  for (const RegistryCall& call : registry.Calls()) {
    if (IsChange(call)) findings.push_back("the load wrote: " + Describe(call));
    if (call.op == "OpenKey" && call.result == kErrorFileNotFound) foundMissing.insert(Fold(call.keyPath));
    if (call.op != "QueryValue") continue;
    asked.insert(ValueId(call));
    askedNames.insert(Fold(call.valueName));
  }
  const bool loadFailed = !errors.empty();
  if (errors.size() > 1) findings.push_back("the load showed more than one message");
  for (const std::string& message : errors) {
    if (!AllowedLoadMessage(message, askedNames)) findings.push_back("load message \"" + message + "\"");
  }
  if (HasSomethingToSave(form)) {
    findings.push_back("the window opened with something to save");
  }
  if (registry.OpenHandleCount() != 0) findings.push_back("the load left a key open");
  const std::size_t messagesAfterLoad = errors.size();
  const std::size_t callsAfterLoad = registry.Calls().size();

  // As the view does, each action runs where its errors become a message.
  const std::vector<Control*> controls = SectionControls(form);
  ServicesErrorSink sink(window.services);
  for (const UserAction& action : scenario.actions) {
    if (controls.empty()) break;
    RunHandler([&] { ActAsUser(*controls[action.control % controls.size()], action.how); }, sink);
  }
  const bool anyRaised = form.Flags().AnyRaised();
  std::optional<SavedChanges> changes;
  // The registry as the actions left it (a button creates its value at
  // once), without what OK or Cancel does next.
  Scenario afterActions;
  if (roundTrips) {
    if (!loadFailed) changes = SaveChanges(window, registry, findings);
    afterActions = ScenarioOfRegistry(registry, scenario.preset);
    afterActions.localMachineReadOnly = scenario.localMachineReadOnly;
  }
  std::vector<ExternalState> external;
  if (!scenario.external.empty()) {
    std::set<std::string> writtenByActions;
    for (std::size_t c = callsAfterLoad; c < registry.Calls().size(); ++c) {
      if (IsChange(registry.Calls()[c])) writtenByActions.insert(ValueId(registry.Calls()[c]));
    }
    external = MakeExternalChanges(scenario, form, registry, writtenByActions);
  }
  const std::size_t callsAfterActions = registry.Calls().size();

  form.Find<TButton>(scenario.pressOk ? "ApplyBtn" : "CancelBtn").UserClick();
  if (registry.OpenHandleCount() != 0) findings.push_back("a key was left open after the actions or the save");
  for (const ExternalState& value : external) {
    if (!Holds(registry, value))
      findings.push_back("OK undid another program's change of " + value.path + "\\" + value.name);
  }
  // Data another program left may make a group's save fail; that is reported.
  for (std::size_t m = scenario.external.empty() ? messagesAfterLoad : errors.size(); m < errors.size(); ++m) {
    // The in-memory registry refuses no write to a key it let open with
    // full access, so nothing after the load has a reason to fail.
    findings.push_back("message after the load \"" + errors[m] + "\"");
  }

  const std::vector<RegistryCall>& calls = registry.Calls();
  for (std::size_t c = callsAfterLoad; c < calls.size(); ++c) {
    const RegistryCall& call = calls[c];
    if (!IsChange(call)) continue;
    const bool write = call.op != "CreateKey";
    const bool onClose = c >= callsAfterActions;
    const std::string what = Describe(call);
    if (onClose && !scenario.pressOk) findings.push_back("Cancel wrote: " + what);
    if (onClose && !anyRaised) findings.push_back("OK with nothing changed wrote: " + what);
    if (write && loadFailed && asked.count(ValueId(call)) == 0 && foundMissing.count(Fold(call.keyPath)) == 0) {
      findings.push_back("after a load error, wrote a value the load never read: " + what);
    }
  }
  if (roundTrips && findings.empty()) CheckRoundTrips(afterActions, changes, findings);
  return findings;
}

}  // namespace

std::vector<std::string> RunScenario(const Scenario& scenario, const std::function<void(TConfForm&)>& extend) {
  return RunWindow(scenario, extend, false);
}

std::vector<std::string> RunScenarioWithRoundTrips(const Scenario& scenario) { return RunWindow(scenario, {}, true); }

std::vector<std::vector<std::uint8_t>> SeedInputs() {
  std::vector<std::vector<std::uint8_t>> seeds;
  std::vector<std::string> damaged;
  for (const auto& entry : std::filesystem::directory_iterator(FixturePath("damaged"))) {
    if (entry.path().extension() == ".reg") damaged.push_back("damaged/" + entry.path().filename().string());
  }
  std::sort(damaged.begin(), damaged.end());
  const std::vector<ScriptedPreset>& presets = AllScriptedPresets();
  for (const VersionFixture& version : VersionFixtures()) {
    const auto preset =
        static_cast<std::size_t>(std::find_if(presets.begin(), presets.end(),
                                              [&](const ScriptedPreset& p) { return p.make == version.system; }) -
                                 presets.begin());
    // The files laid on one another: the version's fixture with its device
    // map (if it has one), alone and under each damaged file; and the
    // fixture without a device map.
    const std::string deviceMap = DeviceMapOf(version);
    std::vector<std::string> base = {version.fixture};
    if (!deviceMap.empty()) base.push_back(deviceMap);
    std::vector<std::vector<std::string>> stacks = {base};
    for (const std::string& file : damaged) {
      stacks.push_back(base);
      stacks.back().push_back(file);
    }
    if (!deviceMap.empty()) stacks.push_back({version.fixture});
    for (std::size_t layer = 0; layer < stacks.size(); ++layer) {
      MemoryRegistry registry;
      for (const std::string& file : stacks[layer]) LoadRegFile(registry, FixturePath(file));
      Scenario scenario = ScenarioOfRegistry(registry, preset);
      seeds.push_back(EncodeScenario(scenario));
      // The same with a click on a few controls, then OK.
      for (std::uint8_t a = 0; a < kMaxActions; ++a) {
        scenario.actions.push_back({static_cast<std::uint8_t>(a * 7 + layer), static_cast<std::uint8_t>(a * 37)});
      }
      seeds.push_back(EncodeScenario(scenario));
      // And with another program deleting one value and setting another before OK.
      const auto key = static_cast<std::uint16_t>(layer * 5);
      scenario.external = {{key, 0, {}}, {static_cast<std::uint16_t>(key + 1), 1, {true, kRegDword, {1, 0, 0, 0}}}};
      seeds.push_back(EncodeScenario(scenario));
    }
  }
  return seeds;
}

}  // namespace varnox::fuzz
