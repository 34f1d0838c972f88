// The System tools page. The two mode choices are radio buttons that stand
// for numbers, each live only on the versions that have the setting; the
// status lines are filled once, at load. The links start their tool through
// the shell and change nothing in the registry.

#include "window/pages/system_tools_page.h"

#include <cstdint>
#include <span>
#include <string>

#include "sysinfo/os_predicates.h"
#include "sysinfo/setting_support.h"
#include "window/form/conf_form.h"
#include "window/pages/page_building.h"
#include "window/pages/setting_rows.h"
#include "window/pages/system_tools_rows.h"

namespace varnox {

namespace {

using namespace system_tools_rows;

constexpr char kSysMainKey[] = "SYSTEM\\CurrentControlSet\\Services\\SysMain";

using G = SettingGroup;

struct ToolLink {
  const char* label;
  const char* program;
  const char* parameters;
  bool (*available)(SystemApi&);  // nullptr: on every system
};

// The idle tasks and the user accounts panel start only where these forms
// of them exist (HasIdleTasksAndUserAccounts).
constexpr ToolLink kToolLinks[] = {
    {"lblProcessIdleTasks", "rundll32.exe", "advapi32.dll,ProcessIdleTasks", &HasIdleTasksAndUserAccounts},
    {"lblMSConfig", "msconfig.exe", "", nullptr},
    {"lblUserAccounts", "control.exe", "userpasswords2", &HasIdleTasksAndUserAccounts},
    {"lblDXDiag", "dxdiag.exe", "", nullptr},
};

constexpr char kSuperFetchStatus[] = "SuperFetch status: ";

void AddChoices(TConfForm& form, TGroupBox& group, std::span<const Choice> choices) {
  int top = 16;
  for (const Choice& choice : choices) {
    AddRadioButton(form, group, choice.button, choice.caption, 8, top, 330);
    top += 17;
  }
}

TLabel& AddLink(TConfForm& form, TGroupBox& group, const char* name, const char* caption, int left, int top,
                bool hand) {
  auto& link = AddLabel(form, group, name, caption, left, top);
  link.SetFontColor(clBlue);
  if (hand) link.SetCursor(TCursor::HandPoint);
  return link;
}

void LayOut(TConfForm& form, TTabSheet& sheet) {
  auto& prefetch = AddGroupBox(form, sheet, "gbPrefetch",
                               " PreFetch parameters in Windows XP / 2003 / Vista  / 7 / 2008  ", 4, 2, 345, 120);
  AddChoices(form, prefetch, kPrefetchChoices);
  AddLink(form, prefetch, "lblProcessIdleTasks", "Process IdleTasks - run disk layout optimization ... ", 8, 101,
          false);

  auto& superFetch = AddGroupBox(form, sheet, "gbSuperFetch", " SuperFetch parameters in Windows Vista / 7  / 2008 ", 4,
                                 126, 345, 102);
  AddChoices(form, superFetch, kSuperFetchChoices);
  AddLabel(form, superFetch, "lblSuperFetchstatus", kSuperFetchStatus, 8, 85);

  auto& boot =
      AddGroupBox(form, sheet, "gbBootOptimize", " BootOptimize function in Windows XP / 2003 ", 4, 230, 345, 60);
  AddCheckBox(form, boot, "cbBootOptimize", "Enable BootOptimize function", 8, 13, 330);
  AddLabel(form, boot, "lblBootOptimize", "BootOptimize complete status: ", 8, 30);
  AddLabel(form, boot, "lblBootOptimizeError", "BootOptimize error status: ", 8, 44);

  auto& tools = AddGroupBox(form, sheet, "gbOtherTools",
                            " Other useful tools in Windows 2000 / XP / 2003 / Vista / 7 / 2008 ", 4, 292, 345, 33);
  AddLink(form, tools, "lblMSConfig", "MSConfig ", 8, 15, true);
  AddLink(form, tools, "lblUserAccounts", "User Accounts", 90, 15, true);
  AddLink(form, tools, "lblDXDiag", "DirectX Diagnostic", 200, 15, true);
}

void SetChoicesEnabled(TConfForm& form, std::span<const Choice> choices, bool enabled) {
  for (const Choice& choice : choices) form.Find<Control>(choice.button).SetEnabled(enabled);
}

// Checks the button of `number`; a number without a button checks none.
// Where a value may be absent (Windows 10 keeps no "EnableSuperfetch"),
// an absent one checks none either.
void ReadChoice(TConfForm& form, TRegistry& reg, const char* value, std::span<const Choice> choices) {
  if (ValuesMayBeAbsent(form.platform().system) && !reg.ValueExists(value)) return;
  const std::int32_t number = reg.ReadDword(value);
  for (const Choice& choice : choices) {
    if (choice.number == number) form.Find<TRadioButton>(choice.button).SetChecked(true);
  }
}

void AppendToCaption(TLabel& label, const std::string& text) { label.SetCaption(label.Caption() + text); }

void LoadPrefetch(TConfForm& form, TRegistry& reg) {
  SystemApi& system = form.platform().system;
  if (!HonoursPrefetcher(system) || !reg.OpenKey(kPrefetchKey, false)) {
    SetChoicesEnabled(form, kPrefetchChoices, false);
    return;
  }
  ReadChoice(form, reg, "EnablePrefetcher", kPrefetchChoices);
  reg.CloseKey();
}

const char* StartTypeText(std::int32_t start) {
  switch (start) {
    case 2:
      return "service auto starting.";
    case 3:
      return "service manual starting.";
    case 4:
      return "service turn off.";
    default:
      return "";
  }
}

void LoadSuperFetch(TConfForm& form, TRegistry& reg) {
  SystemApi& system = form.platform().system;
  auto& status = form.Find<TLabel>("lblSuperFetchstatus");
  if (!HonoursSuperFetch(system)) {
    SetChoicesEnabled(form, kSuperFetchChoices, false);
    AppendToCaption(status, "not supported OS");
    return;
  }
  if (!reg.OpenKey(kPrefetchKey, false)) {
    SetChoicesEnabled(form, kSuperFetchChoices, false);
    return;
  }
  ReadChoice(form, reg, "EnableSuperfetch", kSuperFetchChoices);
  reg.CloseKey();
  if (!reg.OpenKey(kSysMainKey, false)) return;
  if (!ValuesMayBeAbsent(system) || reg.ValueExists("Start")) {
    AppendToCaption(status, StartTypeText(reg.ReadDword("Start")));
  }
  reg.CloseKey();
}

// A missing key disables the box like any other whose key cannot be
// opened; a click there would have nothing to save to.
void LoadBootOptimize(TConfForm& form, TRegistry& reg) {
  SystemApi& system = form.platform().system;
  if (!KeepsXpEraValues(system)) {
    SetEnabled(form, {"cbBootOptimize", "lblBootOptimize", "lblBootOptimizeError"}, false);
    return;
  }
  if (!reg.OpenKey(kBootOptimizeKey, false)) {
    form.Find<Control>("cbBootOptimize").SetEnabled(false);
    return;
  }
  ReadRow(form, reg, kBootOptimize);
  AppendToCaption(form.Find<TLabel>("lblBootOptimize"), reg.ReadText("OptimizeComplete"));
  AppendToCaption(form.Find<TLabel>("lblBootOptimizeError"), reg.ReadText("OptimizeError"));
  reg.CloseKey();
}

// Writes the number of the checked button, trying them from the last; with
// none checked nothing is written. Where the value may be absent, it is then
// still asked for: that names it as this group's, so that a backup of the
// managed values keeps its absence and restores it.
void SaveChoice(TConfForm& form, TRegistry& reg, const char* value, std::span<const Choice> choices) {
  if (!reg.OpenKey(kPrefetchKey, false)) return;
  bool written = false;
  for (auto choice = choices.rbegin(); choice != choices.rend(); ++choice) {
    if (!form.Find<TRadioButton>(choice->button).Checked()) continue;
    reg.WriteDword(value, choice->number);
    written = true;
  }
  if (!written && ValuesMayBeAbsent(form.platform().system)) reg.ValueExists(value);
  reg.CloseKey();
}

void SaveBootOptimize(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kBootOptimizeKey, false)) return;
  WriteRow(form, reg, kBootOptimize);
  reg.CloseKey();
}

