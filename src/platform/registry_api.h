#pragma once
// The seven ANSI registry calls the program makes, as an interface, so the
// settings code runs against the real registry under Windows and against an
// in-memory one in native tests. Results are Win32 error codes.

#include <cstdint>
#include <string>

namespace varnox {

// An open key or a predefined root. Kept as a plain integer so that portable
// code never needs <windows.h>; the Win32 implementation casts it to HKEY.
using RegKey = std::uintptr_t;

inline constexpr RegKey kHkeyClassesRoot = 0x80000000u;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001u;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002u;
inline constexpr RegKey kHkeyUsers = 0x80000003u;
inline constexpr RegKey kHkeyCurrentConfig = 0x80000005u;

// Win32 error codes the registry code cares about.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorMoreData = 234;

// Registry data types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Access masks.
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// What RegQueryInfoKeyA reports of a key, in the order the accessor keeps it.
struct RegKeyInfo {
  std::uint32_t subKeyCount = 0;
  std::uint32_t maxSubKeyNameLength = 0;
  std::uint32_t valueCount = 0;
  std::uint32_t maxValueNameLength = 0;
  std::uint32_t maxValueDataLength = 0;
  std::uint64_t lastWriteTime = 0;  // FILETIME as one 64-bit number
};

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // RegOpenKeyExA: opens an existing key.
  virtual long OpenKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) = 0;
  // RegCreateKeyExA: opens the key, creating it and any missing parents.
  virtual long CreateKey(RegKey root, const std::string& path, std::uint32_t access, RegKey* result) = 0;
  // RegQueryValueExA. With data == nullptr only type and size are asked for.
  // On entry *size is the buffer's size; on return the stored size. A buffer
  // that is too small gives kErrorMoreData and leaves the buffer undefined.
  virtual long QueryValue(RegKey key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                          std::uint32_t* size) = 0;
  // RegSetValueExA.
  virtual long SetValue(RegKey key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                        std::uint32_t size) = 0;
  // RegDeleteValueA.
  virtual long DeleteValue(RegKey key, const std::string& name) = 0;
  // RegQueryInfoKeyA.
  virtual long QueryInfoKey(RegKey key, RegKeyInfo* info) = 0;
  // RegCloseKey.
  virtual long CloseKey(RegKey key) = 0;
};

}  // namespace varnox
