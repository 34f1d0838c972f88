#pragma once
// Reopening the window with an administrator's rights. The new window may
// run as another account (a standard user who typed an administrator's
// password): the start parameter then tells it whose settings to show.

#include <optional>
#include <string>
#include <string_view>

namespace varnox {

inline constexpr char kLogOnAsAdministratorText[] = "Log on as an administrator to change these settings.";
inline constexpr char kDiscardChangesQuestion[] = "Discard your changes and open the window again as an administrator?";

// "/user:" and the SID of the user whose per-user settings the new window
// shows.
std::string UserStartParameter(const std::string& sid);
// The SID that such a parameter names; nullopt for any other text, so that
// only a parameter of this form changes how the applet starts.
std::optional<std::string> UserOfStartParameter(std::string_view parameter);

}  // namespace varnox
