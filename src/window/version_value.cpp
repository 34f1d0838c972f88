#include "window/version_value.h"

#include <cstdio>

namespace varnox {

std::string TranslationKey(std::uint32_t translation) {
  const unsigned language = translation & 0xFFFFu;
  const unsigned codePage = (translation >> 16) & 0xFFFFu;
  char key[9];
  std::snprintf(key, sizeof key, "%04X%04X", language, codePage);
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
