#pragma once
// Counts the registry calls a loaded library makes, by pointing its import
// table entries for the advapi32 registry functions at counting wrappers.
// Each call is counted under the section named last (SetSection), and every
// value whose data is read is remembered by key and name, so that a value
// read twice in one opening shows.

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace varnox::bench {

// Patches `module`'s imports; returns how many entries it redirected.
int CountRegistryCalls(HMODULE module);
// Calls from now on count under `section`.
void SetSection(const std::string& section);

struct RegistryTally {
  std::map<std::string, long> byFunction;
  std::vector<std::pair<std::string, long>> bySection;  // in the order the sections first called
  // Values ("root\key\name") whose data was read more than once, with the count.
  std::vector<std::pair<std::string, long>> readTwice;
  long total = 0;
};

// Calls made since the last reset.
RegistryTally RegistryCalls();
void ResetRegistryCalls();

}  // namespace varnox::bench
