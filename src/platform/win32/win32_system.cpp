#include "platform/win32/win32_system.h"

#include <windows.h>
// These need <windows.h> first.
#include <shellapi.h>
#include <winver.h>

#include <cstring>

#include "platform/win32/look_up.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace varnox {
namespace {

static_assert(sizeof(OSVERSIONINFOA) == 148, "basic version record");
static_assert(sizeof(OSVERSIONINFOEXA) == 156, "extended version record");

using GetNativeSystemInfoFn = void(WINAPI*)(SYSTEM_INFO*);
using GetProductInfoFn = BOOL(WINAPI*)(DWORD, DWORD, DWORD, DWORD, DWORD*);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
using GlobalMemoryStatusExFn = BOOL(WINAPI*)(MEMORYSTATUSEX*);
using GetTickCount64Fn = ULONGLONG(WINAPI*)();
using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);

constexpr ULONG kSystemFileCacheInformation = 21;
constexpr ULONG kFileCacheBufferSize = 256;

std::string Convert(const std::string& text, UINT fromCodePage, UINT toCodePage) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(fromCodePage, 0, text.data(), length, nullptr, 0);
  if (wideLength <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(fromCodePage, 0, text.data(), length, wide.data(), wideLength);
  const int resultLength = WideCharToMultiByte(toCodePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (resultLength <= 0) return {};
  std::string result(static_cast<std::size_t>(resultLength), '\0');
  WideCharToMultiByte(toCodePage, 0, wide.data(), wideLength, result.data(), resultLength, nullptr, nullptr);
  return result;
}

// Calls that fill a buffer and report the length they need when it is too
// small, grown until the answer fits.
template <typename Fill>
std::string GrowingBuffer(Fill fill) {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    if (buffer.size() >= 32768 * 2) return {};  // longer than any Windows path
    buffer.resize(buffer.size() * 2);
  }
}

// The system's own answer. GetVersionEx answers what the host executable's
// manifest declares it knows (6.2 on Windows 8.1 and later for a host that
// declares nothing), and a library's own manifest does not count; ntdll's
// RtlGetVersion, from Windows 2000 on, always tells the truth.
bool TrueVersion(OSVERSIONINFOEXW& info) {
  const auto rtlGetVersion = LookUp<RtlGetVersionFn>("ntdll.dll", "RtlGetVersion");
  if (!rtlGetVersion) return false;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  return rtlGetVersion(&info) >= 0;
}

void CopyTrueVersion(const OSVERSIONINFOEXW& info, OsVersionEx& version) {
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  version.build = info.dwBuildNumber;
  version.platform = info.dwPlatformId;
  char servicePack[sizeof info.szCSDVersion] = {};
  WideCharToMultiByte(CP_ACP, 0, info.szCSDVersion, -1, servicePack, sizeof servicePack - 1, nullptr, nullptr);
  version.servicePack = servicePack;
  version.servicePackMajor = info.wServicePackMajor;
  version.servicePackMinor = info.wServicePackMinor;
  version.suiteMask = info.wSuiteMask;
  version.productType = info.wProductType;
}

}  // namespace

OsVersion Win32System::Version() {
  if (OSVERSIONINFOEXW info; TrueVersion(info)) {
    OsVersionEx version;
    CopyTrueVersion(info, version);
    return version;
  }
  OSVERSIONINFOA info;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  GetVersionExA(&info);
  OsVersion version;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  version.build = info.dwBuildNumber;
  version.platform = info.dwPlatformId;
  version.servicePack.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
  return version;
}

OsVersionEx Win32System::VersionEx() {
  OsVersionEx version;
  if (OSVERSIONINFOEXW trueInfo; TrueVersion(trueInfo)) {
    CopyTrueVersion(trueInfo, version);
    return version;
  }
  OSVERSIONINFOEXA info;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
    // NT 4.0 before SP6, 3.51 and 9x refuse the longer record: keep the basic
    // answer and leave the extended fields at zero.
    static_cast<OsVersion&>(version) = Version();
    return version;
  }
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  version.build = info.dwBuildNumber;
  version.platform = info.dwPlatformId;
  version.servicePack.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
  version.servicePackMajor = info.wServicePackMajor;
  version.servicePackMinor = info.wServicePackMinor;
  version.suiteMask = info.wSuiteMask;
  version.productType = info.wProductType;
  return version;
}

int Win32System::SystemMetric(int index) { return GetSystemMetrics(index); }

std::optional<std::uint16_t> Win32System::NativeProcessorArchitecture() {
  const auto getNativeSystemInfo = LookUp<GetNativeSystemInfoFn>("kernel32.dll", "GetNativeSystemInfo");
  if (!getNativeSystemInfo) return std::nullopt;
  SYSTEM_INFO info;
  std::memset(&info, 0, sizeof info);
  getNativeSystemInfo(&info);
  return info.wProcessorArchitecture;
}

std::uint16_t Win32System::ProcessorArchitecture() {
  SYSTEM_INFO info;
  std::memset(&info, 0, sizeof info);
  GetSystemInfo(&info);
  return info.wProcessorArchitecture;
}

std::optional<std::uint32_t> Win32System::ProductInfo(std::uint32_t osMajor, std::uint32_t osMinor,
                                                      std::uint32_t spMajor, std::uint32_t spMinor) {
  const auto getProductInfo = LookUp<GetProductInfoFn>("kernel32.dll", "GetProductInfo");
  if (!getProductInfo) return std::nullopt;
  DWORD productType = 0;
  if (!getProductInfo(osMajor, osMinor, spMajor, spMinor, &productType)) return std::nullopt;
  return productType;
}

