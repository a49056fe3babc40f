// How much of the logger's memory is in use, and whether its last sector
// must be read first, from what its replies said. The log page's poll, the
// command line's status and the download all go by this one rule.
#pragma once

#include "link/device_link_state.h"
#include "link/logger_status.h"

#include <cstdint>
#include <optional>

struct MemoryUsed {
    int32_t percent = 0;
    uint32_t downloadEnd = 0;
};

// What the replies said that the rule reads.
struct MemoryReplies {
    uint32_t memorySize = 0; // from the flash identifier; 0 while not known
    int32_t statusWord = 0;
    bool lastSectorBlank = false; // no probe read anything but blank since it was last set
};

struct MemoryUse {
    // Ask the last-sector probe: in overwrite mode a written last sector
    // means the memory has wrapped. Never before the flash size is known,
    // since the probe's address depends on it.
    bool probeLastSector = false;
    // Empty while it cannot be told (the flash size is still unknown), or
    // when it depends on the write address and none is given.
    std::optional<MemoryUsed> used;
};

MemoryUse MemoryInUse(const MemoryReplies& replies, std::optional<uint32_t> writeAddress = std::nullopt);
MemoryReplies MemoryRepliesOf(const DeviceLinkState& link, const LoggerStatus& status);
