#include "sysinfo/host_process.h"

namespace varnox {

bool IsRunDll32Host(SystemApi& system) {
  const std::string host = system.UpperCase(system.HostExecutablePath());
  const std::string expected = system.UpperCase(system.SystemDirectory() + "\\rundll32.exe");
  return host == expected;
}

}  // namespace varnox
