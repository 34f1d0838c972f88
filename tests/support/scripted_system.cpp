#include "scripted_system.h"

#include <algorithm>

namespace varnox {
namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// A version block names its file, so that the version queries can find its resource again.
constexpr char kBlockTag[] = "scripted-version-block:";

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr int kMetricMouseWheelPresent = 75;

// What every NT preset shares; each preset then sets its version.
ScriptedSystem NTBase(const std::string& windowsDirectory) {
  ScriptedSystem system;
  system.version.platform = kPlatformNT;
  system.version.productType = 1;
  system.metrics[kMetricMouseWheelPresent] = 1;
  system.memory = {512 * kMiB, 200 * kMiB};
  system.fileCache = FileCacheInfo{0, 48 * kMiB, 96 * kMiB};
  system.performanceFrequency = 3'579'545;
  system.performanceCounter = 3'579'545LL * 5025;  // 1 hour, 23 minutes and 45 seconds
  system.tickCount = 5'025'000;
  system.userName = "Administrator";
  system.systemDirectory = windowsDirectory + "\\system32";
  system.hostExecutablePath = windowsDirectory + "\\system32\\rundll32.exe";
  system.libraryPath = windowsDirectory + "\\system32\\varnox.cpl";
  system.existingFiles.insert(system.systemDirectory + "\\syskey.exe");
  return system;
}

void SetVersion(ScriptedSystem& system, std::uint32_t major, std::uint32_t minor, std::uint32_t build,
                const std::string& servicePack, std::uint16_t servicePackMajor) {
  system.version.major = major;
  system.version.minor = minor;
  system.version.build = build;
  system.version.servicePack = servicePack;
  system.version.servicePackMajor = servicePackMajor;
}

}  // namespace

bool PathLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return AsciiUpper(x) < AsciiUpper(y); });
}

ScriptedSystem ScriptedSystem::WinNT4Sp6Workstation() {
  ScriptedSystem system = NTBase("C:\\WINNT");
  SetVersion(system, 4, 0, 1381, "Service Pack 6", 6);
  system.nativeArchitecture = std::nullopt;
  system.memory = {64 * kMiB, 20 * kMiB};
  system.fileCache = FileCacheInfo{0, 12 * kMiB, 30 * kMiB};
  system.performanceFrequency = 1'193'182;
  system.performanceCounter = 1'193'182LL * 5025;
  return system;
}

ScriptedSystem ScriptedSystem::Win2000Professional() {
  ScriptedSystem system = NTBase("C:\\WINNT");
  SetVersion(system, 5, 0, 2195, "Service Pack 4", 4);
  system.nativeArchitecture = std::nullopt;  // GetNativeSystemInfo came with XP
  system.memory = {256 * kMiB, 100 * kMiB};
  return system;
}

ScriptedSystem ScriptedSystem::WinXPSp3() {
  ScriptedSystem system = NTBase("C:\\WINDOWS");
  SetVersion(system, 5, 1, 2600, "Service Pack 3", 3);
  system.version.suiteMask = 0x0100;  // single-user terminal services
  return system;
}

ScriptedSystem ScriptedSystem::Win2003Server() {
  ScriptedSystem system = NTBase("C:\\WINDOWS");
  SetVersion(system, 5, 2, 3790, "Service Pack 2", 2);
  system.version.productType = 3;
  system.version.suiteMask = 0x0110;  // terminal services and single-user terminal services
  system.memory = {2048 * kMiB, 1200 * kMiB};
  return system;
}

ScriptedSystem ScriptedSystem::WinVista() {
  ScriptedSystem system = NTBase("C:\\Windows");
  SetVersion(system, 6, 0, 6002, "Service Pack 2", 2);
  system.version.suiteMask = 0x0300;
  system.productInfo = 3;  // Home Premium
  system.memory = {2048 * kMiB, 700 * kMiB};
  return system;
}

ScriptedSystem ScriptedSystem::Win7X64() {
  ScriptedSystem system = NTBase("C:\\Windows");
  SetVersion(system, 6, 1, 7601, "Service Pack 1", 1);
  system.version.suiteMask = 0x0100;
  system.productInfo = 1;  // Ultimate
  system.nativeArchitecture = kArchitectureAmd64;
  system.architecture = kArchitectureX86;
  system.wow64 = true;
  system.memory = {6 * 1024 * kMiB, 3 * 1024 * kMiB};
  system.performanceFrequency = 2'337'890;
  system.performanceCounter = 2'337'890LL * 5025;
  return system;
}

