// The Logon page. Rows for the settings that follow the common rules; code
// for the rest: the two logon boxes that exclude each other, the Windows 2000
// counter and forced autologon, the NT 4.0 shutdown values, the password that
// only a checked autologon keeps, and the two pop-up menus.

#include "window/pages/logon_page.h"

#include <array>

#include "settings/system_keys.h"
#include "sysinfo/os_predicates.h"
#include "window/form/conf_form.h"
#include "window/pages/logon_rows.h"
#include "window/pages/page_building.h"
#include "window/pages/setting_rows.h"

namespace varnox {

namespace {

using namespace logon_rows;

using G = SettingGroup;

// Rows whose handler is the common one.
constexpr std::array kCommonHandlerRows = {kLogonEdits[0],  kLogonEdits[1],  kLogonEdits[2], kDisableCAD,
                                           kForceAutoLogon, kClearPageFile,  kPowerDown,     kQuickReboot,
                                           kEndTaskRows[0], kEndTaskRows[1], kEndTaskRows[2]};

constexpr char kAdministrator[] = "Administrator";
constexpr char kRussianAdministrator[] = "Администратор";

void LayOut(TConfForm& form, TTabSheet& sheet) {
  auto& logon = AddGroupBox(form, sheet, "gbAutoLogon", " AutoLogon ", 4, 2, 345, 170);
  AddLabel(form, logon, "lblLoginName", "Login name", 8, 17);
  auto& login = AddEdit(form, logon, "LoginNameEdit", "", 70, 14, 120);
  AddLabel(form, logon, "Label13", "( DefaultUserName )", 196, 17);
  AddLabel(form, logon, "lblDomain", "Domain", 8, 39);
  AddEdit(form, logon, "DomainEdit", "", 70, 36, 120);
  AddLabel(form, logon, "Label14", "( DefaultDomainName )", 196, 39);
  AddLabel(form, logon, "lblPassword", "Password", 8, 61);
  auto& password = AddEdit(form, logon, "PasswordEdit", "", 70, 58, 120);
  password.SetPasswordChar('*');
  AddLabel(form, logon, "Label15", "( DefaultPassword )", 196, 61);
  AddCheckBox(form, logon, "cbEnableAutoLogon", "Enable autologon (disabled by default)", 8, 82, 330);
  AddCheckBox(form, logon, "cbDontDisplayLastUserName", "Don't display last user name (disabled by default)", 8, 99,
              330);
  AddCheckBox(form, logon, "cbDisableCAD", "Disable Control+Alt+Delete combination (by default)", 8, 116, 330, true);
  auto& count =
      AddCheckBox(form, logon, "cbAutoLogonCount", "Don't counts autologons in Windows 2000. Counter :", 8, 133, 262);
  count.SetEnabled(false);
  AddFieldName(form, logon, "lblAutoLogonCountNumber", "Autologon counter", 272, 132);
  auto& countEdit = AddEdit(form, logon, "edAutoLogonCount", "0", 272, 132, 45);
  auto& countSpinner = AddUpDown(form, logon, "udAutoLogonCount", countEdit, 0, 32767, 0);
  countEdit.SetEnabled(false);
  countSpinner.SetEnabled(false);
  AddCheckBox(form, logon, "cbForceAutoLogon", "Disable forced autologons in Windows 2000 (enabled by default)", 8, 150,
              330, true);

  auto& shutdown = AddGroupBox(form, sheet, "GroupBox5", " Shutdown settings ", 4, 174, 345, 62);
  AddCheckBox(form, shutdown, "cbClearPageFileAtShutdown", "Clear pagefile at shutdown (disabled by default)", 8, 13,
              330);
  AddCheckBox(form, shutdown, "cbPowerDownAfterShutDown",
              "Powerdown after shutdown if HAL support (disabled by default)", 8, 28, 330);
  AddCheckBox(form, shutdown, "cbDisableQuickReboot", "Disable quick reboot (enabled by default)", 8, 43, 330, true);

  auto& endTask = AddGroupBox(form, sheet, "gbEndTaskManagement", " End tasks management ", 4, 238, 345, 74);
  AddLabel(form, endTask, "Label23", "Hung applications timeout", 8, 16);
  auto& hung = AddEdit(form, endTask, "edHungApplication", "5000", 166, 13, 50);
  AddUpDown(form, endTask, "udHungApplication", hung, 1, 32767, 5000).SetArrowKeys(false);
  AddLabel(form, endTask, "Label29", "msec (5000 by default)", 236, 16);
  AddLabel(form, endTask, "Label25", "Wait to kill applications timeout", 8, 37);
  auto& wait = AddEdit(form, endTask, "edWaitToKillApp", "20000", 166, 34, 50);
  AddUpDown(form, endTask, "udWaitToKillApp", wait, 1, 32767, 20000).SetArrowKeys(false);
  AddLabel(form, endTask, "Label30", "msec (20000 by default)", 236, 37);
  AddCheckBox(form, endTask, "cbAutoEndTask", "Auto end tasks (disabled by default)", 8, 54, 330);

  AddGreyLegend(form, sheet, "CheckBox5", "lblNoRegistry0", 8, 314);

  auto& loginMenu = form.Add<TPopupMenu>("pmLoginName");
  AddMenuItem(form, loginMenu, "miTypeAdmine", "Внести 'Administrator'");
  AddMenuItem(form, loginMenu, "miTypeAdminr", "Внести 'Администратор'");
  AddMenuItem(form, loginMenu, "miCurrentUser", "Внести ");
  login.SetPopupMenu(&loginMenu);
  auto& passwordMenu = form.Add<TPopupMenu>("pmHidePassword");
  AddMenuItem(form, passwordMenu, "miShowPassword", "Show password");
  AddMenuItem(form, passwordMenu, "miHidePassword", "Hide password");
  password.SetPopupMenu(&passwordMenu);

  ShowHints(form, {"LoginNameEdit", "DomainEdit", "PasswordEdit", "cbEnableAutoLogon", "cbDontDisplayLastUserName",
                   "cbAutoLogonCount", "edAutoLogonCount", "cbForceAutoLogon", "cbDisableCAD",
                   "cbClearPageFileAtShutdown", "cbPowerDownAfterShutDown", "cbDisableQuickReboot", "edHungApplication",
                   "udHungApplication", "edWaitToKillApp", "udWaitToKillApp", "cbAutoEndTask"});
}

// The "Logon key" load section.
void LoadLogonKey(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kLogonKey, false)) {
    SetEnabled(form,
               {"cbEnableAutoLogon", "cbDontDisplayLastUserName", "lblLoginName", "lblDomain", "lblPassword",
                "LoginNameEdit", "DomainEdit", "PasswordEdit", "cbForceAutoLogon"},
               false);
    return;
  }
  ReadRows(form, reg, kLogonEdits);
  ReadRow(form, reg, kEnableAutoLogon);
  ReadRow(form, reg, kDontDisplayLastUserName);
  SystemApi& system = form.platform().system;
  if (IsWinNT4(system)) form.Find<Control>("cbDisableCAD").SetEnabled(false);
  ReadRow(form, reg, kDisableCAD);

