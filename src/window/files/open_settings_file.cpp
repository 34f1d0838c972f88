// The options panel's third registry file button: a file opened into the
// window, shown as pending changes; nothing is written until OK.

#include "base/concat.h"
#include "settings/reg_file_reader.h"
#include "window/files/open_file_texts.h"
#include "window/files/settings_import.h"
#include "window/form/conf_form.h"

namespace varnox {

void TConfForm::btnOpenSettingsClick(Component& /*sender*/) {
  const std::optional<std::string> path = services_.AskOpenFileName("Open settings file");
  if (!path) return;
  std::vector<std::uint8_t> bytes;
  if (const auto failure = platform_.system.ReadWholeFile(*path, bytes)) {
    services_.ShowError(Concat({"Cannot read ", *path, ": ", *failure}));
    return;
  }
  services_.ShowMessage(OpenSettingsFile(bytes));
}

std::string TConfForm::OpenSettingsFile(const std::vector<std::uint8_t>& bytes) {
  SystemApi& system = platform_.system;
  const AnsiCodec codec{[&system](const std::string& ansi) { return system.AnsiToUtf8(ansi); },
                        [&system](const std::string& utf8) { return system.Utf8ToAnsi(utf8); }};
  const OpenedFile file = ShowSettings(ParseRegFile(bytes, codec), codec);
  const bool russian = Find<TCheckBox>("cbSwitchLanguage").Checked();
  return OpenedFileMessage(file, russian ? RussianOpenFileTexts() : EnglishOpenFileTexts(), system);
}

OpenedFile TConfForm::ShowSettings(const RegFileContents& contents, const AnsiCodec& codec) {
  auto& ok = Find<TButton>("ApplyBtn");
  const bool okEnabled = ok.Enabled();
  // As in the window's own load: handlers that act only on a user's change
  // keep still while the file's values go in.
  FLoaded = false;
  struct Loaded {
    TConfForm& form;
    ~Loaded() { form.FLoaded = true; }
  } loaded{*this};
  OpenedFile file = ShowFileInWindow(frame_, designStates_, flags_, loadReads_, platform_.registry, contents, codec);
  ok.SetEnabled(okEnabled || flags_.AnyRaised());
  for (const RegistryValueRef& value : file.shown) usersValues_.Add(value);
  return file;
}

}  // namespace varnox
