#include "link/memory_use.h"

#include "link/logger_replies.h"

#include <algorithm>

namespace {
constexpr uint32_t kSectorSize = 0x10000;

bool Has(int32_t word, int32_t bits)
{
    return (word & bits) == bits;
}

MemoryUsed FromWriteAddress(uint32_t address, uint32_t memorySize)
{
    const double percent = static_cast<double>(address) * 100 / memorySize;
    const uint64_t roundedUp = (uint64_t{address} + kSectorSize - 1) / kSectorSize * kSectorSize;
    // The address can only run past the memory's end by a fault; the gauge stops at full.
    return {static_cast<int32_t>(std::min(percent, 100.0)),
            static_cast<uint32_t>(std::min<uint64_t>(roundedUp, memorySize))};
}

std::optional<MemoryUsed> Used(const MemoryReplies& replies, std::optional<uint32_t> writeAddress)
{
    const MemoryUsed wholeMemory{100, replies.memorySize};
    const bool stopMode = Has(replies.statusWord, StatusBits::StopWhenFull);
    if (stopMode && Has(replies.statusWord, StatusBits::MemoryFull))
        return wholeMemory;
    // In overwrite mode a written last sector means the memory has wrapped.
    if (!stopMode && !replies.lastSectorBlank)
        return wholeMemory;
    if (replies.memorySize == 0 || !writeAddress)
        return std::nullopt;
    return FromWriteAddress(*writeAddress, replies.memorySize);
}
} // namespace

MemoryUse MemoryInUse(const MemoryReplies& replies, std::optional<uint32_t> writeAddress)
{
    return {replies.lastSectorBlank && replies.memorySize != 0, Used(replies, writeAddress)};
}

MemoryReplies MemoryRepliesOf(const DeviceLinkState& link, const LoggerStatus& status)
{
    return {link.MemorySize, status.StatusWord, link.LastSectorBlank};
}
