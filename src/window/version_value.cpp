#include "window/version_value.h"

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

std::string CommandLineItem(const std::string& commandLine, std::size_t index) {
  std::size_t item = 0;
  std::size_t at = 0;
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (at < commandLine.size()) {
    while (at < commandLine.size() && isBlank(commandLine[at])) ++at;
    if (at == commandLine.size()) break;
    std::string text;
    bool quoted = false;
    for (; at < commandLine.size() && (quoted || !isBlank(commandLine[at])); ++at) {
      if (commandLine[at] == '"') {
        quoted = !quoted;
      } else {
        text.push_back(commandLine[at]);
      }
    }
    if (item == index) return text;
    ++item;
  }
  return {};
}

std::string ShownVersionFilePath(SystemApi& system, bool rundll32Host) {
  if (!rundll32Host) return system.HostExecutablePath();
  // The Control Panel starts rundll32.exe with "shell32.dll,Control_RunDLL"
  // and then "<library>,<applet name>".
  const std::string item = CommandLineItem(system.CommandLine(), 2);
  if (item.empty()) return {};
  std::string path = system.FullPath(item);
  const std::size_t comma = path.find(',');
  if (comma != std::string::npos) path.erase(comma);
  return path;
}

}  // namespace varnox
