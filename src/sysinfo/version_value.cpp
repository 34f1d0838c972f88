#include "sysinfo/version_value.h"

namespace varnox {

std::string TranslationKey(std::uint32_t translation) {
  // Language then code page, four upper-case hexadecimal digits each.
  const std::uint32_t swapped = (translation << 16) | (translation >> 16);
  std::string key(8, '0');
  for (int digit = 7; digit >= 0; --digit) {
    key[static_cast<std::size_t>(7 - digit)] = "0123456789ABCDEF"[(swapped >> (digit * 4)) & 0xFu];
  }
  return key;
}

std::string GetVersionValue(SystemApi& system, const std::string& path, const std::string& name) {
  const auto block = system.FileVersionInfo(path);
  if (!block) return {};
  // Only the first translation is used; without a table the key stays empty
  // and the lookup below finds nothing.
  const auto translation = system.VersionTranslation(*block);
  const std::string key = translation ? TranslationKey(*translation) : std::string();
  const auto value = system.VersionString(*block, "\\StringFileInfo\\" + key + "\\" + name);
  return value ? system.AnsiToUtf8(*value) : std::string();
}

}  // namespace varnox
