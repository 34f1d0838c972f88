#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "memory_registry.h"
#include "scripted_system.h"
#include "sysinfo/product_name.h"

namespace varnox {
namespace {

constexpr char kUnknownNT[] = "Microsoft Windows NT platform";
constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kProductOptionsKey[] = "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";

struct NameCase {
  const char* what;
  std::uint32_t major, minor;
  std::uint8_t productType = 1;
  std::uint16_t suiteMask = 0;
  std::optional<std::uint16_t> nativeArchitecture = kArchitectureX86;
  std::uint16_t architecture = kArchitectureX86;  // GetSystemInfo's answer
  std::map<int, int> metrics = {};
  std::optional<std::uint32_t> productInfo = std::nullopt;
  std::uint32_t build = 0;
  const char* editionId = nullptr;  // the registry's "EditionID", when stored
  const char* expected = "";
};

std::string NameOf(const NameCase& c) {
  ScriptedSystem system;
  system.version.platform = kPlatformNT;
  system.version.major = c.major;
  system.version.minor = c.minor;
  system.version.productType = c.productType;
  system.version.suiteMask = c.suiteMask;
  system.nativeArchitecture = c.nativeArchitecture;
  system.architecture = c.architecture;
  system.metrics = c.metrics;
  system.productInfo = c.productInfo;
  system.version.build = c.build;
  MemoryRegistry registry;
  if (c.editionId) registry.SetString(kHkeyLocalMachine, kCurrentVersionKey, "EditionID", c.editionId);
  Platform platform{registry, system};
  return GetNTProductName(platform);
}

void ExpectNames(std::initializer_list<NameCase> cases) {
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.expected, NameOf(c));
  }
}

TEST(NTProductName, Windows2000Editions) {
  ExpectNames({
      {.what = "workstation", .major = 5, .minor = 0, .expected = "Microsoft Windows 2000 Professional"},
      {.what = "product type decides before the suite",
       .major = 5,
       .minor = 0,
       .suiteMask = 0x0002,
       .expected = "Microsoft Windows 2000 Professional"},
      {.what = "enterprise",
       .major = 5,
       .minor = 0,
       .productType = 3,
       .suiteMask = 0x0002,
       .expected = "Microsoft Windows 2000 Advanced Server"},
      {.what = "datacenter",
       .major = 5,
       .minor = 0,
       .productType = 3,
       .suiteMask = 0x0080,
       .expected = "Microsoft Windows 2000 Datacenter Server"},
      {.what = "domain controller",
       .major = 5,
       .minor = 0,
       .productType = 2,
       .expected = "Microsoft Windows 2000 Server"},
      {.what = "enterprise with another bit is no match",
       .major = 5,
       .minor = 0,
       .productType = 3,
       .suiteMask = 0x0012,
       .expected = "Microsoft Windows 2000 Server"},
  });
}

TEST(NTProductName, WindowsXPEditionsAndTheLastPositiveMetricWins) {
  ExpectNames({
      {.what = "home", .major = 5, .minor = 1, .suiteMask = 0x0200, .expected = "Windows XP Home Edition"},
      {.what = "home with terminal services is no match",
       .major = 5,
       .minor = 1,
       .suiteMask = 0x0300,
       .expected = "Windows XP Professional Edition"},
      {.what = "professional", .major = 5, .minor = 1, .expected = "Windows XP Professional Edition"},
      {.what = "tablet",
       .major = 5,
       .minor = 1,
       .metrics = {{86, 1}},
       .expected = "Microsoft Windows XP Tablet PC Edition"},
      {.what = "media center",
       .major = 5,
       .minor = 1,
       .suiteMask = 0x0200,
       .metrics = {{87, 1}},
       .expected = "Microsoft Windows XP Media Center Edition"},
      {.what = "starter",
       .major = 5,
       .minor = 1,
       .metrics = {{88, 1}},
       .expected = "Microsoft Windows XP Starter Edition"},
      {.what = "tablet and media center",
       .major = 5,
       .minor = 1,
       .metrics = {{86, 1}, {87, 1}},
       .expected = "Microsoft Windows XP Media Center Edition"},
      {.what = "all three",
       .major = 5,
       .minor = 1,
       .metrics = {{86, 1}, {87, 1}, {88, 1}},
       .expected = "Microsoft Windows XP Starter Edition"},
      {.what = "a negative metric is not positive",
       .major = 5,
       .minor = 1,
       .metrics = {{86, -1}},
       .expected = "Windows XP Professional Edition"},
  });
}

