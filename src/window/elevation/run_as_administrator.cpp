#include "window/elevation/run_as_administrator.h"

#include "base/concat.h"
#include "window/elevation/user_start_parameter.h"
#include "window/form/conf_form.h"

namespace varnox {

namespace {

// Windows 2000 is the first that starts a program as another user.
constexpr std::uint32_t kFirstMajorWithRunAs = 5;

}  // namespace

void TConfForm::OfferRunAsAdministrator() {
  auto& button = Find<TButton>("btnRunAsAdmin");
  // Vista and 7 mark what asks for elevation with the shield.
  button.SetElevationShield(platform_.system.Version().major > kFirstMajorWithRunAs);
  button.SetVisible(!frame_.ReadOnlySections().empty());
}

// The same applet through the Control Panel's own starter, with the verb
// that asks for an administrator's rights; this window then closes as with
// Cancel, since the new one shows the same settings.
void TConfForm::btnRunAsAdminClick(Component& /*sender*/) {
  SystemApi& system = platform_.system;
  if (system.Version().major < kFirstMajorWithRunAs) {
    services_.ShowMessage(kLogOnAsAdministratorText);
    return;
  }
  if (Find<TButton>("ApplyBtn").Enabled() && !services_.Confirm(kDiscardChangesQuestion)) return;
  std::string parameters = Concat({"shell32.dll,Control_RunDLL \"", system.LibraryPath(), "\",", kAppletName});
  if (const auto sid = system.UserSid()) parameters += "," + UserStartParameter(*sid);
  const long result = system.StartAsAdministrator(system.SystemDirectory() + "\\rundll32.exe", parameters);
  if (result == kErrorSuccess) {
    Close();
  } else if (result != kErrorCancelled) {
    services_.ShowError(system.ErrorText(result));
  }
}

}  // namespace varnox