  auto& count = form.Find<TCheckBox>("cbAutoLogonCount");
  if (IsWin2000(system)) {
    SetEnabled(form, {"cbAutoLogonCount", "cbForceAutoLogon"}, true);
    if (reg.ValueExists("AutoLogonCount")) {
      SetEnabled(form, {"udAutoLogonCount", "edAutoLogonCount"}, true);
      count.SetState(cbUnchecked);
      form.Find<TUpDown>("udAutoLogonCount").ShowNumber(reg.ReadDword("AutoLogonCount"));
    } else {
      // The box's handler enables the counter as it turns grey; the counter
      // stays off because the value is not there.
      count.SetState(cbGrayed);
      SetEnabled(form, {"udAutoLogonCount", "edAutoLogonCount"}, false);
    }
    ReadRow(form, reg, kForceAutoLogon);
  } else {
    SetEnabled(form, {"cbAutoLogonCount", "udAutoLogonCount", "edAutoLogonCount", "cbForceAutoLogon"}, false);
  }
  reg.CloseKey();
}

// The "Shutdown keys" load section: the NT 4.0 values are in a second key.
void LoadShutdownKeys(TConfForm& form, TRegistry& reg) {
  if (reg.OpenKey(kMemoryManagementKey, false)) {
    ReadRow(form, reg, kClearPageFile);
    reg.CloseKey();
  } else {
    form.Find<Control>("cbClearPageFileAtShutdown").SetEnabled(false);
  }
  SetEnabled(form, {"cbPowerDownAfterShutDown", "cbDisableQuickReboot"}, false);
  if (!IsWinNT4(form.platform().system)) return;
  SetEnabled(form, {"cbPowerDownAfterShutDown", "cbDisableQuickReboot"}, true);
  if (reg.OpenKey(kWinlogonKey, false)) {
    ReadRow(form, reg, kPowerDown);
    ReadRow(form, reg, kQuickReboot);
    reg.CloseKey();
  } else {
    SetEnabled(form, {"cbPowerDownAfterShutDown", "cbDisableQuickReboot"}, false);
  }
}