ScriptedSystem ScriptedSystem::Win98SE() {
  ScriptedSystem system;
  system.version.platform = kPlatformWindows9x;
  SetVersion(system, 4, 10, (4u << 24) | (10u << 16) | 2222u, " A ", 0);
  system.extendedVersionAvailable = false;
  system.nativeArchitecture = std::nullopt;
  system.metrics[kMetricMouseWheelPresent] = 1;
  system.memory = {128 * kMiB, 40 * kMiB};
  system.fileCache = std::nullopt;
  system.performanceFrequency = 1'193'182;
  system.performanceCounter = 1'193'182LL * 5025;
  system.tickCount = 5'025'000;
  system.userName = "User";
  system.systemDirectory = "C:\\WINDOWS\\SYSTEM";
  system.hostExecutablePath = "C:\\WINDOWS\\RUNDLL32.EXE";
  system.libraryPath = "C:\\WINDOWS\\SYSTEM\\varnox.cpl";
  return system;
}

ScriptedSystem ScriptedSystem::WinNT351() {
  ScriptedSystem system = NTBase("C:\\WINNT35");
  SetVersion(system, 3, 51, 1057, "Service Pack 5", 0);
  system.extendedVersionAvailable = false;
  system.nativeArchitecture = std::nullopt;
  system.metrics.erase(kMetricMouseWheelPresent);
  system.memory = {32 * kMiB, 8 * kMiB};
  return system;
}

ScriptedSystem ScriptedSystem::Win8() {
  ScriptedSystem system = NTBase("C:\\Windows");
  SetVersion(system, 6, 2, 9200, "", 0);
  system.version.suiteMask = 0x0100;
  system.productInfo = 0x30;  // Professional
  system.memory = {4096 * kMiB, 2500 * kMiB};
  return system;
}

// The 32-bit program under WOW64 on each, Pro edition, as the fixtures of
// the same name hold it.
namespace {
ScriptedSystem ModernWindowsX64(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
  ScriptedSystem system = NTBase("C:\\Windows");
  SetVersion(system, major, minor, build, "", 0);
  system.version.suiteMask = 0x0100;
  system.productInfo = 0x30;  // PRODUCT_PROFESSIONAL
  system.nativeArchitecture = kArchitectureAmd64;
  system.wow64 = true;
  system.memory = {16ull * 1024 * kMiB, 9ull * 1024 * kMiB};
  system.performanceFrequency = 10'000'000;
  system.performanceCounter = 10'000'000LL * 5025;
  return system;
}
}  // namespace

ScriptedSystem ScriptedSystem::Win81X64() { return ModernWindowsX64(6, 3, 9600); }
ScriptedSystem ScriptedSystem::Win10X64() { return ModernWindowsX64(10, 0, 19045); }
ScriptedSystem ScriptedSystem::Win11X64() { return ModernWindowsX64(10, 0, 22631); }

const std::vector<ScriptedPreset>& AllScriptedPresets() {
  static const std::vector<ScriptedPreset> presets = {
      {"WinNT4Sp6Workstation", &ScriptedSystem::WinNT4Sp6Workstation},
      {"Win2000Professional", &ScriptedSystem::Win2000Professional},
      {"WinXPSp3", &ScriptedSystem::WinXPSp3},
      {"Win2003Server", &ScriptedSystem::Win2003Server},
      {"WinVista", &ScriptedSystem::WinVista},
      {"Win7X64", &ScriptedSystem::Win7X64},
      {"Win98SE", &ScriptedSystem::Win98SE},
      {"WinNT351", &ScriptedSystem::WinNT351},
      {"Win8", &ScriptedSystem::Win8},
      {"Win81X64", &ScriptedSystem::Win81X64},
      {"Win10X64", &ScriptedSystem::Win10X64},
      {"Win11X64", &ScriptedSystem::Win11X64},
  };
  return presets;
}

OsVersion ScriptedSystem::Version() {
  ++versionQueries;
  return version;
}

OsVersionEx ScriptedSystem::VersionEx() {
  ++versionQueries;
  if (extendedVersionAvailable) return version;
  OsVersionEx basicOnly;
  static_cast<OsVersion&>(basicOnly) = version;
  return basicOnly;
}

int ScriptedSystem::SystemMetric(int index) {
  const auto it = metrics.find(index);
  return it == metrics.end() ? 0 : it->second;
}

std::optional<std::uint16_t> ScriptedSystem::NativeProcessorArchitecture() { return nativeArchitecture; }
std::uint16_t ScriptedSystem::ProcessorArchitecture() { return architecture; }

std::optional<std::uint32_t> ScriptedSystem::ProductInfo(std::uint32_t osMajor, std::uint32_t osMinor,
                                                         std::uint32_t spMajor, std::uint32_t spMinor) {
  productInfoQueries.push_back({osMajor, osMinor, spMajor, spMinor});
  return productInfo;
}

