#include "logger/download_reuse.h"

#include <gtest/gtest.h>

namespace {
constexpr uint32_t kChunk = 0x10000;
constexpr uint32_t kMemory = 0x200000;

struct PlanCase {
    const char* name;
    uint64_t fileSize;
    uint32_t memorySize;
    uint32_t downloadEnd;
    uint32_t keep;
};

TEST(PlanReuse, KeepsWholeChunksBeforeTheEarlierEndOnlyWhenNothingSpeaksAgainstThem)
{
    const PlanCase cases[] = {
        {"grown since", 3 * kChunk, kMemory, 5 * kChunk, 2 * kChunk},
        {"nothing new", 3 * kChunk, kMemory, 3 * kChunk, 2 * kChunk},
        {"all but the last chunk of a now full memory", kMemory - kChunk, kMemory, kMemory, kMemory - 2 * kChunk},
        {"no file", 0, kMemory, kMemory, 0},
        {"one chunk: it is the one fetched again", kChunk, kMemory, 4 * kChunk, 0},
        {"not whole chunks", 3 * kChunk + 5, kMemory, 5 * kChunk, 0},
        {"shrank: erased or wrapped", 3 * kChunk, kMemory, 2 * kChunk, 0},
        {"the whole memory: it may have wrapped", kMemory, kMemory, kMemory, 0},
        {"larger than the memory", 2 * kMemory, kMemory, kMemory, 0},
        {"memory size not known", 3 * kChunk, 0, 5 * kChunk, 0},
        {"beyond 32 bits", (uint64_t{1} << 32) + 3 * kChunk, kMemory, kMemory, 0},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ReusePlan plan = PlanReuse(c.fileSize, c.memorySize, c.downloadEnd);
        EXPECT_EQ(plan.keep, c.keep);
        ASSERT_EQ(plan.samples.size(), c.keep / kChunk);
        for (uint32_t chunk = 0; chunk < plan.samples.size(); ++chunk) {
            const ReadRange sample = plan.samples[chunk];
            EXPECT_EQ(sample.length, ReusePlan::kSampleLength);
            EXPECT_EQ(sample.address / kChunk, chunk);
            EXPECT_EQ((sample.address + sample.length - 1) / kChunk, chunk);
            if (chunk > 0) {
                EXPECT_NE(sample.address % kChunk, plan.samples[chunk - 1].address % kChunk);
            }
        }
    }
}
} // namespace