TEST(NTProductName, Windows2003BaseNamesEditionsAndArchitecture) {
  ExpectNames({
      {.what = "standard",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .expected = "Microsoft Windows Server 2003 Standard Edition"},
      {.what = "R2 whatever its sign",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .metrics = {{89, -1}},
       .expected = "Microsoft Windows Server 2003 R2 Standard Edition"},
      {.what = "R2 wins over storage",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .suiteMask = 0x2000,
       .metrics = {{89, 1}},
       .expected = "Microsoft Windows Server 2003 R2 Standard Edition"},
      {.what = "storage",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .suiteMask = 0x2000,
       .expected = "Microsoft Windows Storage Server 2003 Standard Edition"},
      {.what = "XP x64 says 64 bit twice",
       .major = 5,
       .minor = 2,
       .nativeArchitecture = kArchitectureAmd64,
       .expected = "Microsoft Windows XP Professional Edition, 64 bit, 64 bit (X64)"},
      {.what = "a 5.2 workstation on x86 has no edition",
       .major = 5,
       .minor = 2,
       .expected = "Microsoft Windows Server 2003"},
      {.what = "web",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .suiteMask = 0x0400,
       .expected = "Microsoft Windows Server 2003 Web Edition"},
      {.what = "home server on x86",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .suiteMask = 0x8000,
       .expected = "Microsoft Windows Home Server"},
      {.what = "home server on x64",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .suiteMask = 0x8000,
       .nativeArchitecture = kArchitectureAmd64,
       .expected = "Microsoft Windows Home Server, 64 bit (X64)"},
      {.what = "datacenter",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .suiteMask = 0x0080,
       .expected = "Microsoft Windows Server 2003 Datacenter Edition"},
      {.what = "enterprise on Itanium",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .suiteMask = 0x0002,
       .nativeArchitecture = kArchitectureIa64,
       .expected = "Microsoft Windows Server 2003 Enterprise Edition, 64 bit (IA64)"},
      {.what = "compute cluster",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .suiteMask = 0x4000,
       .expected = "Microsoft Windows Server 2003 Compute Cluster Edition"},
      {.what = "enterprise with terminal services is no match",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .suiteMask = 0x0112,
       .expected = "Microsoft Windows Server 2003 Standard Edition"},
      {.what = "without the native query the plain one is asked",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .nativeArchitecture = std::nullopt,
       .architecture = kArchitectureAmd64,
       .expected = "Microsoft Windows Server 2003 Standard Edition, 64 bit (X64)"},
      {.what = "under WOW64 the native answer wins",
       .major = 5,
       .minor = 2,
       .productType = 3,
       .nativeArchitecture = kArchitectureAmd64,
       .architecture = kArchitectureX86,
       .expected = "Microsoft Windows Server 2003 Standard Edition, 64 bit (X64)"},
  });
}

