// Shared by the download end-to-end tests: a sample memory image served by
// drovik-sim, the requests it received, and decoding for comparison.
#pragma once

#include "decode/log_decoder.h"
#include "testbed/log_image_writer.h"
#include "support/sim_harness.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace download_e2e {
constexpr std::uint32_t kChunk = 0x10000;
constexpr std::uint32_t kFullMemory = 0x200000;

// The sample track over `sectors` sectors, and the memory the logger holds
// for it: the image padded with erased bytes to `size`.
struct SampleMemory {
    explicit SampleMemory(int sectors, std::uint32_t size)
    {
        SampleImageOptions options;
        options.sectorCount = sectors;
        image = MakeSampleImage(options);
        memory = image;
        memory.resize(size, 0xFF);
    }
    std::vector<std::uint8_t> image;
    std::vector<std::uint8_t> memory;
};

// The sample track's first records as a Holux logger writes them: the image
// the simulator serves for --dialect NAME --records COUNT.
inline std::vector<std::uint8_t> HoluxImage(LogDialect dialect, int records)
{
    SampleImageOptions options;
    options.sectorCount = 32;
    options.recordCount = records;
    options.dialect = dialect;
    return MakeSampleImage(options);
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The file exists and holds at least `bytes`.
inline bool HoldsAtLeast(const std::filesystem::path& path, std::uintmax_t bytes)
{
    std::error_code missing;
    const auto size = std::filesystem::file_size(path, missing);
    return !missing && size >= bytes;
}

// Addresses of the 64 KiB reads the simulator received, in order.
inline std::vector<std::uint32_t> ChunkRequests(const simharness::SimProcess& sim)
{
    std::vector<std::uint32_t> addresses;
    for (const std::string& line : sim.receivedLines()) {
        unsigned address = 0;
        unsigned length = 0;
        if (std::sscanf(line.c_str(), "$PMTK182,7,%8X,%X*", &address, &length) == 2 && length == kChunk)
            addresses.push_back(address);
    }
    return addresses;
}

// How often each chunk address was requested.
inline std::map<std::uint32_t, int> RequestCounts(const simharness::SimProcess& sim)
{
    std::map<std::uint32_t, int> counts;
    for (std::uint32_t address : ChunkRequests(sim))
        ++counts[address];
    return counts;
}

// Every cell of every used row and column, the header row included.
inline std::vector<std::vector<std::string>> RowsOf(const TrackTable& table)
{
    const int rowCount = table.usedRowCount();
    const int columnCount = table.usedColumnCount();
    std::vector<std::vector<std::string>> rows(rowCount);
    for (int row = 0; row < rowCount; ++row)
        for (int column = 0; column < columnCount; ++column)
            rows[row].push_back(table.cell(column, row));
    return rows;
}

// The table decoded from an image.
inline std::vector<std::vector<std::string>> DecodedRows(const std::vector<std::uint8_t>& image,
                                                         LogDialect dialect = LogDialect::Detect)
{
    TrackTable table;
    DecodeLogImage(ByteView(image.data(), image.size()), table, dialect);
    return RowsOf(table);
}
} // namespace download_e2e
