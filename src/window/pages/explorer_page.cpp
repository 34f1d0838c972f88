// The Explorer page. Most values here are per user and absent until someone
// sets them, so most boxes are three-state. Rows cover what follows the
// common rules; code covers the rest: policies stored as numbers or binary
// data, the beep's yes/no text, smooth scrolling (binary on NT 4.0), the two
// settings that live on one side of NT 4.0 only, the mouse port values that
// only NT 4.0 reads, and the menu delay's track bar.

#include "window/pages/explorer_page.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/ascii.h"
#include "settings/system_keys.h"
#include "settings/text_number.h"
#include "sysinfo/os_predicates.h"
#include "window/form/conf_form.h"
#include "window/pages/explorer_page_layout.h"
#include "window/pages/explorer_rows.h"
#include "window/pages/page_building.h"
#include "window/pages/setting_rows.h"

namespace varnox {

namespace {

using namespace explorer_rows;

constexpr int kMetricMouseWheelPresent = 75;  // SM_MOUSEWHEELPRESENT
constexpr std::int32_t kDefaultWheelDetection = 1;
constexpr std::int32_t kDefaultMenuShowDelay = 400;

using G = SettingGroup;

constexpr SettingRow kSampleRate{
    .control = "udPS2rate", .value = "SampleRate", .kind = RowKind::SpinnerNumber, .group = G::Mouse};

// Rows whose handler is the common one.
constexpr std::array kHandledRows = {kPolicies[0],      kPolicies[1], kPolicies[2],    kPolicies[3],
                                     kMinAnimate,       kBeep,        kDesktopProcess, kPaintDesktopVersion,
                                     kWheelScrollLines, kSampleRate};

// NT 4.0 and older keep some values in another form; this asks the raw
// major version, as those reads do.
bool NT4OrOlder(TConfForm& form) { return form.platform().system.Version().major <= 4; }

TCheckBox& Box(TConfForm& form, std::string_view name) { return form.Find<TCheckBox>(name); }

// The first byte of binary data, or nothing when the value holds no byte:
// an empty value is neither of the box's two data.
std::optional<std::uint8_t> FirstByte(TRegistry& reg, const std::string& value) {
  std::array<std::uint8_t, 4> data{};
  if (reg.ReadBytes(value, data.data(), static_cast<int>(data.size())) < 1) return std::nullopt;
  return data[0];
}

// A policy stored as a number or as binary data: 1 restricts (unchecked),
// 0 does not (checked), anything else leaves the box as designed.
void ReadPolicy(TCheckBox& box, TRegistry& reg, const std::string& value) {
  std::optional<std::int64_t> datum;
  switch (reg.ValueType(value)) {
    case RegDataType::Binary:
      if (const auto byte = FirstByte(reg, value)) datum = *byte;
      break;
    case RegDataType::Integer:
      datum = reg.ReadDword(value);
      break;
    default:
      break;
  }
  if (datum == 1) box.SetState(cbUnchecked);
  if (datum == 0) box.SetState(cbChecked);
}

// Load: the policies key.
void LoadPolicies(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kPoliciesKey, false)) {
    for (const SettingRow& row : kPolicies) Box(form, row.control).SetEnabled(false);
    return;
  }
  for (const SettingRow& row : kPolicies) {
    TCheckBox& box = Box(form, row.control);
    const std::string value(row.value);
    if (!reg.ValueExists(value)) {
      box.SetState(cbGrayed);
    } else if (&row == &kPolicies[0]) {
      // "NoDesktop" is a number only; any number but 0 and 1 shows grey.
      const std::int32_t number = reg.ReadDword(value);
      box.SetState(number == 0 ? cbChecked : number == 1 ? cbUnchecked : cbGrayed);
    } else {
      ReadPolicy(box, reg, value);
    }
  }
  reg.CloseKey();
}

bool IsYes(const std::string& text) { return AsciiLowerCase(text) == "yes"; }

// Smooth scrolling: one binary byte on NT 4.0, a number later (binary data
// is still understood there). Only 1 checks the box.
void ReadSmoothScroll(TConfForm& form, TRegistry& reg) {
  TCheckBox& box = Box(form, "cbSmoothScroll");
  const std::string value = "SmoothScroll";
  if (!reg.ValueExists(value)) {
    box.SetState(cbGrayed);
    return;
  }
  if (NT4OrOlder(form)) {
    box.SetChecked(FirstByte(reg, value) == 1);
    return;
  }
  const RegDataType type = reg.ValueType(value);
  if (type == RegDataType::Integer) box.SetChecked(reg.ReadDword(value) == 1);
  if (type == RegDataType::Binary) box.SetChecked(FirstByte(reg, value) == 1);
}