bool Win32System::IsWow64() {
  const auto isWow64Process = LookUp<IsWow64ProcessFn>("kernel32.dll", "IsWow64Process");
  BOOL wow64 = FALSE;
  return isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

MemoryStatus Win32System::Memory() {
  if (const auto globalMemoryStatusEx = LookUp<GlobalMemoryStatusExFn>("kernel32.dll", "GlobalMemoryStatusEx")) {
    MEMORYSTATUSEX status;
    std::memset(&status, 0, sizeof status);
    status.dwLength = sizeof status;
    if (globalMemoryStatusEx(&status)) return {status.ullTotalPhys, status.ullAvailPhys};
  }
  MEMORYSTATUS status;
  std::memset(&status, 0, sizeof status);
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  return {status.dwTotalPhys, status.dwAvailPhys};
}

std::optional<FileCacheInfo> Win32System::FileCache() {
  const auto query = LookUp<NtQuerySystemInformationFn>("ntdll.dll", "NtQuerySystemInformation");
  if (!query) return std::nullopt;
  alignas(8) unsigned char buffer[kFileCacheBufferSize] = {};
  ULONG returned = 0;
  FileCacheInfo info;
  info.status = query(kSystemFileCacheInformation, buffer, kFileCacheBufferSize, &returned);
  // The first two fields are pointer-sized: current and peak size in bytes.
  SIZE_T current = 0;
  SIZE_T peak = 0;
  std::memcpy(&current, buffer, sizeof current);
  std::memcpy(&peak, buffer + sizeof current, sizeof peak);
  info.currentSize = current;
  info.peakSize = peak;
  return info;
}

std::optional<std::int64_t> Win32System::PerformanceFrequency() {
  LARGE_INTEGER frequency;
  frequency.QuadPart = 0;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return std::nullopt;
  return frequency.QuadPart;
}

std::int64_t Win32System::PerformanceCounter() {
  LARGE_INTEGER counter;
  counter.QuadPart = 0;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

std::uint64_t Win32System::TickCount() {
  if (const auto getTickCount64 = LookUp<GetTickCount64Fn>("kernel32.dll", "GetTickCount64")) return getTickCount64();
  return GetTickCount();
}

std::optional<std::string> Win32System::UserName() {
  char name[257] = {};  // 256 characters and the NUL
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size)) return std::nullopt;
  return std::string(name, strnlen(name, sizeof name));
}

std::string Win32System::SystemDirectory() {
  return GrowingBuffer([](char* buffer, DWORD size) {
    const UINT length = GetSystemDirectoryA(buffer, size);
    return static_cast<DWORD>(length > size ? size : length);
  });
}

std::string Win32System::HostExecutablePath() {
  // A path that fills the buffer exactly was cut short; the loop grows it.
  return GrowingBuffer([](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
}

std::string Win32System::LibraryPath() {
  // The linker's symbol for the start of the image this code belongs to: its
  // module handle, without GetModuleHandleEx (Windows XP and later).
  const auto module = reinterpret_cast<HMODULE>(&__ImageBase);
  return GrowingBuffer([module](char* buffer, DWORD size) { return GetModuleFileNameA(module, buffer, size); });
}

std::string Win32System::UpperCase(const std::string& text) {
  std::string upper = text;
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

std::uint32_t Win32System::ThreadLocale() { return GetThreadLocale(); }

std::string Win32System::AnsiToUtf8(const std::string& ansi) { return Convert(ansi, CP_ACP, CP_UTF8); }

std::string Win32System::Utf8ToAnsi(const std::string& utf8) { return Convert(utf8, CP_UTF8, CP_ACP); }

std::optional<std::vector<std::uint8_t>> Win32System::FileVersionInfo(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<std::uint8_t> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::nullopt;
  return block;
}

// VerQueryValueA may convert text inside the block it is given, so each query
// works on its own copy and the caller's block stays as it was.
std::optional<std::uint32_t> Win32System::VersionTranslation(const std::vector<std::uint8_t>& block) {
  if (block.empty()) return std::nullopt;
  std::vector<std::uint8_t> copy = block;
  void* value = nullptr;
  UINT length = 0;
  char subBlock[] = "\\VarFileInfo\\Translation";
  if (!VerQueryValueA(copy.data(), subBlock, &value, &length) || !value || length < sizeof(std::uint32_t)) {
    return std::nullopt;
  }
  std::uint32_t translation = 0;
  std::memcpy(&translation, value, sizeof translation);
  return translation;
}

std::optional<std::string> Win32System::VersionString(const std::vector<std::uint8_t>& block,
                                                      const std::string& subBlock) {
  if (block.empty()) return std::nullopt;
  std::vector<std::uint8_t> copy = block;
  std::string name = subBlock;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(copy.data(), name.data(), &value, &length) || !value) return std::nullopt;
  const char* text = static_cast<const char*>(value);
  return std::string(text, strnlen(text, length));
}

void Win32System::ShellOpen(const std::string& target) {
  ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32System::ShellStart(const std::string& program, const std::string& parameters) {
  ShellExecuteA(nullptr, "open", program.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                SW_SHOWNORMAL);
}

void Win32System::Execute(const std::string& commandLine) { WinExec(commandLine.c_str(), SW_SHOW); }

bool Win32System::FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Win32System::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

namespace {
// Made as the library loads, so that no first call has to be guarded.
Win32System windowsSystem;
}  // namespace

SystemApi& WindowsSystem() { return windowsSystem; }

}  // namespace varnox
