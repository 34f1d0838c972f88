// Product names of Windows 8 and later and of their servers: a prefix by
// version (and, on servers of version 10.0, by build), the edition as Windows
// names it today, and the word size.

#include <cstdint>
#include <string_view>

#include "settings/registry.h"
#include "settings/system_keys.h"
#include "sysinfo/product_name.h"

namespace varnox {
namespace {

struct Edition {
  std::uint8_t code;  // GetProductInfo's product type
  const char* name;
};

// Server Core installations of 2012 and later report the codes of the full
// installation.
constexpr Edition kEditions[] = {
    {0x04, "Enterprise"},
    {0x07, "Standard"},
    {0x08, "Datacenter"},
    {0x1B, "Enterprise N"},
    {0x30, "Pro"},
    {0x31, "Pro N"},
    {0x32, "Essentials"},
    {0x48, "Enterprise Evaluation"},
    {0x4F, "Standard Evaluation"},
    {0x50, "Datacenter Evaluation"},
    {0x54, "Enterprise N Evaluation"},
    {0x62, "Home N"},
    {0x63, "Home China"},
    {0x64, "Home Single Language"},
    {0x65, "Home"},
    {0x67, "Pro with Media Center"},
    {0x79, "Education"},
    {0x7A, "Education N"},
    {0x7D, "Enterprise LTSC"},
    {0x7E, "Enterprise N LTSC"},
    {0x81, "Enterprise LTSC Evaluation"},
    {0xA1, "Pro for Workstations"},
    {0xA2, "Pro for Workstations N"},
    {0xA4, "Pro Education"},
    {0xA5, "Pro Education N"},
    {0xAB, "Enterprise G"},
    {0xAF, "Enterprise multi-session"},
    {0xBC, "IoT Enterprise"},
    {0xBF, "IoT Enterprise LTSC"},
};

struct ServerRelease {
  std::uint16_t build;
  const char* prefix;
};

constexpr ServerRelease kServers[] = {
    {14393, "Microsoft Windows Server 2016 "},
    {17763, "Microsoft Windows Server 2019 "},
    {20348, "Microsoft Windows Server 2022 "},
    {26100, "Microsoft Windows Server 2025 "},
};

constexpr std::uint32_t kFirstWindows11Build = 22000;

// nullptr for a version this table does not know (6.4 of the previews).
const char* Prefix(const OsVersionEx& version) {
  const bool workstation = version.productType == 1;
  const std::uint32_t build = version.build & 0xFFFF;
  if (version.major == 6 && version.minor == 2) {
    return workstation ? "Microsoft Windows 8 " : "Microsoft Windows Server 2012 ";
  }
  if (version.major == 6 && version.minor == 3) {
    return workstation ? "Microsoft Windows 8.1 " : "Microsoft Windows Server 2012 R2 ";
  }
  if (version.major != 10 || version.minor != 0) return nullptr;
  if (workstation) return build >= kFirstWindows11Build ? "Microsoft Windows 11 " : "Microsoft Windows 10 ";
  for (const ServerRelease& server : kServers) {
    if (server.build == build) return server.prefix;
  }
  return "Microsoft Windows Server ";
}

// The registry's own word for the edition ("Professional", "ServerStandard"),
// for a code the table lacks. Read-only, so that any user gets it.
std::string RegistryEditionId(Platform& platform) {
  TRegistry reg(platform.registry);
  reg.SetRoot(kHkeyLocalMachine);
  if (!reg.OpenKeyReadOnly(kCurrentVersionKey)) return {};
  const RegDataType type = reg.ValueType("EditionID");
  if (type != RegDataType::String && type != RegDataType::ExpandString) return {};
  return platform.system.AnsiToUtf8(reg.ReadText("EditionID"));
}

std::string EditionName(Platform& platform, const OsVersionEx& version) {
  const auto code =
      platform.system.ProductInfo(version.major, version.minor, version.servicePackMajor, version.servicePackMinor);
  for (const Edition& edition : kEditions) {
    if (!code || edition.code != *code) continue;
    std::string_view name = edition.name;
    // Windows 8 and 8.1 name their home editions without the word.
    if (version.major == 6 && name.starts_with("Home")) name.remove_prefix(name.size() > 4 ? 5 : 4);
    return std::string(name);
  }
  return RegistryEditionId(platform);
}

}  // namespace

std::string GetWindows8AndLaterName(Platform& platform, const OsVersionEx& version, std::uint16_t architecture) {
  const char* prefix = Prefix(version);
  if (!prefix) return "Microsoft Windows NT platform";
  std::string name = prefix + EditionName(platform, version);
  // "Microsoft Windows 8.1, 64 bit", not "8.1 , 64 bit".
  if (name.back() == ' ') name.pop_back();
  if (architecture == kArchitectureAmd64 || architecture == kArchitectureArm64) {
    name += ", 64 bit";
  } else if (architecture == kArchitectureX86) {
    name += ", 32 bit";
  }
  return name;
}

}  // namespace varnox
