// What a download can keep of an earlier one: whole 64 KiB chunks from
// address 0 of a file that held the logger's memory, each trusted only after
// a small sample read of it matched. Anything doubtful means fetching the
// whole memory, as if there were no file at all.
#pragma once

#include <cstdint>
#include <vector>

// A read of logger memory: a sample here, a chunk in the download.
struct ReadRange {
    uint32_t address;
    uint32_t length;
};

struct ReusePlan {
    static constexpr uint32_t kSampleLength = 2048;

    // Bytes from address 0 kept once every sample matched, and so the first
    // address to fetch; 0 means a full download.
    uint32_t keep = 0;
    // One read per kept chunk, in address order.
    std::vector<ReadRange> samples;

    bool reuses() const { return keep != 0; }
};

// fileSize: bytes of the earlier download's file; memorySize: the logger's
// flash size; downloadEnd: the bytes it now reports worth fetching. The chunk
// holding the earlier end is fetched again whole, since the logger may have
// written into it since.
ReusePlan PlanReuse(uint64_t fileSize, uint32_t memorySize, uint32_t downloadEnd);
