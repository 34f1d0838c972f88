#pragma once
// A SystemApi whose every answer is a public field the test sets, with presets
// for the Windows releases the program meets. Calls that act on the world
// (opening a link, starting a program, sleeping) are recorded instead.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/system_api.h"

namespace varnox {

// Orders paths and resource names as Windows compares them: without regard to ASCII case.
struct PathLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

// What a file's version resource answers: its first translation entry and its
// string values keyed by the full sub-block ("\StringFileInfo\040904E4\FileVersion").
struct ScriptedVersionResource {
  std::optional<std::uint32_t> translation;
  std::map<std::string, std::string, PathLess> strings;
};

class ScriptedSystem : public SystemApi {
 public:
  // Version() answers the basic part of this record, VersionEx() all of it.
  OsVersionEx version;
  // False where the extended query fails (NT 4.0 before SP6, 3.51, 9x):
  // VersionEx() then carries only the basic fields and zeros behind them.
  bool extendedVersionAvailable = true;
  std::map<int, int> metrics;                                          // a missing index answers 0
  std::optional<std::uint16_t> nativeArchitecture = kArchitectureX86;  // nullopt: GetNativeSystemInfo missing
  std::uint16_t architecture = kArchitectureX86;
  std::optional<std::uint32_t> productInfo;  // nullopt: GetProductInfo missing
  bool wow64 = false;
  MemoryStatus memory;
  std::optional<FileCacheInfo> fileCache;  // nullopt: no NtQuerySystemInformation
  std::optional<std::int64_t> performanceFrequency;
  std::int64_t performanceCounter = 0;
  std::uint64_t tickCount = 0;
  std::optional<std::string> userName;
  std::string systemDirectory;
  std::string hostExecutablePath;
  std::string libraryPath;
  std::uint32_t threadLocale = 0x0409;
  // Identity by default, as on a system whose texts are all ASCII.
  std::function<std::string(const std::string&)> ansiToUtf8 = [](const std::string& s) { return s; };
  std::function<std::string(const std::string&)> utf8ToAnsi = [](const std::string& s) { return s; };
  std::map<std::string, ScriptedVersionResource, PathLess> versionResources;
  int versionInfoReads = 0;  // FileVersionInfo calls
  std::set<std::string, PathLess> existingFiles;
  std::optional<std::string> userSid;
  std::map<std::string, std::string> accountNames;  // by SID
  // What StartAsAdministrator answers: 0 started, else an error code.
  long startAsAdministratorResult = 0;
  std::string localTime = "2026-12-07 21:40:05";
  // A write fails with this reason while it is set, and leaves no file.
  std::optional<std::string> fileWriteError;

  // What the program did.
  std::vector<std::string> shellOpened;
  std::vector<std::pair<std::string, std::string>> shellStarted;  // program, parameters
  std::vector<std::string> executed;
  std::vector<std::pair<std::string, std::string>> startedAsAdministrator;  // program, parameters
  std::vector<std::uint32_t> sleeps;
  std::map<std::string, std::vector<std::uint8_t>> writtenFiles;
  // Folders made, in order; with folderError set, none can be.
  std::vector<std::string> createdFolders;
  std::optional<std::string> folderError;
  int versionQueries = 0;                                        // Version() and VersionEx() together
  std::vector<std::array<std::uint32_t, 4>> productInfoQueries;  // the four arguments of each call

  // Presets: realistic answers of each release, 32-bit unless named otherwise.
  static ScriptedSystem WinNT4Sp6Workstation();
  static ScriptedSystem Win2000Professional();
  static ScriptedSystem WinXPSp3();
  static ScriptedSystem Win2003Server();
  static ScriptedSystem WinVista();
  static ScriptedSystem Win7X64();  // the 32-bit program under WOW64
  static ScriptedSystem Win98SE();
  static ScriptedSystem WinNT351();
  static ScriptedSystem Win8();  // 6.2 Pro, 32-bit
  // 64-bit, the 32-bit program under WOW64: 8.1 (6.3.9600), 10 22H2
  // (10.0.19045) and 11 23H2 (10.0.22631).
  static ScriptedSystem Win81X64();
  static ScriptedSystem Win10X64();
  static ScriptedSystem Win11X64();

  OsVersion Version() override;
  OsVersionEx VersionEx() override;
  int SystemMetric(int index) override;
  std::optional<std::uint16_t> NativeProcessorArchitecture() override;
  std::uint16_t ProcessorArchitecture() override;
  std::optional<std::uint32_t> ProductInfo(std::uint32_t osMajor, std::uint32_t osMinor, std::uint32_t spMajor,
                                           std::uint32_t spMinor) override;
  bool IsWow64() override;
  MemoryStatus Memory() override;
  std::optional<FileCacheInfo> FileCache() override;
  std::optional<std::int64_t> PerformanceFrequency() override;
  std::int64_t PerformanceCounter() override;
  std::uint64_t TickCount() override;
  std::optional<std::string> UserName() override;
  std::string SystemDirectory() override;
  std::string HostExecutablePath() override;
  std::string LibraryPath() override;
  std::string UpperCase(const std::string& text) override;
  std::uint32_t ThreadLocale() override;
  std::string AnsiToUtf8(const std::string& ansi) override;
  std::string Utf8ToAnsi(const std::string& utf8) override;
  std::optional<std::vector<std::uint8_t>> FileVersionInfo(const std::string& path) override;
  std::optional<std::uint32_t> VersionTranslation(const std::vector<std::uint8_t>& block) override;
  std::optional<std::string> VersionString(const std::vector<std::uint8_t>& block,
                                           const std::string& subBlock) override;
  void ShellOpen(const std::string& target) override;
  void ShellStart(const std::string& program, const std::string& parameters) override;
  long StartAsAdministrator(const std::string& program, const std::string& parameters) override;
  std::string ErrorText(long code) override;
  std::optional<std::string> UserSid() override;
  std::optional<std::string> AccountName(const std::string& sid) override;
  void Execute(const std::string& command) override;
  bool FileExists(const std::string& path) override;
  std::optional<std::string> WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
  // Reads what was written to `path`, else fails as a missing file does.
  std::optional<std::string> ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) override;
  std::optional<std::string> CreateFolder(const std::string& path) override;
  std::string LocalTimeText() override { return localTime; }
  void Sleep(std::uint32_t milliseconds) override;

 private:
  const ScriptedVersionResource* ResourceOfBlock(const std::vector<std::uint8_t>& block) const;
};

// Every preset with a name, for tests that run over all of them.
struct ScriptedPreset {
  const char* name;
  ScriptedSystem (*make)();
};
const std::vector<ScriptedPreset>& AllScriptedPresets();

}  // namespace varnox
