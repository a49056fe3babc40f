// The logger's flash memory as the simulator serves it: an image of 64 KiB
// sectors, erased bytes 0xFF, and what the logger reports about its use.
#pragma once

#include "testbed/log_image_writer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class LoggerMemory {
public:
    // The image is padded with 0xFF to the memory size or cut to it.
    LoggerMemory(std::vector<uint8_t> image, uint32_t size);
    // Throws std::runtime_error when the file cannot be read.
    static LoggerMemory fromFile(const std::string& path, uint32_t size);
    // The sample track; no sectors (or records) give an erased memory.
    static LoggerMemory generated(const SampleImageOptions& sample, uint32_t size);

    uint32_t size() const { return static_cast<uint32_t>(bytes_.size()); }
    // The flash identifier the logger reports: maker, type and capacity (2^N bytes), two hex digits each.
    std::string flashId() const;

    // The bytes from address on, at most length of them, never past the end.
    std::span<const uint8_t> read(uint32_t address, uint32_t length) const;
    void erase();

    // Where the next record would be written: just past the last written byte.
    uint32_t nextWriteAddress() const { return nextWriteAddress_; }
    uint32_t recordCount() const { return recordCount_; }
    // The format in force at the end of the data, if any sector holds data.
    std::optional<uint32_t> lastFormatMask() const { return lastFormatMask_; }

private:
    void survey();

    std::vector<uint8_t> bytes_;
    uint32_t nextWriteAddress_ = 0;
    uint32_t recordCount_ = 0;
    std::optional<uint32_t> lastFormatMask_;
};
