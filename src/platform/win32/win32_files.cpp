// Reading and writing a whole file, the local time that names when, and the system's text
// for an error code.

#include <windows.h>

#include <iterator>

#include "platform/win32/look_up.h"
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
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                static_cast<DWORD>(std::size(text)), nullptr);
  while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L' ')) --length;
  char utf8[1024] = {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8, sizeof utf8, nullptr, nullptr);
  return size > 0 ? std::string(utf8, static_cast<std::size_t>(size)) : "Error " + std::to_string(error);
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

// Replaces `target` by the complete file `temporary`. Where the system
// has ReplaceFileW (Windows 2000 and later), an existing file keeps its
// permissions and attributes (a Group Policy Object's files in SYSVOL,
// say); else, for a new file, and where a folder has the name (which Wine's
// ReplaceFileW would replace), the rename that NT 4.0 has. Either way the
// old file stays whole until the new one takes its name.
bool PutInPlace(const std::wstring& temporary, const std::wstring& target) {
  using ReplaceFileWFunction = BOOL(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID);
  const auto replace = LookUp<ReplaceFileWFunction>("kernel32.dll", "ReplaceFileW");
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (replace && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
      replace(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr)) {
    return true;
  }
  return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace

std::string Win32System::ErrorText(long code) { return Reason(static_cast<DWORD>(code)); }

std::optional<std::string> Win32System::WriteWholeFile(const std::string& path,
                                                       const std::vector<std::uint8_t>& bytes) {
  const std::wstring target = Wide(path);
  const std::wstring temporary = target + L".varnox-partial";
  if (WriteAll(temporary, bytes) && PutInPlace(temporary, target)) return std::nullopt;
  const DWORD error = GetLastError();
  DeleteFileW(temporary.c_str());
  return Reason(error);
}

std::optional<std::string> Win32System::CreateFolder(const std::string& path) {
  const std::wstring folder = Wide(path);
  if (CreateDirectoryW(folder.c_str(), nullptr)) return std::nullopt;
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (error == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return Reason(error);
}

// A registry file of more than this is no file the window wrote, nor one a
// user means to open into it.
constexpr DWORD kLargestFileRead = 16u << 20;

std::optional<std::string> Win32System::ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Reason(GetLastError());
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  DWORD error = size == INVALID_FILE_SIZE ? GetLastError() : NO_ERROR;
  if (error == NO_ERROR && (high != 0 || size > kLargestFileRead)) error = ERROR_FILE_TOO_LARGE;
  DWORD read = 0;
  if (error == NO_ERROR) {
    bytes.resize(size);
    if (size != 0 && (!ReadFile(file, bytes.data(), size, &read, nullptr) || read != size)) {
      error = GetLastError() != NO_ERROR ? GetLastError() : ERROR_HANDLE_EOF;
    }
  }
  CloseHandle(file);
  if (error == NO_ERROR) return std::nullopt;
  bytes.clear();
  return Reason(error);
}

std::string Win32System::LocalTimeText() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  char text[] = "0000-00-00 00:00:00";
  const WORD fields[] = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  // Each field's last digit sits where the text's next field separator, or its end, is.
  const int ends[] = {3, 6, 9, 12, 15, 18};
  for (int field = 0; field < 6; ++field) {
    for (int at = ends[field], rest = fields[field]; rest != 0 && text[at] != '-' && text[at] != ' ' && text[at] != ':';
         --at, rest /= 10) {
      text[at] = static_cast<char>('0' + rest % 10);
    }
  }
  return text;
}

}  // namespace varnox
