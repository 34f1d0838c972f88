#pragma once
// Physical memory and file-cache figures of the Information page, in
// kilobytes followed by " Kb".

#include <string>

#include "platform/system_api.h"

namespace varnox {

// What the file-cache label shows where the figure cannot be had: on Windows
// 95/98/Me, and when the system refuses the query.
inline constexpr char kFileCacheNotAvailableText[] = "File cache information not available";

std::string TotalMemoryText(SystemApi& system);
std::string FreeMemoryText(SystemApi& system);

// "<current> Kb ( peak size <peak> Kb )"; empty when the system has no
// file-cache query at all.
std::string GetFileCacheText(SystemApi& system);

}  // namespace varnox
