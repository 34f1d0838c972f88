#pragma once
// Version, build and service-pack text, and the Plus! pack version, for the
// Information page. Both return UTF-8; the parts that come from the system and
// the registry arrive as ANSI text and are converted.
//
// A "SubVersionNumber" or "Plus! VersionNumber" value that is not text raises
// the accessor's ERegistryException ("Invalid data type for '...'").

#include <string>

#include "platform/platform.h"

namespace varnox {

// "Version 5.1 ( Build 2600 Service Pack 3 )", with the NT 4.0 hot fix letter
// and the sub-version from the registry where they exist.
std::string GetOSVersionText(Platform& platform);

// "Plus! version " and the installed Plus! pack version, or empty.
std::string GetPlusVersionText(Platform& platform);

}  // namespace varnox
