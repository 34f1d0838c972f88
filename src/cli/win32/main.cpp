// varnox.exe: the command line of the applet, for scripts and the agents
// that fleets run. The words come in as Unicode and leave as UTF-8, so
// names in any language pass; a console gets them as Unicode text.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "cli/run.h"
#include "cli/win32/win32_user_profiles.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"
#include "window/texts/load_locale.h"

namespace {

std::string Utf8(const wchar_t* text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(length - 1));
  return utf8;
}

std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  if (words == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8(words[i]));
  LocalFree(words);
  return arguments;
}

// A console shows Unicode whatever its code page; a pipe or a file gets
// UTF-8, which is what agents and PowerShell read.
void Write(DWORD which, const std::string& text) {
  if (text.empty()) return;
  const HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(handle, &mode)) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int main() {
  varnox::RecordLibraryLoadLocale(GetThreadLocale());
  varnox::RegistryApi& registry = varnox::SystemRegistry();
  varnox::SystemApi& system = varnox::WindowsSystem();
  varnox::Platform platform{registry, system};
  varnox::cli::Win32UserProfiles profiles(registry, system);
  varnox::cli::CliEnvironment environment{platform, profiles, VARNOX_VERSION_TEXT};
  varnox::cli::CliOutput output;
  int exit = varnox::cli::kExitRegistry;
  try {
    exit = varnox::cli::RunCli(Arguments(), environment, output);
  } catch (const std::exception& error) {
    output.Problem(error.what());
    output.out += "FAILED: " + output.problem + "\n";
  }
  Write(STD_ERROR_HANDLE, output.err);
  Write(STD_OUTPUT_HANDLE, output.out);
  return exit;
}
