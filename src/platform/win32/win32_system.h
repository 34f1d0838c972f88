#pragma once
// SystemApi on the real Windows calls. Functions that Windows NT 4.0 lacks
// are looked up at run time, so the library still loads there.

#include "platform/system_api.h"

namespace varnox {

class Win32System final : public SystemApi {
 public:
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
  void Execute(const std::string& commandLine) override;
  bool FileExists(const std::string& path) override;
  std::optional<std::string> WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) override;
  std::optional<std::string> ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) override;
  std::optional<std::string> CreateFolder(const std::string& path) override;
  std::string LocalTimeText() override;
  void Sleep(std::uint32_t milliseconds) override;
};

// The one instance the program uses; it holds no state.
SystemApi& WindowsSystem();

}  // namespace varnox