// Load: window animation, beep and smooth scrolling, one key each.
void LoadExplorerSettings(TConfForm& form, TRegistry& reg) {
  if (reg.OpenKey(kWindowMetricsKey, false)) {
    ReadRow(form, reg, kMinAnimate);
    reg.CloseKey();
  } else {
    Box(form, kMinAnimate.control).SetEnabled(false);
  }
  if (reg.OpenKey(kSoundKey, false)) {
    // Windows does not tell "YES" from "yes"; neither does the box.
    Box(form, kBeep.control).SetChecked(IsYes(reg.ReadText(kBeep.value)));
    reg.CloseKey();
  } else {
    Box(form, kBeep.control).SetEnabled(false);
  }
  if (reg.OpenKey(kDesktopKey, false)) {
    ReadSmoothScroll(form, reg);
    reg.CloseKey();
  } else {
    Box(form, "cbSmoothScroll").SetEnabled(false);
  }
}

// A box over a number that is checked when its low byte is not 1 (or
// rather, when the low byte XOR 1 is not zero).
void ReadLowByteNotOne(TConfForm& form, TRegistry& reg, const SettingRow& row) {
  TCheckBox& box = Box(form, row.control);
  const std::string value(row.value);
  if (!reg.ValueExists(value)) {
    box.SetState(cbGrayed);
    return;
  }
  box.SetChecked(((reg.ReadDword(value) & 0xFF) ^ 1) != 0);
}

// Load: one box of a key, or the box disabled when the key is missing.
void LoadGatedBox(TConfForm& form, TRegistry& reg, const char* key, const SettingRow& row) {
  if (!reg.OpenKey(key, false)) {
    Box(form, row.control).SetEnabled(false);
    return;
  }
  ReadLowByteNotOne(form, reg, row);
  reg.CloseKey();
}

void LoadProcessMode(TConfForm& form, TRegistry& reg) {
  TCheckBox& box = Box(form, kDesktopProcess.control);
  box.SetEnabled(false);
  if (!IsWinNT4(form.platform().system)) return;
  box.SetEnabled(true);
  LoadGatedBox(form, reg, kExplorerKey, kDesktopProcess);
}

void LoadDesktopVersion(TConfForm& form, TRegistry& reg) {
  if (IsWinNT4(form.platform().system)) {
    Box(form, kPaintDesktopVersion.control).SetEnabled(false);
    return;
  }
  LoadGatedBox(form, reg, kDesktopKey, kPaintDesktopVersion);
}

// Load: wheel detection (read on NT 4.0 only), then the wheel comment.
void LoadWheelDetection(TConfForm& form, TRegistry& reg) {
  auto& detect = form.Find<TEdit>("edWheelDetect");
  if (reg.OpenKey(kMousePortKey, false)) {
    if (NT4OrOlder(form)) {
      detect.SetText(std::to_string(reg.ReadDword("EnableWheelDetection")));
    } else {
      detect.SetEnabled(false);
    }
    reg.CloseKey();
  } else {
    detect.SetEnabled(false);
  }
  const bool wheel = form.platform().system.SystemMetric(kMetricMouseWheelPresent) == 1;
  form.Find<TLabel>("lblWheelDetect")
      .SetCaption(wheel ? "[ Comment: Wheel button on your mouse was detected ]"
                        : "[ Comment: Wheel button on your mouse was not detected ]");
}

void LoadWheelScrollLines(TConfForm& form, TRegistry& reg) {
  ReadRowsOfKey(form, reg, kDesktopKey, std::array{kWheelScrollLines});
}

void LoadSampleRate(TConfForm& form, TRegistry& reg) {
  const bool opened = reg.OpenKey(kMousePortKey, false);
  if (opened && NT4OrOlder(form)) {
    ReadRow(form, reg, kSampleRate);
  } else {
    SetEnabled(form, {"udPS2rate", "edPS2rate"}, false);
  }
  if (opened) reg.CloseKey();
}

void LoadMenuDelay(TConfForm& form, TRegistry& reg) {
  auto& bar = form.Find<TTrackBar>("tbMenuSpeed");
  if (!reg.OpenKey(kDesktopKey, false)) {
    bar.SetEnabled(false);
    return;
  }
  // The bar clamps the number into its range.
  bar.SetPosition(TextToNumber(reg.ReadText("MenuShowDelay"), kDefaultMenuShowDelay));
  reg.CloseKey();
}

// Save: the policies of the enabled boxes.
void SavePolicies(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kPoliciesKey, false)) return;
  for (const SettingRow& row : kPolicies) {
    if (Box(form, row.control).Enabled()) WriteRow(form, reg, row);
  }
  reg.CloseKey();
}

void SaveSmoothScroll(TConfForm& form, TRegistry& reg) {
  const bool on = Box(form, "cbSmoothScroll").Checked();
  if (NT4OrOlder(form)) {
    const std::uint8_t byte = on ? 1 : 0;
    reg.WriteBytes("SmoothScroll", &byte, 1);
  } else {
    reg.WriteDword("SmoothScroll", on ? 1 : 0);
  }
}

