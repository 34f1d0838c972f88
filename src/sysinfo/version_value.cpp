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
  return GetVersionValues(system, path, {name}).front();
}

std::vector<std::string> GetVersionValues(SystemApi& system, const std::string& path,
                                          const std::vector<std::string>& names) {
  std::vector<std::string> values(names.size());
  const auto block = system.FileVersionInfo(path);
  if (!block) return values;
  // Only the first translation is used; without a table the key stays empty
  // and the lookup below finds nothing.
  const auto translation = system.VersionTranslation(*block);
  const std::string key = translation ? TranslationKey(*translation) : std::string();
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto value = system.VersionString(*block, "\\StringFileInfo\\" + key + "\\" + names[i]);
    if (value) values[i] = system.AnsiToUtf8(*value);
  }
  return values;
}

}  // namespace varnox
