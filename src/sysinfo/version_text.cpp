#include "sysinfo/version_text.h"

#include "settings/registry.h"
#include "settings/system_keys.h"

namespace varnox {
namespace {

// Present once the NT 4.0 Service Pack 6a fix is installed.
constexpr char kServicePack6aKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009";

bool KeyOpens(RegistryApi& registry, const char* path) {
  TRegistry reg(registry);
  reg.SetRoot(kHkeyLocalMachine);
  return reg.OpenKey(path, false);
}

std::string SubVersionNumber(RegistryApi& registry) {
  TRegistry reg(registry);
  reg.SetRoot(kHkeyLocalMachine);
  if (!reg.OpenKey(kCurrentVersionKey, false)) return {};
  std::string subVersion;
  if (reg.ValueExists("SubVersionNumber")) subVersion = reg.ReadText("SubVersionNumber");
  reg.CloseKey();
  return subVersion;
}

}  // namespace

std::string GetOSVersionText(Platform& platform) {
  const OsVersion version = platform.system.Version();
  std::string text = "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) + " ( Build " +
                     std::to_string(version.build & 0xFFFF);
  if (!version.servicePack.empty()) text += " " + version.servicePack;
  // The letter goes right behind the service pack: "Service Pack 6a".
  if (version.major == 4 && KeyOpens(platform.registry, kServicePack6aKey)) text += "a";
  text += SubVersionNumber(platform.registry);
  text += " )";
  return platform.system.AnsiToUtf8(text);
}

std::string GetPlusVersionText(Platform& platform) {
  TRegistry reg(platform.registry);
  reg.SetRoot(kHkeyLocalMachine);
  if (!reg.OpenKey(kCurrentVersionKey, false)) return {};
  const std::string plusVersion = reg.ReadText("Plus! VersionNumber");
  reg.CloseKey();
  if (plusVersion.empty()) return {};
  return platform.system.AnsiToUtf8("Plus! version " + plusVersion);
}

}  // namespace varnox
