#include "window/form/conf_form.h"

#include "settings/write_filter_registry.h"

namespace varnox {

TConfForm::TConfForm(Platform& platform, WindowServices& services)
    : TForm("ConfForm"),
      platform_(platform),
      services_(services),
      loadReads_(platform.registry),
      platformSeen_{loadReads_, platform.system},
      frame_(loadReads_) {
  BuildLayout();
  RunPageBuilders();
}

TConfForm::~TConfForm() { Find<TButton>("ApplyBtn").RemoveObserver(saveChangesFollowsOk_); }

void TConfForm::LoadSettings() {
  loadStarted_ = true;
  FLoaded = false;
  // Whatever the load read is what a backup restores, however it ends.
  struct Recording {
    ReadLogRegistry& log;
    ~Recording() { log.SetRecording(false); }
  } recording{loadReads_};
  loadReads_.SetRecording(true);
  if (designStates_.Empty()) designStates_ = ControlStates(SectionControls());
  frame_.Load();
  FLoaded = true;
}

std::optional<std::string> TConfForm::ShownUserName() {
  SystemApi& system = platform_.system;
  return FShownUserSid.empty() ? system.UserName() : system.AccountName(FShownUserSid);
}

std::vector<Control*> TConfForm::SectionControls() const {
  std::vector<Control*> controls;
  for (const LoadSection& section : frame_.Sections())
    controls.insert(controls.end(), section.controls.begin(), section.controls.end());
  return controls;
}

ExternalChanges TConfForm::SaveSettings() {
  ExternalChanges kept = ChangedElsewhere();
  WriteFilterRegistry filter(platform_.registry, kept.spared);
  frame_.Save(flags_, filter);
  return kept;
}

// What OK would write is compared with what it would write had the user
// left every control as the load did: a value both write alike is not the
// user's. The controls go back as they were, as do the flags and OK.
ExternalChanges TConfForm::ChangedElsewhere() {
  if (loadedStates_.Empty()) return {};
  RegistryApi& registry = platform_.registry;
  const std::vector<RegistryEdit> writes = frame_.PendingWrites(flags_, registry);
  const ControlStates current(SectionControls());
  const ModifiedFlags flags = flags_;
  const bool okEnabled = Find<TButton>("ApplyBtn").Enabled();
  const bool loaded = FLoaded;
  // Not from a destructor: a handler that raises while the controls go
  // back reaches the caller's message box.
  const auto putBack = [&] {
    FLoaded = false;
    current.Restore();
    flags_ = flags;
    Find<TButton>("ApplyBtn").SetEnabled(okEnabled);
    FLoaded = loaded;
  };
  std::vector<RegistryEdit> asLoaded;
  try {
    FLoaded = false;
    loadedStates_.Restore();
    asLoaded = frame_.PendingWrites(flags, registry);
  } catch (...) {
    putBack();
    throw;
  }
  putBack();
  return FindExternalChanges(writes, asLoaded, usersValues_, loadReads_, registry);
}

void TConfForm::MarkModified(SettingGroup group) {
  Find<TButton>("ApplyBtn").SetEnabled(true);
  flags_.Raise(group);
}

// Pressing OK has set the modal result before this runs, so the window
// closes also when the save stops with an error; the groups after the
// failing one stay unwritten.
void TConfForm::ApplyBtnClick(Component& /*sender*/) {
  ServicesErrorSink sink(services_);
  ExternalChanges kept;
  RunHandler([this, &kept] { kept = SaveSettings(); }, sink);
  if (!kept.names.empty()) services_.ShowMessage(KeptElsewhereMessage(kept.names));
  Close();
}

void TConfForm::CancelBtnClick(Component& /*sender*/) { Close(); }

// Focus set-up after the user switched pages. The Internet and IDE/ATAPI
// steps act only on controls that exist and can act: a disabled profile list
// cannot take the focus but still shows its first entry, and an empty device
// list has nothing to select or show.
void TConfForm::PageControlChange(Component& /*sender*/) {
  const TTabSheet* page = Find<TPageControl>("PageControl").ActivePage();
  const std::string name = page != nullptr ? page->Name() : std::string();
  if (name == "tsInternet") {
    if (auto* profiles = dynamic_cast<TComboBox*>(FindComponent("cbTCPProfile"))) {
      FocusControl(profiles);
      // The first adapter is shown along with its selection, so that what
      // the user types next lands in the adapter on the screen.
      if (!profiles->Items().empty()) {
        profiles->SetItemIndex(0);
        if (profiles->OnChange) profiles->OnChange(*profiles);
      }
    }
  }
  if (name != "tsIDE") {
    FocusControl(nullptr);
    return;
  }
  auto* drives = dynamic_cast<TListView*>(FindComponent("lvDrives"));
  if (drives == nullptr) return;
  FocusControl(drives);
  SelectFirst();
  for (int step = 0; step < 4; ++step) SelectNext(true);
  if (drives->Items().empty()) return;
  drives->SetSelected(0);
  drives->SetItemFocused(0);
  if (drives->OnClick) drives->OnClick(*drives);
}

}  // namespace varnox