// The "End-task key" load section: the current user's end-task timeouts.
void LoadEndTaskKey(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kDesktopKey, false)) {
    SetEnabled(form, {"udHungApplication", "udWaitToKillApp", "cbAutoEndTask", "edHungApplication", "edWaitToKillApp"},
               false);
    return;
  }
  ReadRows(form, reg, kEndTaskRows);
  reg.CloseKey();
}

void SaveAutoLogon(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kLogonKey, false)) return;
  const bool autoLogon = form.Find<TCheckBox>("cbEnableAutoLogon").Checked();
  WriteRow(form, reg, kEnableAutoLogon);
  WriteRow(form, reg, kLogonEdits[0]);
  WriteRow(form, reg, kLogonEdits[1]);
  // The password stays in the registry only while autologon needs it.
  if (autoLogon) {
    WriteRow(form, reg, kLogonEdits[2]);
  } else {
    reg.DeleteValue("DefaultPassword");
  }
  WriteRow(form, reg, kDontDisplayLastUserName);
  SystemApi& system = form.platform().system;
  if (!IsWinNT4(system)) WriteRow(form, reg, kDisableCAD);
  if (IsWin2000(system)) {
    const auto& counter = form.Find<TUpDown>("udAutoLogonCount");
    if (form.Find<TCheckBox>("cbAutoLogonCount").State() == cbUnchecked) {
      if (LeftAsStored(counter)) {
        KeepAsStored(reg, "AutoLogonCount");
      } else {
        reg.WriteDword("AutoLogonCount", counter.Position());
      }
    } else {
      DeleteIfPresent(reg, "AutoLogonCount");
    }
    WriteRow(form, reg, kForceAutoLogon);
  }
  reg.CloseKey();
}

void SaveShutdown(TConfForm& form, TRegistry& reg) {
  if (reg.OpenKey(kMemoryManagementKey, false)) {
    WriteRow(form, reg, kClearPageFile);
    reg.CloseKey();
  }
  if (!IsWinNT4(form.platform().system)) return;
  if (reg.OpenKey(kWinlogonKey, false)) {
    WriteRow(form, reg, kPowerDown);
    reg.CloseKey();
  }
  if (reg.OpenKey(kWinlogonKey, false)) {
    WriteRow(form, reg, kQuickReboot);
    reg.CloseKey();
  }
}

void SaveEndTask(TConfForm& form, TRegistry& reg) {
  if (!reg.OpenKey(kDesktopKey, false)) return;
  WriteRows(form, reg, kEndTaskRows);
  reg.CloseKey();
}