// Save: each key of the group is skipped when it cannot be opened.
void SaveExplorerSettings(TConfForm& form, TRegistry& reg) {
  const auto inKey = [&reg](const char* key, auto write) {
    if (!reg.OpenKey(key, false)) return;
    write();
    reg.CloseKey();
  };
  inKey(kWindowMetricsKey, [&] { WriteRow(form, reg, kMinAnimate); });
  inKey(kSoundKey, [&] { WriteRow(form, reg, kBeep); });
  inKey(kDesktopKey, [&] { SaveSmoothScroll(form, reg); });
  if (IsWinNT4(form.platform().system)) {
    inKey(kExplorerKey, [&] { WriteRow(form, reg, kDesktopProcess); });
  } else {
    inKey(kDesktopKey, [&] { WriteRow(form, reg, kPaintDesktopVersion); });
  }
}

// Save: the mouse port values only where they were read (NT 4.0; later
// their controls are disabled and hold design values), then the scroll lines.
void SaveMouse(TConfForm& form, TRegistry& reg) {
  if (NT4OrOlder(form) && reg.OpenKey(kMousePortKey, false)) {
    reg.WriteDword("EnableWheelDetection",
                   TextToNumber(form.Find<TEdit>("edWheelDetect").Text(), kDefaultWheelDetection));
    WriteRow(form, reg, kSampleRate);
    reg.CloseKey();
  }
  reg.SetRoot(kHkeyCurrentUser);
  WriteRowsOfKey(form, reg, kDesktopKey, std::array{kWheelScrollLines});
}

void SaveMenuDelay(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kDesktopKey, false)) return;
  reg.WriteText("MenuShowDelay", std::to_string(form.Find<TTrackBar>("tbMenuSpeed").Position()));
  reg.CloseKey();
}

void BindHandlers(TConfForm& form) {
  BindRowHandlers(form, kHandledRows);
  form.Find<TCheckBox>("cbSmoothScroll").OnClick = [&form](Component&) { form.MarkModified(G::Explorer); };
  form.Find<TEdit>("edWheelDetect").OnChange = [&form](Component&) { form.MarkModified(G::Mouse); };
  form.Find<TTrackBar>("tbMenuSpeed").OnChange = [&form](Component&) { form.MarkModified(G::MenuSpeed); };
}

}  // namespace

void BuildExplorerPage(TConfForm& form, TTabSheet& sheet) {
  LayOutExplorerPage(form, sheet);
  BindHandlers(form);

  SettingsFrame& frame = form.Frame();
  const auto section = [&form, &frame](const char* name, RegKey root, void (*load)(TConfForm&, TRegistry&),
                                       std::initializer_list<const char*> controls) {
    frame.AddLoadSection(
        {name, root, [&form, load](TRegistry& reg) { load(form, reg); }, NamedControls(form, controls)});
  };
  section("Explorer policies", kHkeyCurrentUser, &LoadPolicies, {"cbNoDesktop", "cbNoNetHood", "cbNoRun", "cbNoFind"});
  section("Explorer settings", kHkeyCurrentUser, &LoadExplorerSettings,
          {"cbMinAnimate", "cbBeepOnError", "cbSmoothScroll"});
  section("Explorer process mode", kHkeyCurrentUser, &LoadProcessMode, {"cbExplorerSeparately"});
  section("Desktop version text", kHkeyCurrentUser, &LoadDesktopVersion, {"cbShowVersionOnDesktop"});
  section("Wheel detection", kHkeyLocalMachine, &LoadWheelDetection, {"edWheelDetect"});
  section("Wheel scroll lines", kHkeyCurrentUser, &LoadWheelScrollLines, {"edWheelScrollLines", "udWheelScrollLines"});
  section("Mouse sample rate", kHkeyLocalMachine, &LoadSampleRate, {"edPS2rate", "udPS2rate"});
  section("Menu delay", kHkeyCurrentUser, &LoadMenuDelay, {"tbMenuSpeed"});

  frame.AddSaveGroup({G::Desktop, kHkeyCurrentUser, [&form](TRegistry& reg) { SavePolicies(form, reg); }, {}});
  frame.AddSaveGroup({G::Explorer, kHkeyCurrentUser, [&form](TRegistry& reg) { SaveExplorerSettings(form, reg); }, {}});
  frame.AddSaveGroup({G::Mouse, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveMouse(form, reg); }, {}});
  frame.AddSaveGroup({G::MenuSpeed, kHkeyCurrentUser, [&form](TRegistry& reg) { SaveMenuDelay(form, reg); }, {}});
}

}  // namespace varnox
