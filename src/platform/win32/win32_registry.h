#pragma once
// RegistryApi on the ANSI advapi32 calls.
//
// A 32-bit library on 64-bit Windows runs under WOW64, where HKLM\SOFTWARE
// is redirected to a 32-bit copy that Windows itself never reads; the
// settings would land there and change nothing. Such a process therefore
// opens every key in the 64-bit view. The flag is never given elsewhere,
// because Windows 2000 and older refuse it.

#include <windows.h>

#include "platform/registry_api.h"

namespace varnox {

// The HKEY of a RegKey: the two predefined roots are HKEYs whose value
// differs in a 64-bit process (sign-extended), so they are mapped by name.
HKEY ToHkey(RegKey key);

class Win32RegistryApi final : public RegistryApi {
 public:
  // Asks IsWow64Process (looked up at run time: NT 4.0 and 2000 lack it) once.
  Win32RegistryApi();

  // True when every open and create adds KEY_WOW64_64KEY.
  bool UsesSixtyFourBitView() const { return viewFlag_ != 0; }

  long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) override;
  long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t size) override;
  long DeleteValue(RegKey key, const std::string& name) override;
  long QueryInfoKey(RegKey key, RegKeyInfo* info) override;
  long CloseKey(RegKey key) override;

 private:
  DWORD viewFlag_;
};

// The registry of this process, made on first use.
RegistryApi& SystemRegistry();

}  // namespace varnox
