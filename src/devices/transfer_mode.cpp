#include "devices/transfer_mode.h"

#include <array>

namespace varnox {

namespace {

struct TimingRange {
  std::int32_t last;  // the range runs from the previous row's last + 1 to this
  const char* mode;
};

// Within bit 17 the first sixteen values still mean Ultra DMA 133.
constexpr std::array kTimingRanges = {
    TimingRange{0x1F, "PIO Mode"},
    TimingRange{0x7F, "DMA Mode"},
    TimingRange{0x1FF, "Single-Word DMA Mode 2"},
    TimingRange{0x3FF, "Multi-Word DMA Mode 1"},
    TimingRange{0x7FF, "Multi-Word DMA Mode 2"},
    TimingRange{0xFFF, "Ultra DMA 33 (0) Mode"},
    TimingRange{0x1FFF, "Ultra DMA 33 (1) Mode"},
    TimingRange{0x3FFF, "Ultra DMA 33 (2) Mode"},
    TimingRange{0x7FFF, "Ultra DMA 66 (3) Mode"},
    TimingRange{0xFFFF, "Ultra DMA 66 (4) Mode"},
    TimingRange{0x1FFFF, "Ultra DMA 100 (5) Mode"},
    TimingRange{0x2000F, "Ultra DMA 133 (6) Mode"},
    TimingRange{0x3FFFF, "Ultra DMA 150 (6) Mode"},
};

}  // namespace

std::string TimingModeText(std::int32_t timingMode) {
  std::string text = "Current transfer mode on this device: ";
  if (timingMode == 0) return text + "Not applicable";
  if (timingMode > 0) {
    for (const TimingRange& range : kTimingRanges) {
      if (timingMode <= range.last) return text + range.mode;
    }
  }
  return text + "Unknown Mode";
}

std::string DmaModeText(std::int32_t dmaEnabled) {
  if (dmaEnabled == -1) return "Current transfer mode: Unknown mode on this port";
  if (dmaEnabled >= 1 && dmaEnabled <= 3) return "Current transfer mode: DMA in use on this port";
  return "Current transfer mode: DMA not in use on this port";
}

}  // namespace varnox
