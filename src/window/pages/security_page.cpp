// The Security page. The encryption status is only read; the two
// protection boxes are one group; the System File Checker's controls live
// on Windows 2000 and XP only, where its mode buttons, quota and cache path
// have edits whose colour says whether they are in use.

#include "window/pages/security_page.h"

#include <array>
#include <string>

#include "settings/system_keys.h"
#include "settings/text_number.h"
#include "sysinfo/os_predicates.h"
#include "sysinfo/setting_support.h"
#include "window/form/conf_form.h"
#include "window/pages/page_building.h"
#include "window/pages/security_rows.h"
#include "window/pages/setting_rows.h"

namespace varnox {

namespace {

using namespace security_rows;

constexpr char kLsaKey[] = "System\\CurrentControlSet\\Control\\Lsa";

constexpr char kSecureBoot[] = "SecureBoot";

constexpr char kDefaultDllCachePath[] = "%SystemRoot%\\System32\\DllCache";
constexpr std::int32_t kDefaultQuota = 300;
constexpr TColor kEncryptedColor = 0x008000;  // green

using G = SettingGroup;

void LayOut(TConfForm& form, TTabSheet& sheet) {
  auto& syskey = AddGroupBox(form, sheet, "gbSyskey", " Securing Windows NT Account Database ", 4, 2, 345, 78);
  AddLabel(form, syskey, "lblSyskey1", "Your account database status: ", 8, 15);
  AddLabel(form, syskey, "lblSyskey", "accounts database not crypted.", 24, 30);
  AddLabel(form, syskey, "lblSyskey2", "For enable or update encryption key run", 8, 45);
  auto& link = AddLabel(form, syskey, "lblRunSyskey", "syskey.exe", 252, 45);
  link.SetFontColor(clNavy);
  link.SetFontStyle(fsUnderline);
  link.SetCursor(TCursor::HandPoint);
  AddLabel(form, syskey, "lblSyskey3", "from %System32%.", 8, 60);

  auto& objects = AddGroupBox(form, sheet, "gbProtection", " Securing Base System Objects ", 4, 82, 345, 52);
  AddCheckBox(form, objects, "cbProtectionMode", "Enable securing base system objects (disabled by default)", 8, 14,
              330);
  AddCheckBox(form, objects, "cbAddProtectionMode",
              "Enable additional securing base named objects (disabled by default)", 8, 32, 330);

  auto& sfc = AddGroupBox(form, sheet, "gbSFC", " System File Checker (SFC) in Windows 2000 ", 4, 136, 345, 182);
  auto& status = AddGroupBox(form, sfc, "gbSFCStatus", " SFC status ", 8, 14, 329, 104);
  const std::array<std::pair<const char*, const char*>, 6> buttons = {{
      {"rbSFC1", "Enabled (default)"},
      {"rbSFC2", "Unknown (=enabled)"},
      {"rbSFC3", "Enabled with no popups"},
      {"rbSFC5", "Disabled next boot, with prompt (req. debugger)"},
      {"rbSFC6", "Disabled next boot, w/o prompt (req. debugger)"},
      {"rbSFC4", "Fully disabled (undocumented value)"},
  }};
  int top = 13;
  for (const auto& [name, caption] : buttons) {
    AddRadioButton(form, status, name, caption, 8, top, 315);
    top += 15;
  }

  auto& quota = AddGroupBox(form, sfc, "gbSFCQuota", " SFC Quota size ", 8, 120, 154, 56);
  AddCheckBox(form, quota, "cbSFCQuota", "Unlimited ->", 8, 26, 88).SetChecked(true);
  auto& megabytes = AddEdit(form, quota, "edSFCQuota", "", 96, 24, 32);
  megabytes.SetEnabled(false);
  AddLabel(form, quota, "lblSFCQuotaMB", "MB", 132, 28);

  auto& cache = AddGroupBox(form, sfc, "gbDllCachePath", " SFC Dll cache path ", 166, 120, 171, 56);
  AddCheckBox(form, cache, "cbDllCachePath", "Specify path for cache :", 6, 16, 160);
  AddFieldName(form, cache, "lblDllCachePath", "SFC Dll cache path", 6, 34);
  auto& path = AddEdit(form, cache, "edDllCachePath", kDefaultDllCachePath, 6, 34, 158);
  path.SetEnabled(false);
  path.SetColor(clBtnFace);

  ShowHints(form, {"lblSyskey", "lblSyskey1", "lblSyskey2", "lblSyskey3", "lblRunSyskey", "cbProtectionMode",
                   "cbAddProtectionMode", "rbSFC1", "rbSFC2", "rbSFC3", "rbSFC4", "rbSFC5", "rbSFC6", "cbDllCachePath",
                   "edDllCachePath", "cbSFCQuota", "edSFCQuota"});
}

// An edit in use is on the window colour; one that is not, on the button face.
void Paint(TEdit& edit, bool inUse) { edit.SetColor(inUse ? clWindow : clBtnFace); }

// Load section: the encryption status. Any of the three encrypted modes
// (key on the machine, start-up password, start-up disk) counts.
void LoadAccountDatabase(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kLsaKey, false)) return;
  if (reg.ValueExists(kSecureBoot)) {
    auto& status = form.Find<TLabel>("lblSyskey");
    const std::int32_t mode = reg.ReadDword(kSecureBoot);
    if (mode >= 1 && mode <= 3) {
      status.SetFontColor(kEncryptedColor);
      status.SetCaption("accounts database crypted.");
    } else {
      status.SetFontColor(clRed);
    }
  }
  reg.CloseKey();
}