void BindHandlers(TConfForm& form) {
  for (const Choice& choice : kPrefetchChoices) {
    form.Find<TRadioButton>(choice.button).OnClick = [&form](Component&) { form.MarkModified(G::Prefetch); };
  }
  for (const Choice& choice : kSuperFetchChoices) {
    form.Find<TRadioButton>(choice.button).OnClick = [&form](Component&) { form.MarkModified(G::SuperFetch); };
  }
  form.Find<TCheckBox>("cbBootOptimize").OnClick = [&form](Component&) { form.MarkModified(G::BootOptimize); };
  for (const ToolLink& link : kToolLinks) {
    form.Find<TLabel>(link.label).OnClick = [&form, &link](Component&) {
      SystemApi& system = form.platform().system;
      if (link.available && !link.available(system)) return;
      system.ShellStart(link.program, link.parameters);
    };
  }
}

}  // namespace

void BuildSystemToolsPage(TConfForm& form, TTabSheet& sheet) {
  LayOut(form, sheet);
  BindHandlers(form);

  SettingsFrame& frame = form.Frame();
  frame.AddLoadSection(
      {"Prefetcher", kHkeyLocalMachine, [&form](TRegistry& reg) { LoadPrefetch(form, reg); },
       NamedControls(form, {"rbPrefetch1", "rbPrefetch2", "rbPrefetch3", "rbPrefetch4", "rbPrefetch5"})});
  frame.AddLoadSection({"SuperFetch", kHkeyLocalMachine, [&form](TRegistry& reg) { LoadSuperFetch(form, reg); },
                        NamedControls(form, {"rbSuperFetch1", "rbSuperFetch2", "rbSuperFetch3", "rbSuperFetch4"})});
  frame.AddLoadSection({"BootOptimize", kHkeyLocalMachine, [&form](TRegistry& reg) { LoadBootOptimize(form, reg); },
                        NamedControls(form, {"cbBootOptimize"})});

  frame.AddSaveGroup({G::Prefetch,
                      kHkeyLocalMachine,
                      [&form](TRegistry& reg) { SaveChoice(form, reg, "EnablePrefetcher", kPrefetchChoices); },
                      {}});
  frame.AddSaveGroup({G::SuperFetch,
                      kHkeyLocalMachine,
                      [&form](TRegistry& reg) { SaveChoice(form, reg, "EnableSuperfetch", kSuperFetchChoices); },
                      {}});
  frame.AddSaveGroup(
      {G::BootOptimize, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveBootOptimize(form, reg); }, {}});
}

}  // namespace varnox