bool ScriptedSystem::IsWow64() { return wow64; }
MemoryStatus ScriptedSystem::Memory() { return memory; }
std::optional<FileCacheInfo> ScriptedSystem::FileCache() { return fileCache; }
std::optional<std::int64_t> ScriptedSystem::PerformanceFrequency() { return performanceFrequency; }
std::int64_t ScriptedSystem::PerformanceCounter() { return performanceCounter; }
std::uint64_t ScriptedSystem::TickCount() { return tickCount; }
std::optional<std::string> ScriptedSystem::UserName() { return userName; }
std::string ScriptedSystem::SystemDirectory() { return systemDirectory; }
std::string ScriptedSystem::HostExecutablePath() { return hostExecutablePath; }
std::string ScriptedSystem::LibraryPath() { return libraryPath; }

std::string ScriptedSystem::UpperCase(const std::string& text) {
  std::string upper = text;
  std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
  return upper;
}

std::uint32_t ScriptedSystem::ThreadLocale() { return threadLocale; }
std::string ScriptedSystem::AnsiToUtf8(const std::string& ansi) { return ansiToUtf8(ansi); }
std::string ScriptedSystem::Utf8ToAnsi(const std::string& utf8) { return utf8ToAnsi(utf8); }

std::optional<std::vector<std::uint8_t>> ScriptedSystem::FileVersionInfo(const std::string& path) {
  ++versionInfoReads;
  if (versionResources.find(path) == versionResources.end()) return std::nullopt;
  const std::string tagged = kBlockTag + path;
  return std::vector<std::uint8_t>(tagged.begin(), tagged.end());
}

const ScriptedVersionResource* ScriptedSystem::ResourceOfBlock(const std::vector<std::uint8_t>& block) const {
  const std::string tagged(block.begin(), block.end());
  const std::string tag = kBlockTag;
  if (tagged.compare(0, tag.size(), tag) != 0) return nullptr;
  const auto it = versionResources.find(tagged.substr(tag.size()));
  return it == versionResources.end() ? nullptr : &it->second;
}

std::optional<std::uint32_t> ScriptedSystem::VersionTranslation(const std::vector<std::uint8_t>& block) {
  const ScriptedVersionResource* resource = ResourceOfBlock(block);
  return resource ? resource->translation : std::nullopt;
}

std::optional<std::string> ScriptedSystem::VersionString(const std::vector<std::uint8_t>& block,
                                                         const std::string& subBlock) {
  const ScriptedVersionResource* resource = ResourceOfBlock(block);
  if (!resource) return std::nullopt;
  const auto it = resource->strings.find(subBlock);
  if (it == resource->strings.end()) return std::nullopt;
  return it->second;
}

void ScriptedSystem::ShellOpen(const std::string& target) { shellOpened.push_back(target); }
void ScriptedSystem::ShellStart(const std::string& program, const std::string& parameters) {
  shellStarted.emplace_back(program, parameters);
}
long ScriptedSystem::StartAsAdministrator(const std::string& program, const std::string& parameters) {
  startedAsAdministrator.emplace_back(program, parameters);
  return startAsAdministratorResult;
}
std::string ScriptedSystem::ErrorText(long code) { return "System error " + std::to_string(code); }
std::optional<std::string> ScriptedSystem::UserSid() { return userSid; }
std::optional<std::string> ScriptedSystem::AccountName(const std::string& sid) {
  const auto it = accountNames.find(sid);
  return it == accountNames.end() ? std::nullopt : std::optional(it->second);
}
void ScriptedSystem::Execute(const std::string& command) { executed.push_back(command); }
bool ScriptedSystem::FileExists(const std::string& path) {
  return existingFiles.count(path) != 0 || writtenFiles.count(path) != 0;
}
std::optional<std::string> ScriptedSystem::WriteWholeFile(const std::string& path,
                                                          const std::vector<std::uint8_t>& bytes) {
  if (fileWriteError) return fileWriteError;
  writtenFiles[path] = bytes;
  return std::nullopt;
}

std::optional<std::string> ScriptedSystem::ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  const auto file = writtenFiles.find(path);
  if (file == writtenFiles.end()) return "The system cannot find the file specified.";
  bytes = file->second;
  return std::nullopt;
}

std::optional<std::string> ScriptedSystem::CreateFolder(const std::string& path) {
  if (folderError) return folderError;
  createdFolders.push_back(path);
  return std::nullopt;
}

void ScriptedSystem::Sleep(std::uint32_t milliseconds) { sleeps.push_back(milliseconds); }

}  // namespace varnox
