#pragma once
// Strings of a file's version resource.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/system_api.h"

namespace varnox {

// The string `name` ("FileVersion", "ProductVersion", ...) of the version
// resource of the file at `path` (ANSI), looked up under the first entry of
// the resource's translation table; empty when the file has no version
// resource or the string is missing. The result is UTF-8.
std::string GetVersionValue(SystemApi& system, const std::string& path, const std::string& name);
// The same for several names, with the file read once.
std::vector<std::string> GetVersionValues(SystemApi& system, const std::string& path,
                                          const std::vector<std::string>& names);

// The sub-block key of a translation entry: language then code page, each as
// four upper-case hexadecimal digits (0x04E30419 gives "041904E3").
std::string TranslationKey(std::uint32_t translation);

}  // namespace varnox
