#pragma once
// Each version's registry fixture with the scripted system it belongs to,
// for tests that run the window over every version.

#include <vector>

#include "scripted_system.h"

namespace varnox {

struct VersionFixture {
  const char* fixture;  // under fixtures/, e.g. "winxp.reg"
  ScriptedSystem (*system)();
};

const std::vector<VersionFixture>& VersionFixtures();

}  // namespace varnox
