// The C++ run-time's default terminate handler prints demangled type names,
// which links its whole demangler into the library (a sixth of its size). An
// applet has no console to print to, so a plain abort does the same job.

#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
