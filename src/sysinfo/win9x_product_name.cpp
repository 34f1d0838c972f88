#include "sysinfo/product_name.h"

namespace varnox {

std::string GetWin9xProductName(SystemApi& system) {
  const OsVersion version = system.Version();
  if (version.platform != kPlatformWindows9x) return {};

  std::string name = "Microsoft Windows ";
  // The high word of the build field repeats the version; the build is the low word.
  const std::uint32_t build = version.build & 0xFFFF;
  if (version.major == 4 && version.minor == 0) {
    name += "95";
    if (build == 1111) {
      name += " OSR2";
    } else if (build == 1212 || build == 1214) {
      name += " OSR2 with USB support";
    }
  } else if (version.major == 4 && version.minor == 10) {
    name += "98";
    if (build == 2222) name += " Second Edition";
  } else if (version.major == 4 && version.minor == 90) {
    name += "Millenium";
  }
  return name;
}

}  // namespace varnox
