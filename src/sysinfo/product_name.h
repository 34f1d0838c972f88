#pragma once
// What the running Windows release is called, for the Information page.

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace varnox {

// Product name of an NT-family system with its edition and word size, or
// "Microsoft Windows NT platform" for a release it does not know. The registry
// is asked only on NT 4.0 before Service Pack 6, which does not report
// whether it is a workstation or a server.
std::string GetNTProductName(Platform& platform);

// The same for version 6.2 and later, given the extended version record and
// the native processor architecture; the edition comes from GetProductInfo
// asked with the true version, else from the registry's "EditionID".
std::string GetWindows8AndLaterName(Platform& platform, const OsVersionEx& version, std::uint16_t architecture);

// Product name of a Windows 95/98/Me system; empty on any other platform.
std::string GetWin9xProductName(SystemApi& system);

}  // namespace varnox
