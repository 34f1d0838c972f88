#pragma once
// The start parameter that names whose per-user settings a window shows:
// "/user:" and a SID string. The elevated restart writes it; the applet
// reads it from the host's memory. Both go through here, so the form and
// its length limit have one home.

#include <optional>
#include <string>
#include <string_view>

namespace varnox {

// "/user:" and the SID of the user whose per-user settings the new window
// shows.
std::string UserStartParameter(const std::string& sid);
// The SID that such a parameter names; nullopt for any other text, so that
// only a parameter of this form changes how the applet starts.
std::optional<std::string> UserOfStartParameter(std::string_view parameter);
// The same for a NUL-terminated parameter in the host's memory, ANSI or
// wide. It is read one character at a time and never past the first
// character that cannot belong to a parameter of this form, nor past the
// longest such parameter, whatever follows in the host's memory.
std::optional<std::string> UserOfHostStartParameter(const char* text);
std::optional<std::string> UserOfHostStartParameter(const char16_t* text);

}  // namespace varnox