void BindHandlers(TConfForm& form) {
  BindRowHandlers(form, kCommonHandlerRows);

  auto& enableAutoLogon = form.Find<TCheckBox>("cbEnableAutoLogon");
  auto& dontDisplay = form.Find<TCheckBox>("cbDontDisplayLastUserName");
  // The two boxes exclude each other, also while the load sets them.
  enableAutoLogon.OnClick = [&form, &enableAutoLogon, &dontDisplay](Component&) {
    if (enableAutoLogon.Checked()) dontDisplay.SetChecked(false);
    form.MarkModified(G::AutoLogon);
  };
  dontDisplay.OnClick = [&form, &enableAutoLogon, &dontDisplay](Component&) {
    if (dontDisplay.Checked()) enableAutoLogon.SetChecked(false);
    form.MarkModified(G::AutoLogon);
  };

  auto& count = form.Find<TCheckBox>("cbAutoLogonCount");
  count.OnClick = [&form, &count](Component&) {
    auto& spinner = form.Find<TUpDown>("udAutoLogonCount");
    auto& edit = form.Find<TEdit>("edAutoLogonCount");
    const bool counting = !count.Checked();
    spinner.SetEnabled(counting);
    edit.SetEnabled(counting);
    if (counting && spinner.ShownNumber() == 0) spinner.SetPosition(10);
    form.MarkModified(G::AutoLogon);
  };
  form.Find<TUpDown>("udAutoLogonCount").OnChanging = [&form](Component&, bool&) { form.MarkModified(G::AutoLogon); };

  // The login-name menu offers the current user unless that is the
  // administrator the first item already offers.
  form.Find<TPopupMenu>("pmLoginName").OnPopup = [&form](Component&) {
    SystemApi& system = form.platform().system;
    if (auto name = form.ShownUserName()) form.FUserName = system.AnsiToUtf8(*name);
    const auto again = form.ShownUserName();
    form.Find<TMenuItem>("miCurrentUser").SetEnabled(again.has_value() && *again != kAdministrator);
  };
  auto& login = form.Find<TEdit>("LoginNameEdit");
  form.Find<TMenuItem>("miTypeAdmine").OnClick = [&login](Component&) { login.SetText(kAdministrator); };
  form.Find<TMenuItem>("miTypeAdminr").OnClick = [&login](Component&) { login.SetText(kRussianAdministrator); };
  form.Find<TMenuItem>("miCurrentUser").OnClick = [&form, &login](Component&) {
    login.SetText(form.FUserName.substr(0, form.FUserName.find('\0')));
  };

  auto& password = form.Find<TEdit>("PasswordEdit");
  form.Find<TPopupMenu>("pmHidePassword").OnPopup = [&form, &password](Component&) {
    const bool hidden = password.PasswordChar() == '*';
    form.Find<TMenuItem>("miHidePassword").SetChecked(hidden);
    form.Find<TMenuItem>("miShowPassword").SetChecked(!hidden);
  };
  // Showing or hiding the password is no change to save: OK stays as it was.
  auto setMask = [&form, &password](char mask) {
    auto& ok = form.Find<Control>("ApplyBtn");
    const bool okEnabled = ok.Enabled();
    password.SetPasswordChar(mask);
    ok.SetEnabled(okEnabled);
  };
  form.Find<TMenuItem>("miHidePassword").OnClick = [setMask](Component&) { setMask('*'); };
  form.Find<TMenuItem>("miShowPassword").OnClick = [setMask](Component&) { setMask('\0'); };
}

}  // namespace

void BuildLogonPage(TConfForm& form, TTabSheet& sheet) {
  LayOut(form, sheet);
  BindHandlers(form);

  SettingsFrame& frame = form.Frame();
  frame.AddLoadSection({"Logon key", kHkeyLocalMachine, [&form](TRegistry& reg) { LoadLogonKey(form, reg); },
                        NamedControls(form, {"cbEnableAutoLogon", "cbDontDisplayLastUserName", "LoginNameEdit",
                                             "DomainEdit", "PasswordEdit", "cbDisableCAD", "cbAutoLogonCount",
                                             "edAutoLogonCount", "udAutoLogonCount", "cbForceAutoLogon"})});
  frame.AddLoadSection(
      {"Shutdown keys", kHkeyLocalMachine, [&form](TRegistry& reg) { LoadShutdownKeys(form, reg); },
       NamedControls(form, {"cbClearPageFileAtShutdown", "cbPowerDownAfterShutDown", "cbDisableQuickReboot"})});
  frame.AddLoadSection({"End-task key", kHkeyCurrentUser, [&form](TRegistry& reg) { LoadEndTaskKey(form, reg); },
                        NamedControls(form, {"edHungApplication", "udHungApplication", "edWaitToKillApp",
                                             "udWaitToKillApp", "cbAutoEndTask"})});

  frame.AddSaveGroup({G::AutoLogon, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveAutoLogon(form, reg); }, {}});
  frame.AddSaveGroup({G::Shutdown, kHkeyLocalMachine, [&form](TRegistry& reg) { SaveShutdown(form, reg); }, {}});
  frame.AddSaveGroup({G::EndTask, kHkeyCurrentUser, [&form](TRegistry& reg) { SaveEndTask(form, reg); }, {}});
}

}  // namespace varnox
