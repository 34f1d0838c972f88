#pragma once
// The one place where handler exceptions stop. The model lets exceptions
// from event handlers pass; every Win32 callback of the view runs its work
// through RunHandler, so no exception crosses into the system and each one
// is shown to the user (a message box) while the window goes on.

#include <functional>
#include <string>

namespace varnox {

class ErrorSink {
 public:
  virtual void ShowError(const std::string& message) = 0;

 protected:
  ~ErrorSink() = default;
};

// What the sink is given for an exception that is not a std::exception.
inline constexpr const char* kUnknownErrorText = "An unexpected error occurred.";

// Runs `handler`. An exception leaving it goes to `sink` with its what()
// text; false is returned then, true when the handler finished. Nothing
// escapes, not even from the sink.
bool RunHandler(const std::function<void()>& handler, ErrorSink& sink) noexcept;

}  // namespace varnox
