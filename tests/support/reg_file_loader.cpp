#include "reg_file_loader.h"

#include <optional>
#include <stdexcept>
#include <vector>

namespace varnox {

namespace {

std::optional<RegKey> RootOf(const std::string& name) {
  if (name == "HKEY_LOCAL_MACHINE") return kHkeyLocalMachine;
  if (name == "HKEY_CURRENT_USER") return kHkeyCurrentUser;
  return std::nullopt;
}

}  // namespace

void ApplyRegFile(MemoryRegistry& registry, const RegFile& file, const std::string& source) {
  if (!file.problems.empty()) throw std::runtime_error(source + ":\n" + DescribeProblems(file));
  // Every root is checked before anything is written, so a refused file
  // leaves no half of itself behind.
  std::vector<RegKey> roots;
  for (const RegFileSection& section : file.sections) {
    const std::optional<RegKey> root = RootOf(section.root);
    if (!root) {
      throw std::runtime_error(source + ": line " + std::to_string(section.line) + ": the in-memory registry has no " +
                               section.root);
    }
    roots.push_back(*root);
  }
  for (std::size_t i = 0; i < file.sections.size(); ++i) {
    const RegFileSection& section = file.sections[i];
    registry.CreateKeyPath(roots[i], section.path);
    for (const RegFileValue& value : section.values) {
      if (value.remove) {
        registry.RemoveValue(roots[i], section.path, value.name);
      } else {
        registry.SetRaw(roots[i], section.path, value.name, value.type, value.data);
      }
    }
  }
}

void LoadRegFile(MemoryRegistry& registry, const std::filesystem::path& path) {
  ApplyRegFile(registry, ReadRegFile(path), path.string());
}

std::filesystem::path FixturePath(std::string_view relative) {
  return std::filesystem::path(VARNOX_FIXTURES_DIR) / relative;
}

}  // namespace varnox
