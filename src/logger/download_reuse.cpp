#include "logger/download_reuse.h"

namespace {
constexpr uint32_t kChunk = 0x10000;
constexpr uint32_t kSlotsPerChunk = kChunk / ReusePlan::kSampleLength;
} // namespace

ReusePlan PlanReuse(uint64_t fileSize, uint32_t memorySize, uint32_t downloadEnd)
{
    // Not whole chunks: not a file a download wrote. As large as the memory
    // or larger: another memory, or a full one that may have wrapped round.
    // Less in use now than the file holds: erased since, or wrapped.
    if (memorySize == 0 || fileSize % kChunk != 0 || fileSize >= memorySize || downloadEnd < fileSize ||
        fileSize < 2 * kChunk)
        return {};
    ReusePlan plan;
    plan.keep = static_cast<uint32_t>(fileSize) - kChunk;
    // Each chunk is sampled at another of its 2 KiB slots, so that the
    // samples together cover every part of a sector.
    for (uint32_t index = 0; index < plan.keep / kChunk; ++index)
        plan.samples.push_back(
            {index * kChunk + index % kSlotsPerChunk * ReusePlan::kSampleLength, ReusePlan::kSampleLength});
    return plan;
}
