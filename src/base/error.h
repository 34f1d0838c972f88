#pragma once
// The library's own exceptions. They keep their message in a std::string of
// their own rather than deriving from std::runtime_error and its kin: those
// hold a second, reference-counted string type that a statically linked
// run-time brings in whole, with everything it touches.

#include <exception>
#include <string>
#include <utility>

namespace varnox {

class Error : public std::exception {
 public:
  explicit Error(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A caller broke one of the toolkit's rules: an empty, taken or unknown name,
// a component of the wrong kind or in the wrong place, an index out of range.
class UsageError : public Error {
 public:
  using Error::Error;
};

}  // namespace varnox
