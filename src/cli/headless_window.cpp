#include "cli/headless_window.h"

#include "window/texts/load_locale.h"

namespace varnox::cli {

HeadlessWindow::HeadlessWindow(Platform& platform, std::string& errors, const std::optional<std::string>& language)
    : platform_(platform), services_(errors) {
  form_ = std::make_unique<TConfForm>(platform_, services_);
  form_->FormCreate();
  russian_ = language ? *language == "ru" : IsRussianLocale(LibraryLoadLocale());
  if (russian_) {
    form_->SetRussianTexts();
  } else {
    form_->SetEnglishTexts();
  }
}

bool HeadlessWindow::Loaded() const {
  const SettingsFrame& frame = form_->Frame();
  return form_->FIsNT && frame.LoadedSections() == frame.Sections().size();
}

AnsiCodec HeadlessWindow::Codec() const {
  SystemApi& system = platform_.system;
  return {[&system](const std::string& ansi) { return system.AnsiToUtf8(ansi); },
          [&system](const std::string& utf8) { return system.Utf8ToAnsi(utf8); }};
}

}  // namespace varnox::cli
