// Writing a whole file, and the local time that names when.

#include <windows.h>

#include <iterator>

#include "platform/win32/win32_system.h"

namespace varnox {

namespace {

std::wstring Wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

// The system's text for an error code, without its closing line break.
std::string Reason(DWORD error) {
  wchar_t text[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                      text, static_cast<DWORD>(std::size(text)), nullptr);
  std::wstring reason(text, length);
  while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = L"Error " + std::to_wstring(error);
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, reason.data(), static_cast<int>(reason.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, reason.data(), static_cast<int>(reason.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

bool WriteAll(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool wrote =
      bytes.empty() ||
      (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
  const DWORD error = GetLastError();
  const bool closed = CloseHandle(file) != 0;
  if (!wrote) SetLastError(error);
  return wrote && closed;
}

}  // namespace

std::optional<std::string> Win32System::WriteWholeFile(const std::string& path,
                                                       const std::vector<std::uint8_t>& bytes) {
  const std::wstring target = Wide(path);
  const std::wstring temporary = target + L".varnox-partial";
  if (WriteAll(temporary, bytes) && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    return std::nullopt;
  }
  const DWORD error = GetLastError();
  DeleteFileW(temporary.c_str());
  return Reason(error);
}

std::string Win32System::LocalTimeText() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  std::string text;
  const auto append = [&text](unsigned number, int digits, char after) {
    std::string part = std::to_string(number);
    text += std::string(part.size() < static_cast<std::size_t>(digits) ? digits - part.size() : 0, '0') + part;
    if (after != 0) text += after;
  };
  append(now.wYear, 4, '-');
  append(now.wMonth, 2, '-');
  append(now.wDay, 2, ' ');
  append(now.wHour, 2, ':');
  append(now.wMinute, 2, ':');
  append(now.wSecond, 2, 0);
  return text;
}

}  // namespace varnox
