// The system-information texts on the real Windows calls, under the Windows
// version Wine emulates for this run. The version comes from Wine's own
// setting, HKEY_CURRENT_USER\Software\Wine "Version", which the runner sets.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <regex>
#include <string>

#include "memory_registry.h"
#include "platform/win32/win32_system.h"
#include "sysinfo/memory_text.h"
#include "sysinfo/os_predicates.h"
#include "sysinfo/product_name.h"
#include "sysinfo/up_time_text.h"
#include "sysinfo/version_text.h"

namespace varnox {
namespace {

std::string EmulatedVersion() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  char data[64] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  const LONG result = RegQueryValueExA(key, "Version", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return {};
  return data;
}

// Which of the six predicates each emulated version must answer true; none
// for win98, and none of the six (but IsWin8OrLater) from 8.1 on. Windows 11
// has no Wine setting of its own: there is no "Version" then (see below).
std::optional<int> ExpectedPredicate(const std::string& version) {
  static const std::map<std::string, int> index = {{"nt40", 0},    {"win2k", 1}, {"winxp", 2},
                                                   {"win2003", 3}, {"vista", 4}, {"win7", 5},
                                                   {"win81", 6},   {"win10", 6}, {"win11", 6}};
  const auto it = index.find(version);
  if (it == index.end()) return std::nullopt;
  return it->second;
}

class WineSystemInformation : public testing::Test {
 protected:
  void SetUp() override {
    version = EmulatedVersion();
    if (version.empty()) version = std::getenv("VARNOX_WINVER");
    ASSERT_TRUE(version == "win98" || ExpectedPredicate(version)) << "unexpected Wine version '" << version << "'";
  }

