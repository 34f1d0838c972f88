#include "window/run_as_administrator.h"

#include "window/conf_form.h"

namespace varnox {

namespace {

constexpr std::string_view kUserPrefix = "/user:";
// Longer than any SID string: "S-1-" and at most 15 numbers of 10 digits.
constexpr std::size_t kMaxSidLength = 184;
// Windows 2000 is the first that starts a program as another user.
constexpr std::uint32_t kFirstMajorWithRunAs = 5;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "S-1-" then numbers separated by single hyphens, nothing else.
bool IsSidString(std::string_view text) {
  if (text.size() > kMaxSidLength || text.substr(0, 4) != "S-1-" || text.size() == 4) return false;
  bool afterHyphen = true;
  for (const char c : text.substr(4)) {
    if (c == '-') {
      if (afterHyphen) return false;
      afterHyphen = true;
    } else if (IsDigit(c)) {
      afterHyphen = false;
    } else {
      return false;
    }
  }
  return !afterHyphen;
}

}  // namespace

std::string UserStartParameter(const std::string& sid) { return std::string(kUserPrefix) + sid; }

std::optional<std::string> UserOfStartParameter(std::string_view parameter) {
  if (parameter.substr(0, kUserPrefix.size()) != kUserPrefix) return std::nullopt;
  const std::string_view sid = parameter.substr(kUserPrefix.size());
  if (!IsSidString(sid)) return std::nullopt;
  return std::string(sid);
}

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
  std::string parameters = "shell32.dll,Control_RunDLL \"" + system.LibraryPath() + "\"," + kAppletName;
  if (const auto sid = system.UserSid()) parameters += "," + UserStartParameter(*sid);
  const long result = system.StartAsAdministrator(system.SystemDirectory() + "\\rundll32.exe", parameters);
  if (result == kErrorSuccess) {
    Close();
  } else if (result != kErrorCancelled) {
    services_.ShowError(system.ErrorText(result));
  }
}

}  // namespace varnox
