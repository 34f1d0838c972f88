#pragma once
// Everything the program asks of Windows besides the registry, as an
// interface: the real one in platform/win32, a scripted one in native tests.
// Functions newer than Windows NT 4.0 are optional here because the real
// implementation looks them up at run time and may not find them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace varnox {

// The version the system itself reports: ntdll's RtlGetVersion, and where
// it is missing (NT 4.0, 9x) GetVersionExA with the 148-byte OSVERSIONINFOA.
// Never the host's compatibility answer, which stops at 6.2 for a host that
// does not declare the newer systems.
struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;     // the whole field; Windows 9x keeps the version in its high word
  std::uint32_t platform = 0;  // 0 Win32s, 1 Windows 9x, 2 NT
  std::string servicePack;     // szCSDVersion up to its NUL
};

// The same with the extended record (RTL_OSVERSIONINFOEXW, or GetVersionExA
// with the 156-byte OSVERSIONINFOEXA). The fields behind the basic record are
// zero when the system does not fill them (NT 4.0 before SP6).
struct OsVersionEx : OsVersion {
  std::uint16_t servicePackMajor = 0;
  std::uint16_t servicePackMinor = 0;
  std::uint16_t suiteMask = 0;
  std::uint8_t productType = 0;
};

// ERROR_CANCELLED: the user declined a prompt.
inline constexpr long kErrorCancelled = 1223;

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows9x = 1;
inline constexpr std::uint32_t kPlatformNT = 2;

inline constexpr std::uint16_t kArchitectureX86 = 0;
inline constexpr std::uint16_t kArchitectureIa64 = 6;
inline constexpr std::uint16_t kArchitectureAmd64 = 9;
inline constexpr std::uint16_t kArchitectureArm64 = 12;

// Physical memory in bytes: GlobalMemoryStatusEx where it exists, else
// GlobalMemoryStatus (whose 32-bit fields saturate above 4 GiB).
struct MemoryStatus {
  std::uint64_t totalPhysical = 0;
  std::uint64_t availablePhysical = 0;
};

// NtQuerySystemInformation(SystemFileCacheInformation): current and peak size.
struct FileCacheInfo {
  long status = 0;  // NTSTATUS; the sizes mean something only when it is >= 0
  std::uint64_t currentSize = 0;
  std::uint64_t peakSize = 0;
};

class SystemApi {
 public:
  virtual ~SystemApi() = default;

  virtual OsVersion Version() = 0;
  virtual OsVersionEx VersionEx() = 0;
  virtual int SystemMetric(int index) = 0;
  // GetNativeSystemInfo's processor architecture; nullopt when the function is missing.
  virtual std::optional<std::uint16_t> NativeProcessorArchitecture() = 0;
  // GetSystemInfo's processor architecture.
  virtual std::uint16_t ProcessorArchitecture() = 0;
  // GetProductInfo; nullopt when the function is missing or fails.
  virtual std::optional<std::uint32_t> ProductInfo(std::uint32_t osMajor, std::uint32_t osMinor, std::uint32_t spMajor,
                                                   std::uint32_t spMinor) = 0;
  // True when a 32-bit process runs on 64-bit Windows (IsWow64Process, looked up).
  virtual bool IsWow64() = 0;

  virtual MemoryStatus Memory() = 0;
  // nullopt when ntdll has no NtQuerySystemInformation.
  virtual std::optional<FileCacheInfo> FileCache() = 0;

  // QueryPerformanceFrequency; nullopt when there is no performance counter.
  virtual std::optional<std::int64_t> PerformanceFrequency() = 0;
  virtual std::int64_t PerformanceCounter() = 0;
  // Milliseconds since start: GetTickCount64 where it exists, else GetTickCount.
  virtual std::uint64_t TickCount() = 0;

  // GetUserNameA; nullopt when the call fails.
  virtual std::optional<std::string> UserName() = 0;
  virtual std::string SystemDirectory() = 0;
  // Full path of the host process's executable.
  virtual std::string HostExecutablePath() = 0;
  // Full path of the file the program's own code was loaded from (the
  // library, whichever process hosts it).
  virtual std::string LibraryPath() = 0;
  // CharUpperA on a copy.
  virtual std::string UpperCase(const std::string& text) = 0;
  // GetThreadLocale: the locale whose primary language picks the hint language.
  virtual std::uint32_t ThreadLocale() = 0;

  // The program keeps its own texts in UTF-8; the registry holds ANSI text of
  // the system's code page. These convert between the two (MultiByteToWideChar
  // and WideCharToMultiByte with CP_ACP); a character the code page lacks
  // becomes the code page's default character.
  virtual std::string AnsiToUtf8(const std::string& ansi) = 0;
  virtual std::string Utf8ToAnsi(const std::string& utf8) = 0;

  // GetFileVersionInfoSizeA + GetFileVersionInfoA; nullopt when either fails.
  virtual std::optional<std::vector<std::uint8_t>> FileVersionInfo(const std::string& path) = 0;
  // VerQueryValueA of "\VarFileInfo\Translation": the first entry.
  virtual std::optional<std::uint32_t> VersionTranslation(const std::vector<std::uint8_t>& block) = 0;
  // VerQueryValueA of a string value, up to its NUL.
  virtual std::optional<std::string> VersionString(const std::vector<std::uint8_t>& block,
                                                   const std::string& subBlock) = 0;

  // ShellExecuteA(nullptr, "open", target, nullptr, nullptr, SW_SHOWNORMAL).
  virtual void ShellOpen(const std::string& target) = 0;
  // ShellExecuteA(nullptr, "open", program, parameters, nullptr, SW_SHOWNORMAL),
  // with no parameters (a null pointer) when `parameters` is empty. The
  // result is not examined: a tool that cannot start says so itself.
  virtual void ShellStart(const std::string& program, const std::string& parameters) = 0;
  // ShellExecuteExA with the verb "runas" (looked up: Windows 2000 and later
  // ask for an administrator's rights before the program starts). 0 when it
  // started, else the system's error code; kErrorCancelled when the user
  // declined.
  virtual long StartAsAdministrator(const std::string& program, const std::string& parameters) = 0;
  // The system's text for an error code, without its closing line break.
  virtual std::string ErrorText(long code) = 0;
  // The user this process runs as, as a SID string ("S-1-5-21-..."); nullopt
  // where the calls are missing (NT 4.0 cannot convert a SID) or fail.
  virtual std::optional<std::string> UserSid() = 0;
  // The account name of a SID string (ConvertStringSidToSidA and
  // LookupAccountSidA, looked up); nullopt where they are missing or fail.
  virtual std::optional<std::string> AccountName(const std::string& sid) = 0;
  // WinExec(commandLine, SW_SHOW).
  virtual void Execute(const std::string& commandLine) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Writes `bytes` as the whole file at `path` (UTF-8): into a new file in
  // the same folder first, renamed over `path` once complete, so a failure
  // leaves no part of it behind. nullopt when written; else the system's
  // reason, as its error message text (UTF-8).
  virtual std::optional<std::string> WriteWholeFile(const std::string& path,
                                                    const std::vector<std::uint8_t>& bytes) = 0;
  // Makes the folder at `path` (UTF-8) unless it is there: nullopt when it
  // is there now; else the system's reason.
  virtual std::optional<std::string> CreateFolder(const std::string& path) = 0;
  // Reads the whole file at `path` (UTF-8) into `bytes`: nullopt when read;
  // else the system's reason, as its error message text (UTF-8).
  virtual std::optional<std::string> ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) = 0;
  // GetLocalTime as "2026-12-07 21:40:05".
  virtual std::string LocalTimeText() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace varnox
