#include <cstdint>
#include <string_view>

#include "base/ascii.h"
#include "settings/registry.h"
#include "sysinfo/product_name.h"

namespace varnox {
namespace {

constexpr char kUnknownNTName[] = "Microsoft Windows NT platform";

constexpr std::uint8_t kProductWorkstation = 1;
// The extended version record leaves the product type at zero where the
// system does not fill it (NT 4.0 before Service Pack 6).
constexpr std::uint8_t kProductUnknown = 0;

constexpr std::uint16_t kSuiteEnterprise = 0x0002;
constexpr std::uint16_t kSuiteDatacenter = 0x0080;
constexpr std::uint16_t kSuitePersonal = 0x0200;
constexpr std::uint16_t kSuiteBlade = 0x0400;
constexpr std::uint16_t kSuiteStorageServer = 0x2000;
constexpr std::uint16_t kSuiteComputeServer = 0x4000;
constexpr std::uint16_t kSuiteHomeServer = 0x8000;

constexpr int kMetricTabletPC = 86;
constexpr int kMetricMediaCenter = 87;
constexpr int kMetricStarter = 88;
constexpr int kMetricServerR2 = 89;

// Without the extended record NT 4.0 still names its role in the registry:
// "WinNT" on a workstation, "ServerNT" or "LanmanNT" on a server. Anything we
// cannot read counts as a workstation, by far the common case of those old
// installations. The key is opened read-only so that a user without
// administrative rights gets the same answer.
bool RegistrySaysServer(RegistryApi& registry) {
  TRegistry reg(registry);
  reg.SetRoot(kHkeyLocalMachine);
  if (!reg.OpenKeyReadOnly("SYSTEM\\CurrentControlSet\\Control\\ProductOptions")) return false;
  const RegDataType type = reg.ValueType("ProductType");
  if (type != RegDataType::String && type != RegDataType::ExpandString) return false;
  const std::string productType = reg.ReadText("ProductType");
  return EqualsIgnoringAsciiCase(productType, "ServerNT") || EqualsIgnoringAsciiCase(productType, "LanmanNT");
}

std::string WindowsNT4Name(Platform& platform) {
  const std::uint8_t productType = platform.system.VersionEx().productType;
  bool workstation = productType == kProductWorkstation;
  if (productType == kProductUnknown) workstation = !RegistrySaysServer(platform.registry);
  return std::string("Microsoft Windows NT 4.0 ") + (workstation ? "Workstation" : "Server");
}

std::string Windows2000Name(const OsVersionEx& version) {
  std::string name = "Microsoft Windows 2000 ";
  if (version.productType == kProductWorkstation) {
    name += "Professional";
  } else if (version.suiteMask == kSuiteEnterprise) {
    name += "Advanced Server";
  } else if (version.suiteMask == kSuiteDatacenter) {
    name += "Datacenter Server";
  } else {
    name += "Server";
  }
  return name;
}

std::string WindowsXPName(const OsVersionEx& version, SystemApi& system) {
  std::string name =
      version.suiteMask == kSuitePersonal ? "Windows XP Home Edition" : "Windows XP Professional Edition";
  // All three are asked; the last one that is set wins.
  if (system.SystemMetric(kMetricTabletPC) > 0) name = "Microsoft Windows XP Tablet PC Edition";
  if (system.SystemMetric(kMetricMediaCenter) > 0) name = "Microsoft Windows XP Media Center Edition";
  if (system.SystemMetric(kMetricStarter) > 0) name = "Microsoft Windows XP Starter Edition";
  return name;
}

std::string Windows2003Name(const OsVersionEx& version, SystemApi& system, std::uint16_t architecture) {
  std::string name;
  if (system.SystemMetric(kMetricServerR2) != 0) {
    name = "Microsoft Windows Server 2003 R2";
  } else if (version.suiteMask == kSuiteStorageServer) {
    name = "Microsoft Windows Storage Server 2003";
  } else if (version.productType == kProductWorkstation && architecture == kArchitectureAmd64) {
    name = "Microsoft Windows XP Professional Edition, 64 bit";
  } else {
    name = "Microsoft Windows Server 2003";
  }

  if (version.productType != kProductWorkstation) {
    switch (version.suiteMask) {
      case kSuiteBlade:
        name += " Web Edition";
        break;
      case kSuiteHomeServer:
        name = "Microsoft Windows Home Server";
        break;
      case kSuiteDatacenter:
        name += " Datacenter Edition";
        break;
      case kSuiteEnterprise:
        name += " Enterprise Edition";
        break;
      case kSuiteComputeServer:
        name += " Compute Cluster Edition";
        break;
      default:
        name += " Standard Edition";
        break;
    }
  }

  if (architecture == kArchitectureIa64) {
    name += ", 64 bit (IA64)";
  } else if (architecture == kArchitectureAmd64) {
    name += ", 64 bit (X64)";
  }
  return name;
}

// Edition words of the product codes that Windows Vista and 7 report.
const char* ProductInfoEdition(std::uint32_t code) {
  switch (code) {
    case 1:
      return "Ultimate Edition";
    case 2:
      return "Home Basic Edition";
    case 3:
      return "Home Premium Edition";
    case 4:
      return "Enterprise Edition";
    case 6:
      return "Business Edition";
    case 7:
      return "Standard Edition";
    case 8:
      return "Datacenter Edition";
    case 9:
      return "Small Business Server";
    case 10:
      return "Enterprise Edition";
    case 11:
      return "Starter Edition";
    case 12:
      return "Datacenter Edition (core installation)";
    case 13:
      return "Standard Edition (core installation)";
    case 14:
      return "Enterprise Edition (core installation)";
    case 15:
      return "Enterprise Edition for Itanium-based Systems";
    case 17:
      return "Web Server Edition";
    case 18:
      return "Cluster Server Edition";
    case 25:
      return "Small Business Server Premium Edition";
    default:
      return "";
  }
}

std::string Windows6Name(const OsVersionEx& version, SystemApi& system, std::uint16_t architecture) {
  const bool workstation = version.productType == kProductWorkstation;
  std::string name;
  if (version.minor == 0) {
    name = workstation ? "Microsoft Windows Vista " : "Microsoft Windows Server 2008 ";
  } else {
    name = workstation ? "Microsoft Windows 7 " : "Microsoft Windows Server 2008 R2 ";
  }

  // Asked with 6.0 on Windows 7 too; the product code is the same either way.
  if (const auto code = system.ProductInfo(6, 0, 0, 0)) name += ProductInfoEdition(*code);

  if (architecture == kArchitectureAmd64) {
    name += ", 64 bit";
  } else if (architecture == kArchitectureX86) {
    name += ", 32 bit";
  }
  return name;
}

}  // namespace

std::string GetNTProductName(Platform& platform) {
  SystemApi& system = platform.system;
  const OsVersion version = system.Version();
  if (version.major == 4) return WindowsNT4Name(platform);
  if (version.major < 4) return kUnknownNTName;

  // A 32-bit program on 64-bit Windows sees x86 from GetSystemInfo; only the
  // native query tells the truth, and it exists from Windows XP on.
  const std::uint16_t architecture = system.NativeProcessorArchitecture().value_or(system.ProcessorArchitecture());
  const OsVersionEx versionEx = system.VersionEx();
  if (versionEx.major == 5 && versionEx.minor == 0) return Windows2000Name(versionEx);
  if (versionEx.major == 5 && versionEx.minor == 1) return WindowsXPName(versionEx, system);
  if (versionEx.major == 5 && versionEx.minor == 2) return Windows2003Name(versionEx, system, architecture);
  if (versionEx.major == 6 && (versionEx.minor == 0 || versionEx.minor == 1)) {
    return Windows6Name(versionEx, system, architecture);
  }
  if (versionEx.major > 6 || (versionEx.major == 6 && versionEx.minor >= 2)) {
    return GetWindows8AndLaterName(platform, versionEx, architecture);
  }
  return kUnknownNTName;
}

}  // namespace varnox
