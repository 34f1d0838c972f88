#pragma once
// Seeds the in-memory registry from REGEDIT4 files the way regedit imports
// them into a Wine prefix: each section's key is created (also when it has no
// values), its values are set in file order, and "name"=- removes a value.
// Files are applied in the order given, so a later file overrides an earlier
// one value by value; fixtures/damaged/ files are meant to go on top of a
// version's fixture that way.

#include <filesystem>
#include <string>
#include <string_view>

#include "memory_registry.h"
#include "reg_file.h"

namespace varnox {

// Throws std::runtime_error naming `source` when the file has problems or a
// section lies under a root other than HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER; the registry is then left as it was.
void ApplyRegFile(MemoryRegistry& registry, const RegFile& file, const std::string& source);

void LoadRegFile(MemoryRegistry& registry, const std::filesystem::path& path);

// A file under the repository's fixtures/ folder, e.g. "winxp.reg" or
// "damaged/large_system_cache_missing.reg".
std::filesystem::path FixturePath(std::string_view relative);

}  // namespace varnox
