#pragma once
// The window's model with no window: the form built over a platform, its
// creation steps run (the load among them), in the language asked for.
// Everything the commands do goes through it, so that no rule of the window
// is written a second time.

#include <memory>
#include <optional>
#include <string>

#include "cli/console_services.h"
#include "settings/reg_file_format.h"
#include "window/form/conf_form.h"

namespace varnox::cli {

class HeadlessWindow {
 public:
  // `errors` receives what the window would show in message boxes.
  HeadlessWindow(Platform& platform, std::string& errors, const std::optional<std::string>& language);

  TConfForm& Form() { return *form_; }
  ConsoleServices& Services() { return services_; }
  Platform& platform() { return platform_; }
  // Whether every load section read its key: the window then shows what is stored.
  bool Loaded() const;
  bool Russian() const { return russian_; }
  // The codec of the registry's ANSI text.
  AnsiCodec Codec() const;

 private:
  Platform& platform_;
  ConsoleServices services_;
  std::unique_ptr<TConfForm> form_;
  bool russian_ = false;
};

}  // namespace varnox::cli
