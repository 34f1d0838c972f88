#include "version_fixtures.h"

namespace varnox {

const std::vector<VersionFixture>& VersionFixtures() {
  static const std::vector<VersionFixture> fixtures = {
      {"nt40.reg", &ScriptedSystem::WinNT4Sp6Workstation},
      {"win2k.reg", &ScriptedSystem::Win2000Professional},
      {"winxp.reg", &ScriptedSystem::WinXPSp3},
      {"win2003.reg", &ScriptedSystem::Win2003Server},
      {"vista.reg", &ScriptedSystem::WinVista},
      {"win7.reg", &ScriptedSystem::Win7X64},
      {"win81.reg", &ScriptedSystem::Win81X64},
      {"win10.reg", &ScriptedSystem::Win10X64},
      {"win11.reg", &ScriptedSystem::Win11X64},
  };
  return fixtures;
}

}  // namespace varnox