TEST(NTProductName, VistaAnd7PrefixesProductCodesAndWordSize) {
  ExpectNames({
      {.what = "vista ultimate",
       .major = 6,
       .minor = 0,
       .productInfo = 1,
       .expected = "Microsoft Windows Vista Ultimate Edition, 32 bit"},
      {.what = "vista code 0 keeps the blank before the comma",
       .major = 6,
       .minor = 0,
       .productInfo = 0,
       .expected = "Microsoft Windows Vista , 32 bit"},
      {.what = "vista code 5",
       .major = 6,
       .minor = 0,
       .productInfo = 5,
       .expected = "Microsoft Windows Vista , 32 bit"},
      {.what = "vista without a product code", .major = 6, .minor = 0, .expected = "Microsoft Windows Vista , 32 bit"},
      {.what = "server 2008 Itanium has no word size",
       .major = 6,
       .minor = 0,
       .productType = 3,
       .nativeArchitecture = kArchitectureIa64,
       .productInfo = 15,
       .expected = "Microsoft Windows Server 2008 Enterprise Edition for Itanium-based Systems"},
      {.what = "server 2008 x64",
       .major = 6,
       .minor = 0,
       .productType = 3,
       .nativeArchitecture = kArchitectureAmd64,
       .productInfo = 8,
       .expected = "Microsoft Windows Server 2008 Datacenter Edition, 64 bit"},
      {.what = "7 home premium x64",
       .major = 6,
       .minor = 1,
       .nativeArchitecture = kArchitectureAmd64,
       .productInfo = 3,
       .expected = "Microsoft Windows 7 Home Premium Edition, 64 bit"},
      {.what = "server 2008 R2",
       .major = 6,
       .minor = 1,
       .productType = 3,
       .nativeArchitecture = kArchitectureAmd64,
       .productInfo = 7,
       .expected = "Microsoft Windows Server 2008 R2 Standard Edition, 64 bit"},
  });
}

TEST(NTProductName, EveryProductCodeHasItsEditionText) {
  const std::map<std::uint32_t, std::string> editions = {
      {1, "Ultimate Edition"},
      {2, "Home Basic Edition"},
      {3, "Home Premium Edition"},
      {4, "Enterprise Edition"},
      {6, "Business Edition"},
      {7, "Standard Edition"},
      {8, "Datacenter Edition"},
      {9, "Small Business Server"},
      {10, "Enterprise Edition"},
      {11, "Starter Edition"},
      {12, "Datacenter Edition (core installation)"},
      {13, "Standard Edition (core installation)"},
      {14, "Enterprise Edition (core installation)"},
      {15, "Enterprise Edition for Itanium-based Systems"},
      {17, "Web Server Edition"},
      {18, "Cluster Server Edition"},
      {25, "Small Business Server Premium Edition"},
  };
  for (std::uint32_t code : {0u,  1u,  2u,  3u,  4u,  5u,  6u,  7u,  8u,  9u,  10u,   11u,        12u,
                             13u, 14u, 15u, 16u, 17u, 18u, 19u, 24u, 25u, 26u, 0x30u, 0xABCDABCDu}) {
    SCOPED_TRACE(code);
    const auto it = editions.find(code);
    const std::string edition = it == editions.end() ? "" : it->second;
    EXPECT_EQ("Microsoft Windows Server 2008 " + edition + ", 32 bit",
              NameOf({.what = "", .major = 6, .minor = 0, .productType = 3, .productInfo = code}));
  }
}

TEST(NTProductName, ProductCodeIsAskedFor60OnBothReleases) {
  for (std::uint32_t minor : {0u, 1u}) {
    ScriptedSystem system = minor == 0 ? ScriptedSystem::WinVista() : ScriptedSystem::Win7X64();
    MemoryRegistry registry;
    Platform platform{registry, system};
    GetNTProductName(platform);
    ASSERT_EQ(1u, system.productInfoQueries.size());
    EXPECT_EQ((std::array<std::uint32_t, 4>{6, 0, 0, 0}), system.productInfoQueries[0]);
  }
}

