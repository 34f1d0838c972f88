// The C++ run-time raises its own errors (a string too long, an index out of
// range, memory exhausted) through the std::__throw_* functions. Its versions
// throw std::length_error and kin, which drag in a second, reference-counted
// string type and the formatting behind their messages, a fifth of the
// library. These raise the same conditions as the library's own Error, which
// the window's handlers report like any other.
//
// Every function of the run-time's file is defined here, so the linker never
// takes that file; if a new compiler adds one, the link fails on a duplicate.

#include <cstdarg>
#include <new>
#include <string>
#include <typeinfo>

#include "base/error.h"

namespace {

// The run-time's messages carry only %zu and %s; anything else is copied.
std::string Format(const char* format, std::va_list arguments) {
  std::string text;
  for (const char* at = format; *at != '\0'; ++at) {
    if (at[0] == '%' && at[1] == 'z' && at[2] == 'u') {
      text += std::to_string(va_arg(arguments, std::size_t));
      at += 2;
    } else if (at[0] == '%' && at[1] == 's') {
      const char* argument = va_arg(arguments, const char*);
      text += argument != nullptr ? argument : "";
      ++at;
    } else {
      text += *at;
    }
  }
  return text;
}

[[noreturn]] void Raise(const char* message) { throw varnox::Error(message != nullptr ? message : ""); }

}  // namespace

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* message) { Raise(message); }
void __throw_domain_error(const char* message) { Raise(message); }
void __throw_invalid_argument(const char* message) { Raise(message); }
void __throw_length_error(const char* message) { Raise(message); }
void __throw_out_of_range(const char* message) { Raise(message); }
void __throw_runtime_error(const char* message) { Raise(message); }
void __throw_range_error(const char* message) { Raise(message); }
void __throw_overflow_error(const char* message) { Raise(message); }
void __throw_underflow_error(const char* message) { Raise(message); }

void __throw_out_of_range_fmt(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::string message = Format(format, arguments);
  va_end(arguments);
  throw varnox::Error(std::move(message));
}

}  // namespace std
