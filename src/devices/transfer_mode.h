#pragma once
// The one-line transfer-mode texts of a device: from the IDE channel's timing
// mask on Windows 2000/XP, from the port's DMA flag everywhere else.

#include <cstdint>
#include <string>

namespace varnox {

// A channel's timing-mode mask: the highest set bit names the fastest mode.
std::string TimingModeText(std::int32_t timingMode);

// A port's "DMAEnabled" value; -1 stands for an absent value.
std::string DmaModeText(std::int32_t dmaEnabled);

}  // namespace varnox