TEST(NTProductName, UnknownReleasesKeepTheGenericName) {
  ExpectNames({
      {.what = "3.51", .major = 3, .minor = 51, .expected = kUnknownNT},
      {.what = "5.3", .major = 5, .minor = 3, .expected = kUnknownNT},
      {.what = "6.4 of the previews", .major = 6, .minor = 4, .productInfo = 0x30, .expected = kUnknownNT},
      {.what = "10.1", .major = 10, .minor = 1, .productInfo = 0x30, .expected = kUnknownNT},
  });
}

TEST(NTProductName, Presets) {
  const std::map<std::string, std::string> expected = {
      {"WinNT4Sp6Workstation", "Microsoft Windows NT 4.0 Workstation"},
      {"Win2000Professional", "Microsoft Windows 2000 Professional"},
      {"WinXPSp3", "Windows XP Professional Edition"},
      {"Win2003Server", "Microsoft Windows Server 2003 Standard Edition"},
      {"WinVista", "Microsoft Windows Vista Home Premium Edition, 32 bit"},
      {"Win7X64", "Microsoft Windows 7 Ultimate Edition, 64 bit"},
      {"WinNT351", kUnknownNT},
      {"Win8", "Microsoft Windows 8 Pro, 32 bit"},
      {"Win81X64", "Microsoft Windows 8.1 Pro, 64 bit"},
      {"Win10X64", "Microsoft Windows 10 Pro, 64 bit"},
      {"Win11X64", "Microsoft Windows 11 Pro, 64 bit"},
  };
  for (const auto& [name, productName] : expected) {
    SCOPED_TRACE(name);
    for (const ScriptedPreset& preset : AllScriptedPresets()) {
      if (name != preset.name) continue;
      ScriptedSystem system = preset.make();
      MemoryRegistry registry;
      Platform platform{registry, system};
      EXPECT_EQ(productName, GetNTProductName(platform));
    }
  }
}

class NT4ProductName : public testing::Test {
 protected:
  std::string Name() {
    Platform platform{registry, system};
    return GetNTProductName(platform);
  }
  MemoryRegistry registry;
  ScriptedSystem system = ScriptedSystem::WinNT4Sp6Workstation();
};

TEST_F(NT4ProductName, ProductTypeOfTheExtendedRecord) {
  system.version.minor = 1;  // the minor version is not looked at
  EXPECT_EQ("Microsoft Windows NT 4.0 Workstation", Name());
  system.version.productType = 2;
  EXPECT_EQ("Microsoft Windows NT 4.0 Server", Name());
  system.version.productType = 3;
  EXPECT_EQ("Microsoft Windows NT 4.0 Server", Name());
  EXPECT_TRUE(registry.Calls().empty()) << "the registry is asked only when the record says nothing";
}

TEST_F(NT4ProductName, BeforeServicePack6TheRegistryNamesTheRole) {
  system.extendedVersionAvailable = false;
  system.version.productType = 3;  // not reported without the extended record
  struct Case {
    const char* stored;
    const char* expected;
  };
  for (const Case c :
       {Case{"WinNT", "Microsoft Windows NT 4.0 Workstation"}, Case{"ServerNT", "Microsoft Windows NT 4.0 Server"},
        Case{"LanmanNT", "Microsoft Windows NT 4.0 Server"}, Case{"lanmannt", "Microsoft Windows NT 4.0 Server"},
        Case{"Something else", "Microsoft Windows NT 4.0 Workstation"}}) {
    SCOPED_TRACE(c.stored);
    registry.SetString(kHkeyLocalMachine, kProductOptionsKey, "ProductType", c.stored);
    EXPECT_EQ(c.expected, Name());
  }
}

