#include "logger_memory.h"

#include "decode/log_image.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {
constexpr uint8_t kErased = 0xFF;

class RecordCounter : public SectorEntryHandler {
public:
    void onFormatChange(uint32_t mask) override { lastMask = mask; }
    void onRecord(const TrackRecord&) override { ++records; }

    uint32_t records = 0;
    uint32_t lastMask = 0;
};
} // namespace

LoggerMemory::LoggerMemory(std::vector<uint8_t> image, uint32_t size) : bytes_(std::move(image))
{
    bytes_.resize(size, kErased);
    survey();
}

LoggerMemory LoggerMemory::fromFile(const std::string& path, uint32_t size)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        throw std::runtime_error("cannot read image " + path);
    // Only what the memory holds is read, however large the file.
    std::vector<uint8_t> image(std::min<std::streamoff>(file.tellg(), size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size())))
        throw std::runtime_error("cannot read image " + path);
    return LoggerMemory(std::move(image), size);
}

LoggerMemory LoggerMemory::generated(const SampleImageOptions& sample, uint32_t size)
{
    return LoggerMemory(MakeSampleImage(sample), size);
}

std::string LoggerMemory::flashId() const
{
    // Chips of two makers; the last two of the six digits give the capacity as a power of two.
    switch (size()) {
    case 0x100000:
        return "C22014C2";
    case 0x400000:
        return "C22016C2";
    case 0x800000:
        return "EF4017EF";
    case 0x1000000:
        return "EF4018EF";
    default:
        return "C22015C2";
    }
}

std::span<const uint8_t> LoggerMemory::read(uint32_t address, uint32_t length) const
{
    if (address >= bytes_.size())
        return {};
    return std::span<const uint8_t>(bytes_).subspan(address, std::min<size_t>(length, bytes_.size() - address));
}

void LoggerMemory::erase()
{
    std::fill(bytes_.begin(), bytes_.end(), kErased);
    survey();
}

void LoggerMemory::survey()
{
    size_t end = bytes_.size();
    while (end > 0 && bytes_[end - 1] == kErased)
        --end;
    nextWriteAddress_ = static_cast<uint32_t>(end);

    recordCount_ = 0;
    lastFormatMask_.reset();
    for (size_t start = 0; start + logimage::kSectorSize <= bytes_.size(); start += logimage::kSectorSize) {
        ByteView sector(bytes_.data() + start, logimage::kSectorSize);
        SectorHeader header = ReadSectorHeader(sector);
        if (!header.holdsData())
            continue;
        RecordCounter counter;
        counter.lastMask = header.mask;
        ReadSectorEntries(sector, counter);
        recordCount_ += counter.records;
        lastFormatMask_ = counter.lastMask;
    }
}
