// The creation step of the configuration window, in its fixed order, and the
// safe state it leaves the window in when a step fails.

#include <exception>

#include "settings/kilobytes.h"
#include "sysinfo/host_process.h"
#include "sysinfo/os_predicates.h"
#include "sysinfo/product_name.h"
#include "sysinfo/version_text.h"
#include "sysinfo/version_value.h"
#include "window/form/conf_form.h"

namespace varnox {

void TConfForm::FormCreate() {
  std::string message;
  try {
    RunCreationSteps();
    OfferRunAsAdministrator();
    return;
  } catch (const std::exception& error) {
    message = error.what();
  } catch (...) {
    message = kUnknownErrorText;
  }
  EnterSafeStateAfterError();
  OfferRunAsAdministrator();
  services_.ShowError(message);
}

void TConfForm::RunCreationSteps() {
  SystemApi& system = platform_.system;
  const OsVersion version = system.Version();
  FIsNT = false;
  FLoaded = false;
  FNormalHeight = Height();

  FillSystemTexts(version.platform);
  // One memory query for both figures.
  const MemoryStatus memory = system.Memory();
  Find<TLabel>("TotalMemoryLabel").SetCaption(KilobytesText(memory.totalPhysical));
  Find<TLabel>("FreeMemoryLabel").SetCaption(KilobytesText(memory.availablePhysical));
  Find<TLabel>("SysVerLabel").SetCaption(GetOSVersionText(platform_));

  if (!FIsNT) {
    ApplyNonNTGate();
    return;
  }

  if (const auto name = ShownUserName()) {
    FUserName = system.AnsiToUtf8(*name);
  } else if (auto* item = dynamic_cast<TMenuItem*>(FindComponent("miCurrentUser"))) {
    // The menu belongs to the Logon page; without that page there is nothing to disable.
    item->SetEnabled(false);
  }
  ApplyLocaleLanguage();
  FillVersionLabels();
  ApplicationHints().SetHidePause(kInitialHintHidePause);
  Find<TUpDown>("udHintPause").SetPosition((kInitialHintHidePause + 500) / 1000);

  LoadSettings();
  // The load's own handler calls enabled OK and raised flags; a fresh window
  // has nothing to save.
  Find<TButton>("ApplyBtn").SetEnabled(false);
  flags_.LowerAll();
  loadedStates_ = ControlStates(SectionControls());

  if (IsWin2000(system)) {
    for (int pass = 0; pass < kWin2000MessagePasses; ++pass) services_.ProcessMessages();
  }
}

void TConfForm::FillSystemTexts(std::uint32_t platformId) {
  auto& sys = Find<TLabel>("SysLabel");
  switch (platformId) {
    case kPlatformWin32s:
      sys.SetCaption("Win32s");
      break;
    case kPlatformWindows9x:
      sys.SetCaption(GetWin9xProductName(platform_.system));
      break;
    case kPlatformNT:
      sys.SetCaption(GetNTProductName(platform_));
      Find<TLabel>("SysPlusLabel").SetCaption(GetPlusVersionText(platform_));
      FIsNT = true;
      break;
    default:
      break;
  }
}

// Outside the NT family nothing is loaded and the pages take no input; the
// About group warns instead of naming versions. OK keeps its layout state.
void TConfForm::ApplyNonNTGate() {
  ApplyLocaleLanguage();
  for (const char* caption : {"lblProductVer", "lblFileVer", "lblAuthor"}) {
    Find<TLabel>(caption).SetFontStyle(fsStrikeOut);
  }
  for (auto [name, text] : {std::pair{"ProductVerLabel", " Warning !"},
                            std::pair{"FileVerLabel", " This program designed specially for Windows NT."},
                            std::pair{"AuthorLabel", " Do not use under Windows 95/98 or Windows ME."}}) {
    auto& label = Find<TLabel>(name);
    label.SetFontColor(clRed);
    label.SetCaption(text);
  }
  Find<TPageControl>("PageControl").SetEnabled(false);
}

void TConfForm::FillVersionLabels() {
  SystemApi& system = platform_.system;
  const bool rundll32 = IsRunDll32Host(system);
  // The applet's own file, whichever program hosts it: the labels name this
  // program's version, never the host's.
  const std::vector<std::string> values =
      GetVersionValues(system, system.LibraryPath(), {"ProductVersion", "FileVersion", "LegalCopyright"});
  Find<TLabel>("ProductVerLabel").SetCaption(values[0]);
  Find<TLabel>("FileVerLabel").SetCaption(values[1] + (rundll32 ? kRunDll32Suffix : kApplicationSuffix));
  Find<TLabel>("AuthorLabel").SetCaption(values[2]);
}

// A step failed. Controls that show design states nobody read from the
// registry must not reach OK: the frame has already disabled the sections
// from the failing one on; when the load never started, no section loaded
// (and outside the NT family none ever will, so the pages go off as the gate
// would have it). The load's handler calls may have raised flags and enabled
// OK; neither stands. The load is over either way, so later changes of the
// controls that did load count as the user's.
void TConfForm::EnterSafeStateAfterError() {
  if (!loadStarted_) {
    for (const LoadSection& section : frame_.Sections()) {
      for (Control* control : section.controls) control->SetEnabled(false);
    }
    if (platform_.system.Version().platform != kPlatformNT) Find<TPageControl>("PageControl").SetEnabled(false);
  }
  if (!languageApplied_) ApplyLocaleLanguage();
  flags_.LowerAll();
  if (loadStarted_ && loadedStates_.Empty()) loadedStates_ = ControlStates(SectionControls());
  Find<TButton>("ApplyBtn").SetEnabled(false);
  FLoaded = true;
}

}  // namespace varnox