TEST_F(NT4ProductName, BeforeServicePack6UnreadableRoleMeansWorkstation) {
  system.extendedVersionAvailable = false;
  EXPECT_EQ("Microsoft Windows NT 4.0 Workstation", Name()) << "no key";

  registry.SetDword(kHkeyLocalMachine, kProductOptionsKey, "ProductType", 3);
  EXPECT_EQ("Microsoft Windows NT 4.0 Workstation", Name()) << "not text: no error either";
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

TEST_F(NT4ProductName, BeforeServicePack6AUserWithoutAdministrativeRightsGetsTheSameAnswer) {
  system.extendedVersionAvailable = false;
  registry.SetString(kHkeyLocalMachine, kProductOptionsKey, "ProductType", "ServerNT");
  registry.DenyFullAccess(kHkeyLocalMachine, "SYSTEM");
  EXPECT_EQ("Microsoft Windows NT 4.0 Server", Name());
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

TEST(Win9xProductName, ReleasesAndBuilds) {
  struct Case {
    std::uint32_t platform, major, minor, build;
    const char* expected;
  };
  // The high word of the build field repeats the version on this platform.
  auto build = [](std::uint32_t major, std::uint32_t minor, std::uint32_t number) {
    return (major << 24) | (minor << 16) | number;
  };
  for (const Case c : {
           Case{1, 4, 0, build(4, 0, 950), "Microsoft Windows 95"},
           Case{1, 4, 0, build(4, 0, 1111), "Microsoft Windows 95 OSR2"},
           Case{1, 4, 0, build(4, 0, 1212), "Microsoft Windows 95 OSR2 with USB support"},
           Case{1, 4, 0, build(4, 3, 1214), "Microsoft Windows 95 OSR2 with USB support"},
           Case{1, 4, 10, build(4, 10, 1998), "Microsoft Windows 98"},
           Case{1, 4, 10, build(4, 10, 2222), "Microsoft Windows 98 Second Edition"},
           Case{1, 4, 90, build(4, 90, 3000), "Microsoft Windows Millenium"},
           Case{1, 4, 20, build(4, 20, 2222), "Microsoft Windows "},
           Case{1, 4, 0, 2222, "Microsoft Windows 95"},
           Case{2, 4, 10, 2222, ""},
           Case{0, 4, 10, 2222, ""},
       }) {
    SCOPED_TRACE(c.expected);
    ScriptedSystem system;
    system.version.platform = c.platform;
    system.version.major = c.major;
    system.version.minor = c.minor;
    system.version.build = c.build;
    EXPECT_EQ(c.expected, GetWin9xProductName(system));
  }

  ScriptedSystem system = ScriptedSystem::Win98SE();
  EXPECT_EQ("Microsoft Windows 98 Second Edition", GetWin9xProductName(system));
}

// From 8 on the prefix follows version, role and, for Windows 11 and the
// servers of version 10.0, the build.
TEST(NTProductName, Windows8AndLaterPrefixes) {
  constexpr std::uint16_t x64 = kArchitectureAmd64;
  ExpectNames({
      {.what = "8", .major = 6, .minor = 2, .productInfo = 0x30, .expected = "Microsoft Windows 8 Pro, 32 bit"},
      {.what = "Server 2012",
       .major = 6,
       .minor = 2,
       .productType = 3,
       .nativeArchitecture = x64,
       .productInfo = 0x08,
       .expected = "Microsoft Windows Server 2012 Datacenter, 64 bit"},
      {.what = "Server 2012 R2, a domain controller",
       .major = 6,
       .minor = 3,
       .productType = 2,
       .nativeArchitecture = x64,
       .productInfo = 0x07,
       .expected = "Microsoft Windows Server 2012 R2 Standard, 64 bit"},
      {.what = "the last build of 10",
       .major = 10,
       .minor = 0,
       .nativeArchitecture = x64,
       .productInfo = 0x65,
       .build = 21999,
       .expected = "Microsoft Windows 10 Home, 64 bit"},
      {.what = "the first build of 11",
       .major = 10,
       .minor = 0,
       .nativeArchitecture = x64,
       .productInfo = 0xA1,
       .build = 22000,
       .expected = "Microsoft Windows 11 Pro for Workstations, 64 bit"},
      {.what = "11 on ARM",
       .major = 10,
       .minor = 0,
       .nativeArchitecture = kArchitectureArm64,
       .productInfo = 0xBC,
       .build = 26100,
       .expected = "Microsoft Windows 11 IoT Enterprise, 64 bit"},
  });
  // A known build, one between two known ones, and a newer one.
  const std::map<std::uint32_t, std::string> servers = {
      {14393, "Microsoft Windows Server 2016 Standard, 64 bit"},
      {16299, "Microsoft Windows Server Standard, 64 bit"},
      {26300, "Microsoft Windows Server Standard, 64 bit"},
  };
  for (const auto& [build, expected] : servers) {
    SCOPED_TRACE(build);
    EXPECT_EQ(expected, NameOf({.what = "",
                                .major = 10,
                                .minor = 0,
                                .productType = 3,
                                .nativeArchitecture = x64,
                                .productInfo = 0x07,
                                .build = build}));
  }
}

// 8 and 8.1 call their home editions by no word; the name then closes
// without a blank before the comma. A code the table lacks, or no answer,
// takes the registry's own edition word.
TEST(NTProductName, Windows8AndLaterEditionWords) {
  ExpectNames({
      {.what = "8.1 core", .major = 6, .minor = 3, .productInfo = 0x65, .expected = "Microsoft Windows 8.1, 32 bit"},
      {.what = "8.1 single language",
       .major = 6,
       .minor = 3,
       .productInfo = 0x64,
       .expected = "Microsoft Windows 8.1 Single Language, 32 bit"},
      {.what = "a code the table lacks (Wine's Ultimate N)",
       .major = 10,
       .minor = 0,
       .productInfo = 0x1C,
       .build = 19045,
       .editionId = "Professional",
       .expected = "Microsoft Windows 10 Professional, 32 bit"},
      {.what = "no GetProductInfo answer",
       .major = 10,
       .minor = 0,
       .build = 22631,
       .editionId = "EnterpriseS",
       .expected = "Microsoft Windows 11 EnterpriseS, 32 bit"},
      {.what = "neither", .major = 10, .minor = 0, .build = 19045, .expected = "Microsoft Windows 10, 32 bit"},
      {.what = "Itanium has no word size",
       .major = 6,
       .minor = 2,
       .productType = 3,
       .nativeArchitecture = kArchitectureIa64,
       .productInfo = 0x08,
       .expected = "Microsoft Windows Server 2012 Datacenter"},
  });
}

TEST(NTProductName, Windows8AndLaterAskTheProductCodeWithTheTrueVersion) {
  ScriptedSystem system = ScriptedSystem::Win11X64();
  system.version.servicePackMajor = 1;
  MemoryRegistry registry;
  Platform platform{registry, system};
  GetNTProductName(platform);
  ASSERT_EQ(1u, system.productInfoQueries.size());
  EXPECT_EQ((std::array<std::uint32_t, 4>{10, 0, 1, 0}), system.productInfoQueries[0]);
}

TEST(NTProductName, AnEditionIdThatIsNoTextIsPassedOver) {
  ScriptedSystem system = ScriptedSystem::Win10X64();
  system.productInfo = std::nullopt;
  MemoryRegistry registry;
  registry.SetDword(kHkeyLocalMachine, kCurrentVersionKey, "EditionID", 48);
  // A standard user cannot open the key with full access; reading needs none.
  registry.DenyFullAccess(kHkeyLocalMachine, kCurrentVersionKey);
  Platform platform{registry, system};
  EXPECT_EQ("Microsoft Windows 10, 64 bit", GetNTProductName(platform));
  registry.SetString(kHkeyLocalMachine, kCurrentVersionKey, "EditionID", "Education");
  EXPECT_EQ("Microsoft Windows 10 Education, 64 bit", GetNTProductName(platform));
  EXPECT_EQ(0u, registry.OpenHandleCount());
}

}  // namespace
}  // namespace varnox
