#pragma once
// The registry of a test's prefix as the end-to-end tests compare it: every
// value under the trees the window works in, one line each,
// "HKLM\\path\\name" with its type and data in hex; keys as "HKLM\\path\\".

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace varnox::test {

using Dump = std::map<std::string, std::string>;

Dump DumpRegistry();
// The names whose lines differ, or that only one dump has.
std::vector<std::string> Differences(const Dump& a, const Dump& b);
// A dump in a file, to hand from one run to another.
void Save(const Dump& dump, const std::string& path);
Dump Load(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace varnox::test
