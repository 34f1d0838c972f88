// The options panel's two registry files: the changes OK would write, and a
// backup of every value the window manages. Both go through the Save As
// dialog and one writer; the registry is only read.

#include "base/concat.h"
#include "settings/reg_file_writer.h"
#include "window/files/settings_export.h"
#include "window/form/conf_form.h"

namespace varnox {

void TConfForm::SaveChangesFollowsOk::PropertyChanged(Component& component, Property property) {
  if (property != Property::Enabled) return;
  for (const char* name : {"btnSaveChanges", "btnSaveGroupPolicy"}) {
    if (auto* button = dynamic_cast<TButton*>(form_.FindComponent(name))) {
      button->SetEnabled(static_cast<Control&>(component).Enabled());
    }
  }
}

// The registry is read once the user has chosen where: the file holds what
// stands at that moment.
void TConfForm::btnSaveChangesClick(Component& /*sender*/) {
  const std::optional<std::string> path = services_.AskSaveFileName("Save changes as", kChangesFileName);
  if (!path) return;
  const ExternalChanges kept = ChangedElsewhere();
  WriteRegFile(*path, "the changes OK would write", PendingChanges(frame_, flags_, platform_.registry, kept.spared));
}

void TConfForm::btnBackupClick(Component& /*sender*/) {
  const std::optional<std::string> path = services_.AskSaveFileName("Back up settings as", kBackupFileName);
  if (!path) return;
  // Nothing is managed where nothing was loaded.
  WriteRegFile(
      *path, "a backup of the values Varnox manages",
      loadStarted_ ? BackupOfManagedValues(frame_, loadReads_, platform_.registry) : std::vector<RegistryEdit>{});
}

void TConfForm::WriteRegFile(const std::string& path, const std::string& contents, std::vector<RegistryEdit> edits) {
  SystemApi& system = platform_.system;
  const std::string windows = Find<TLabel>("SysLabel").Caption() + ", " + Find<TLabel>("SysVerLabel").Caption();
  edits.insert(edits.begin(), RegistryEdit{.name = Concat({windows, ", ", system.LocalTimeText(), ": ", contents})});
  const OsVersion version = system.Version();
  const RegFileFormat format =
      version.platform == kPlatformNT && version.major >= 5 ? RegFileFormat::Version5 : RegFileFormat::Regedit4;
  const AnsiCodec codec{[&system](const std::string& ansi) { return system.AnsiToUtf8(ansi); },
                        [&system](const std::string& utf8) { return system.Utf8ToAnsi(utf8); }};
  if (const auto failure = system.WriteWholeFile(path, RegFileBytes(format, edits, codec))) {
    services_.ShowError(Concat({"Cannot write ", path, ": ", *failure}));
  }
}

}  // namespace varnox
