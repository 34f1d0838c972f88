#include "sysinfo/memory_text.h"

#include "settings/kilobytes.h"

namespace varnox {

std::string TotalMemoryText(SystemApi& system) { return KilobytesText(system.Memory().totalPhysical); }

std::string FreeMemoryText(SystemApi& system) { return KilobytesText(system.Memory().availablePhysical); }

std::string GetFileCacheText(SystemApi& system) {
  const std::optional<FileCacheInfo> cache = system.FileCache();
  if (!cache) return {};
  // A failed query leaves the sizes unfilled; say so rather than show them.
  if (cache->status < 0) return kFileCacheNotAvailableText;
  return KilobytesText(cache->currentSize) + " ( peak size " + KilobytesText(cache->peakSize) + " )";
}

}  // namespace varnox
