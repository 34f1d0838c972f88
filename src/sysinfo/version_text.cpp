#include "sysinfo/version_text.h"

#include "base/concat.h"
#include "settings/registry.h"
#include "settings/system_keys.h"
#include "sysinfo/os_predicates.h"

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

bool IsText(RegDataType type) { return type == RegDataType::String || type == RegDataType::ExpandString; }

// What replaced the service pack from Windows 8 on: "." and the update build
// revision, then ", " and the release's name ("23H2"; before 20H2 only the
// older "ReleaseId", "1909"). Values of another type count as not stored.
// Read-only, so that any user gets them.
std::string UpdateAndRelease(RegistryApi& registry) {
  TRegistry reg(registry);
  reg.SetRoot(kHkeyLocalMachine);
  if (!reg.OpenKeyReadOnly(kCurrentVersionKey)) return {};
  std::string text;
  if (reg.ValueType("UBR") == RegDataType::Integer) {
    text = "." + std::to_string(static_cast<std::uint32_t>(reg.ReadDword("UBR")));
  }
  for (const char* name : {"DisplayVersion", "ReleaseId"}) {
    if (!IsText(reg.ValueType(name))) continue;
    const std::string release = reg.ReadText(name);
    if (release.empty()) continue;
    text += ", " + release;
    break;
  }
  return text;
}

}  // namespace

std::string GetOSVersionText(Platform& platform) {
  const OsVersion version = platform.system.Version();
  std::string text = Concat({"Version ", std::to_string(version.major), ".", std::to_string(version.minor), " ( Build ",
                             std::to_string(version.build & 0xFFFF)});
  if (IsWin8OrLater(version)) text += UpdateAndRelease(platform.registry);
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