void LoadProtection(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kSessionManagerKey, false)) {
    SetEnabled(form, {"cbProtectionMode", "cbAddProtectionMode"}, false);
    return;
  }
  if (reg.ValueExists(kProtectionMode.value)) {
    ReadRow(form, reg, kProtectionMode);
  } else {
    form.Find<Control>(kProtectionMode.control).SetEnabled(false);
  }
  if (reg.ValueExists(kAddProtectionMode)) {
    ReadRow(form, reg, kAddProtection);
  } else {
    form.Find<TCheckBox>(kAddProtection.control).SetChecked(false);
  }
  reg.CloseKey();
}

void SetSfcButtonsEnabled(TConfForm& form, bool enabled) {
  for (const SfcChoice& choice : kSfcChoices) form.Find<Control>(choice.button).SetEnabled(enabled);
}

void LoadSfcMode(TConfForm& form, TRegistry& reg) {
  if (!reg.ValueExists(kSfcDisable)) {
    SetSfcButtonsEnabled(form, false);
    return;
  }
  const std::int32_t stored = reg.ReadDword(kSfcDisable);
  for (const SfcChoice& choice : kSfcChoices) {
    if (choice.number == stored) form.Find<TRadioButton>(choice.button).SetChecked(true);
  }
  // Only Windows 2000 keeps a changed mode: on XP the stored one is shown
  // and cannot be chosen, as OK would not write it.
  if (!IsWin2000(form.platform().system)) SetSfcButtonsEnabled(form, false);
}

void LoadDllCachePath(TConfForm& form, TRegistry& reg) {
  auto& box = form.Find<TCheckBox>("cbDllCachePath");
  auto& path = form.Find<TEdit>("edDllCachePath");
  if (reg.ValueExists(kDllCacheDir)) {
    const std::string stored = reg.ReadText(kDllCacheDir);
    box.SetChecked(true);
    Paint(path, true);
    path.SetText(form.platform().system.AnsiToUtf8(stored));
  } else {
    box.SetChecked(false);
    Paint(path, false);
    path.SetEnabled(false);
  }
}

void LoadSfcQuota(TConfForm& form, TRegistry& reg) {
  auto& box = form.Find<TCheckBox>("cbSFCQuota");
  auto& megabytes = form.Find<TEdit>("edSFCQuota");
  if (!reg.ValueExists(kSfcQuota)) {
    box.SetEnabled(false);
    megabytes.SetEnabled(false);
    return;
  }
  const std::int32_t quota = reg.ReadDword(kSfcQuota);
  if (quota == kUnlimitedQuota) {
    box.SetChecked(true);
    Paint(megabytes, false);
    megabytes.SetText("");
    megabytes.SetEnabled(false);
  } else {
    box.SetChecked(false);
    megabytes.SetEnabled(true);
    Paint(megabytes, true);
    megabytes.SetText(std::to_string(quota));
  }
}

constexpr std::array kSfcControls = {"rbSFC1", "rbSFC2",         "rbSFC3",         "rbSFC4",     "rbSFC5",
                                     "rbSFC6", "cbDllCachePath", "edDllCachePath", "cbSFCQuota", "edSFCQuota"};

void SetSfcControlsEnabled(TConfForm& form, bool enabled) {
  for (const char* name : kSfcControls) form.Find<Control>(name).SetEnabled(enabled);
}

void LoadSystemFileChecker(TConfForm& form, TRegistry& reg) {
  const bool live = HonoursFileCheckerCache(form.platform().system);
  SetSfcControlsEnabled(form, live);
  if (!live) {
    Paint(form.Find<TEdit>("edSFCQuota"), false);
    return;
  }
  if (!reg.OpenKey(kWinlogonKey, false)) {
    SetSfcControlsEnabled(form, false);
    return;
  }
  LoadSfcMode(form, reg);
  LoadDllCachePath(form, reg);
  LoadSfcQuota(form, reg);
  reg.CloseKey();
}

