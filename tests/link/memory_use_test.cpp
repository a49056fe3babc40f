#include "link/memory_use.h"

#include <gtest/gtest.h>

namespace {
// The one rule of memory use, from what the replies said: whether the last
// sector is to be probed, and what is in use at a write address.
TEST(MemoryInUse, ProbesOnlyAKnownMemoryWhoseLastSectorCountsAsBlank)
{
    constexpr uint32_t M = 0x200000;
    constexpr int32_t kStop = 0x4;
    constexpr int32_t kFull = 0x4 | 0x400 | 0x800;
    struct Case {
        const char* name;
        MemoryReplies replies;
        std::optional<uint32_t> address;
        bool probe;
        std::optional<uint32_t> downloadEnd; // empty: cannot be told
    };
    const Case cases[] = {
        {"overwrite, blank, not probed yet", {M, 0, true}, 0x12345, true, 0x20000},
        {"overwrite, written last sector", {M, 0, false}, 0x12345, false, M},
        {"stop mode counts its last sector blank", {M, kStop, true}, 0x12345, true, 0x20000},
        {"stop mode, full", {M, kFull, true}, std::nullopt, true, M},
        {"size unknown: no probe at FFFF0000", {0, 0, true}, 0x12345, false, std::nullopt},
        {"size unknown, stop mode", {0, kStop, true}, 0x12345, false, std::nullopt},
        {"no write address yet", {M, kStop, true}, std::nullopt, true, std::nullopt},
        {"wrapped needs no write address", {M, 0, false}, std::nullopt, false, M},
    };
    for (const Case& c : cases) {
        const MemoryUse use = MemoryInUse(c.replies, c.address);
        EXPECT_EQ(use.probeLastSector, c.probe) << c.name;
        EXPECT_EQ(use.used.has_value(), c.downloadEnd.has_value()) << c.name;
        if (use.used && c.downloadEnd) {
            EXPECT_EQ(use.used->downloadEnd, *c.downloadEnd) << c.name;
        }
    }
}
} // namespace
