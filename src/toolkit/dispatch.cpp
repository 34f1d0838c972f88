#include "toolkit/dispatch.h"

#include <exception>

namespace varnox {

namespace {

void Report(ErrorSink& sink, const char* message) noexcept {
  try {
    sink.ShowError(message);
  } catch (...) {
    // The sink is the last resort; an error inside it has nowhere to go.
  }
}

}  // namespace

bool RunHandler(const std::function<void()>& handler, ErrorSink& sink) noexcept {
  try {
    if (handler) handler();
    return true;
  } catch (const std::exception& error) {
    Report(sink, error.what());
  } catch (...) {
    Report(sink, kUnknownErrorText);
  }
  return false;
}

}  // namespace varnox
