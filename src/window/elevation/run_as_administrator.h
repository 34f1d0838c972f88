#pragma once
// Reopening the window with an administrator's rights. The new window may
// run as another account (a standard user who typed an administrator's
// password): the start parameter (user_start_parameter.h) then tells it
// whose settings to show.

namespace varnox {

inline constexpr char kLogOnAsAdministratorText[] = "Log on as an administrator to change these settings.";
inline constexpr char kDiscardChangesQuestion[] = "Discard your changes and open the window again as an administrator?";

}  // namespace varnox