  std::string version;
  SystemApi& system = WindowsSystem();
  MemoryRegistry registry;  // empty: these checks are about the system seam
  Platform platform{registry, system};
};

TEST_F(WineSystemInformation, ExactlyTheEmulatedReleaseIsRecognised) {
  const std::array<bool, 6> answers = {IsWinNT4(system),  IsWin2000(system),  IsWinXP(system),
                                       IsWin2003(system), IsWinVista(system), IsWin7(system)};
  std::array<bool, 7> expected = {};
  if (const auto index = ExpectedPredicate(version)) expected[static_cast<std::size_t>(*index)] = true;
  EXPECT_EQ(expected, (std::array<bool, 7>{answers[0], answers[1], answers[2], answers[3], answers[4], answers[5],
                                           IsWin8OrLater(system)}));

  if (version == "win98") {
    EXPECT_EQ(kPlatformWindows9x, system.Version().platform);
    EXPECT_EQ("Microsoft Windows 98 Second Edition", GetWin9xProductName(system));
  } else {
    EXPECT_EQ(kPlatformNT, system.Version().platform);
    EXPECT_EQ("", GetWin9xProductName(system));
    const std::string name = GetNTProductName(platform);
    EXPECT_NE("Microsoft Windows NT platform", name);
    // Wine's win7 reports a server product type, which makes it Server 2008 R2.
    const bool workstation = system.VersionEx().productType == 1;
    const std::map<std::string, std::string> prefixes = {
        {"nt40", "Microsoft Windows NT 4.0 "},
        {"win2k", "Microsoft Windows 2000 "},
        {"winxp", "Windows XP "},
        {"win2003", "Microsoft Windows Server 2003"},
        {"vista", workstation ? "Microsoft Windows Vista " : "Microsoft Windows Server 2008 "},
        {"win7", workstation ? "Microsoft Windows 7 " : "Microsoft Windows Server 2008 R2 "},
        {"win81", "Microsoft Windows 8.1"},
        {"win10", "Microsoft Windows 10"},
        {"win11", "Microsoft Windows 11"}};
    EXPECT_EQ(0u, name.rfind(prefixes.at(version), 0)) << name;
  }
  // The true version, whatever GetVersionExA tells this program: from 8.1 on
  // a program that does not declare the newer systems hears 6.2.
  const std::map<std::string, std::string> trueVersions = {
      {"win81", "6.3.9600"}, {"win10", "10.0.18362"}, {"win11", "10.0.22631"}};
  if (const auto it = trueVersions.find(version); it != trueVersions.end()) {
    const OsVersionEx trueVersion = system.VersionEx();
    EXPECT_EQ(it->second, std::to_string(trueVersion.major) + "." + std::to_string(trueVersion.minor) + "." +
                              std::to_string(trueVersion.build));
    EXPECT_EQ(1, trueVersion.productType);
    OSVERSIONINFOA compatibility = {sizeof compatibility};
    GetVersionExA(&compatibility);
    EXPECT_EQ("6.2", std::to_string(compatibility.dwMajorVersion) + "." + std::to_string(compatibility.dwMinorVersion));
  }
  const OsVersion reported = system.Version();
  EXPECT_EQ(0u, GetOSVersionText(platform).find("Version " + std::to_string(reported.major) + "." +
                                                std::to_string(reported.minor) + " ( Build "));
}

TEST_F(WineSystemInformation, MemoryFileCacheAndUpTimeHaveTheirShape) {
  const MemoryStatus memory = system.Memory();
  EXPECT_GT(memory.totalPhysical, memory.availablePhysical);
  EXPECT_GT(memory.availablePhysical, 0u);
  const std::regex kilobytes("[0-9]+ Kb");
  EXPECT_TRUE(std::regex_match(TotalMemoryText(system), kilobytes)) << TotalMemoryText(system);
  EXPECT_TRUE(std::regex_match(FreeMemoryText(system), kilobytes)) << FreeMemoryText(system);

  if (version != "win98") {
    const std::string cache = GetFileCacheText(system);
    EXPECT_TRUE(cache == kFileCacheNotAvailableText ||
                std::regex_match(cache, std::regex("[0-9]+ Kb \\( peak size [0-9]+ Kb \\)")))
        << cache;
  }

  const std::string upTime = GetUpTimeText(system);
  EXPECT_TRUE(std::regex_match(upTime, std::regex("[0-9]+ days, [0-2][0-9]:[0-5][0-9]:[0-5][0-9]  "))) << upTime;
}

TEST_F(WineSystemInformation, PathsNamesAndVersionResources) {
  const std::string systemDirectory = system.SystemDirectory();
  ASSERT_FALSE(systemDirectory.empty());
  const std::string kernel32 = systemDirectory + "\\kernel32.dll";
  EXPECT_TRUE(system.FileExists(kernel32));
  EXPECT_FALSE(system.FileExists(systemDirectory + "\\no-such-file.varnox"));

  const std::string host = system.UpperCase(system.HostExecutablePath());
  EXPECT_NE(std::string::npos, host.find("WINE_SYSINFO.EXE")) << host;
  // Linked into the test program, the library's own file is the program.
  EXPECT_EQ(system.UpperCase(system.LibraryPath()), host);
  EXPECT_TRUE(system.UserName().has_value());

  const auto block = system.FileVersionInfo(kernel32);
  ASSERT_TRUE(block.has_value());
  const auto translation = system.VersionTranslation(*block);
  ASSERT_TRUE(translation.has_value());
  char subBlock[64];
  std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\FileVersion",
                static_cast<unsigned>(*translation & 0xFFFF), static_cast<unsigned>(*translation >> 16));
  const auto fileVersion = system.VersionString(*block, subBlock);
  ASSERT_TRUE(fileVersion.has_value()) << subBlock;
  EXPECT_FALSE(fileVersion->empty());
  EXPECT_FALSE(system.VersionString(*block, "\\StringFileInfo\\00000000\\NoSuchValue").has_value());

  // A character every ANSI code page has, and back.
  EXPECT_EQ("Plain text", system.AnsiToUtf8("Plain text"));
  EXPECT_EQ("Plain text", system.Utf8ToAnsi("Plain text"));
}

}  // namespace
}  // namespace varnox