void BindHandlers(TConfForm& form) {
  const auto mark = [&form](SettingGroup group) { return [&form, group](Component&) { form.MarkModified(group); }; };
  for (const SfcChoice& choice : kSfcChoices) form.Find<TRadioButton>(choice.button).OnClick = mark(G::SFC);
  form.Find<TEdit>("edDllCachePath").OnChange = mark(G::DllCachePath);
  form.Find<TEdit>("edSFCQuota").OnChange = mark(G::SFCQuota);

  auto& cacheBox = form.Find<TCheckBox>("cbDllCachePath");
  cacheBox.OnClick = [&form, &cacheBox](Component&) {
    auto& path = form.Find<TEdit>("edDllCachePath");
    if (cacheBox.Checked()) {
      path.SetEnabled(true);
      Paint(path, true);
      path.SetText(form.platform().system.AnsiToUtf8(form.platform().system.SystemDirectory()) + "\\DllCache");
    } else {
      Paint(path, false);
      path.SetText(kDefaultDllCachePath);
      path.SetEnabled(false);
    }
    form.MarkModified(G::DllCachePath);
  };

  auto& quotaBox = form.Find<TCheckBox>("cbSFCQuota");
  quotaBox.OnClick = [&form, &quotaBox](Component&) {
    auto& megabytes = form.Find<TEdit>("edSFCQuota");
    if (quotaBox.Checked()) {
      Paint(megabytes, false);
      megabytes.SetText("~300");
      megabytes.SetEnabled(false);
    } else {
      megabytes.SetEnabled(true);
      Paint(megabytes, true);
      megabytes.SetText(std::to_string(kDefaultQuota));
    }
    form.MarkModified(G::SFCQuota);
  };

  // Starting the key tool changes no setting. Where the system has none, the
  // link is off and its hint says why.
  form.Find<TLabel>("lblRunSyskey").SetEnabled(HasSyskeyTool(form.platform().system));
  form.Find<TLabel>("lblRunSyskey").OnClick = [&form](Component&) {
    SystemApi& system = form.platform().system;
    const std::string tool = system.SystemDirectory() + "\\syskey.exe";
    if (system.FileExists(tool)) system.Execute(tool);
  };
}

void SaveProtection(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kSessionManagerKey, false)) return;
  WriteRow(form, reg, kProtectionMode);
  if (form.Find<TCheckBox>(kAddProtection.control).Checked()) {
    reg.WriteDword(kAddProtectionMode, 1);
  } else {
    reg.DeleteValue(kAddProtectionMode);
  }
  reg.CloseKey();
}

void SaveSfcMode(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kWinlogonKey, false)) return;
  for (const SfcChoice& choice : kSfcChoices) {
    if (form.Find<TRadioButton>(choice.button).Checked()) reg.WriteDword(kSfcDisable, choice.number);
  }
  reg.CloseKey();
}

void SaveDllCachePath(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kWinlogonKey, false)) return;
  if (form.Find<TCheckBox>("cbDllCachePath").Checked()) {
    reg.WriteExpandText(kDllCacheDir, form.platform().system.Utf8ToAnsi(form.Find<TEdit>("edDllCachePath").Text()));
  } else {
    DeleteIfPresent(reg, kDllCacheDir);
  }
  reg.CloseKey();
}

void SaveSfcQuota(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kWinlogonKey, false)) return;
  const bool unlimited = form.Find<TCheckBox>("cbSFCQuota").Checked();
  reg.WriteDword(kSfcQuota,
                 unlimited ? kUnlimitedQuota : TextToNumber(form.Find<TEdit>("edSFCQuota").Text(), kDefaultQuota));
  reg.CloseKey();
}

}  // namespace

void BuildSecurityPage(TConfForm& form, TTabSheet& sheet) {
  LayOut(form, sheet);
  const std::array kProtectionRows = {kProtectionMode, kAddProtection};
  BindRowHandlers(form, kProtectionRows);
  BindHandlers(form);

  SettingsFrame& frame = form.Frame();
  frame.AddLoadSection({"Lsa key", kHkeyLocalMachine, [&form](TRegistry& reg) { LoadAccountDatabase(form, reg); },
                        NamedControls(form, {"lblSyskey"})});
  frame.AddLoadSection({"Session Manager key", kHkeyLocalMachine,
                        [&form](TRegistry& reg) { LoadProtection(form, reg); },
                        NamedControls(form, {"cbProtectionMode", "cbAddProtectionMode"})});
  std::vector<Control*> sfcControls;
  for (const char* name : kSfcControls) sfcControls.push_back(&form.Find<Control>(name));
  frame.AddLoadSection({"System File Checker", kHkeyLocalMachine,
                        [&form](TRegistry& reg) { LoadSystemFileChecker(form, reg); }, std::move(sfcControls)});

  SystemApi& system = form.platform().system;
  frame.AddSaveGroup(
      {G::ProtectionMode, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveProtection(form, reg); }, {}});
  frame.AddSaveGroup({G::SFC, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveSfcMode(form, reg); },
                      [&system] { return IsWin2000(system); }});
  frame.AddSaveGroup({G::DllCachePath, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveDllCachePath(form, reg); },
                      [&system] { return HonoursFileCheckerCache(system); }});
  frame.AddSaveGroup({G::SFCQuota, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveSfcQuota(form, reg); },
                      [&system] { return HonoursFileCheckerCache(system); }});
}

}  // namespace varnox
