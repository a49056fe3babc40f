#include "testbed/log_image_writer.h"

#include "decode/little_endian.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <fstream>
#include <numbers>
#include <stdexcept>

using namespace fieldbit;

namespace {
// Reserved up front: one allocation for most records (every field, one satellite
// block), and GCC 12 at -O3 no longer sees an overflow in the appends that is not there.
constexpr std::size_t kLongestFixedRecord = 66;

template <typename T>
void AppendIf(std::vector<std::uint8_t>& bytes, std::uint32_t mask, std::uint32_t bit, const std::optional<T>& field)
{
    if (mask & bit)
        AppendLittleEndian(bytes, field.value_or(T{}));
}

void AppendSatellites(std::vector<std::uint8_t>& bytes, std::uint32_t mask, const std::vector<SatelliteBlock>& blocks)
{
    if (blocks.empty()) {
        bytes.insert(bytes.end(), {0, 0, SatelliteBlock::kNoSatellite, 0});
        return;
    }
    for (const SatelliteBlock& block : blocks) {
        bytes.insert(bytes.end(), {block.id, static_cast<std::uint8_t>(block.inUse ? 1 : 0), block.count, 0});
        if (block.endsList())
            continue;
        if (mask & kElevation)
            AppendLittleEndian(bytes, block.elevation);
        if (mask & kAzimuth)
            AppendLittleEndian(bytes, block.azimuth);
        if (mask & kSnr)
            AppendLittleEndian(bytes, block.snr);
    }
}

template <typename T>
void AppendAs(std::vector<std::uint8_t>& bytes, std::uint32_t mask, std::uint32_t bit,
              const std::optional<double>& field)
{
    if (mask & bit)
        AppendLittleEndian(bytes, static_cast<T>(field.value_or(0)));
}

void AppendHoluxFields(std::vector<std::uint8_t>& bytes, std::uint32_t mask, RecordLayout layout,
                       const TrackRecord& record)
{
    AppendAs<float>(bytes, mask, kLatitude, record.latitude);
    AppendAs<float>(bytes, mask, kLongitude, record.longitude);
    if (layout == RecordLayout::Gr245 && (mask & kSpeed))
        AppendLittleEndian(bytes, static_cast<std::int32_t>(
                                      std::lround(record.speed.value_or(0) / logimage::kKmhPerCentimetreSecond)));
    if (mask & kHeight) {
        // The float's top three bytes: its lowest one is lost.
        const auto bits = std::bit_cast<std::uint32_t>(record.height.value_or(0));
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
                                   static_cast<std::uint8_t>(bits >> 24)});
    }
    if (layout == RecordLayout::M241)
        AppendIf(bytes, mask, kSpeed, record.speed);
}
} // namespace

std::vector<std::uint8_t> EncodeTrackRecord(const TrackRecord& record, std::uint32_t mask, RecordChecksum checksum,
                                            RecordLayout layout)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kLongestFixedRecord);
    AppendIf(bytes, mask, kUtc, record.utc);
    AppendIf(bytes, mask, kValid, record.valid);
    if (layout == RecordLayout::Generic) {
        AppendIf(bytes, mask, kLatitude, record.latitude);
        AppendIf(bytes, mask, kLongitude, record.longitude);
        AppendIf(bytes, mask, kHeight, record.height);
        AppendIf(bytes, mask, kSpeed, record.speed);
    } else {
        AppendHoluxFields(bytes, mask, layout, record);
    }
    AppendIf(bytes, mask, kHeading, record.heading);
    AppendIf(bytes, mask, kDsta, record.dsta);
    AppendIf(bytes, mask, kDage, record.dage);
    AppendIf(bytes, mask, kPdop, record.pdop);
    AppendIf(bytes, mask, kHdop, record.hdop);
    AppendIf(bytes, mask, kVdop, record.vdop);
    if (mask & kNsat) {
        const SatelliteCounts counts = record.satelliteCounts.value_or(SatelliteCounts{});
        bytes.insert(bytes.end(), {counts.inView, counts.inUse});
    }
    if (mask & kSid)
        AppendSatellites(bytes, mask, record.satellites);
    AppendIf(bytes, mask, kRcr, record.rcr);
    AppendIf(bytes, mask, kMillisecond, record.millisecond);
    AppendIf(bytes, mask, kDistance, record.distance);

    std::uint8_t sum = 0;
    for (std::uint8_t byte : bytes)
        sum ^= byte;
    if (layout == RecordLayout::Generic)
        bytes.push_back('*');
    bytes.push_back(checksum == RecordChecksum::Valid ? sum : static_cast<std::uint8_t>(sum ^ 0x5A));
    return bytes;
}

LogImageWriter& LogImageWriter::beginSector(std::uint32_t mask, std::uint32_t marker)
{
    const std::size_t start = image_.size();
    image_.resize(start + logimage::kSectorSize, 0xFF);
    StoreLittleEndian<std::uint16_t>(&image_[start], 0); // a written sector's word is not 0xFFFF
    StoreLittleEndian(&image_[start + 2], mask);
    StoreLittleEndian(&image_[start + logimage::kMarkerOffset], marker);
    position_ = start + logimage::kSectorHeaderSize;
    mask_ = mask;
    return *this;
}

LogImageWriter& LogImageWriter::erasedSector()
{
    image_.resize(image_.size() + logimage::kSectorSize, 0xFF);
    position_ = image_.size();
    return *this;
}

LogImageWriter& LogImageWriter::record(const TrackRecord& record, RecordChecksum checksum)
{
    return raw(EncodeTrackRecord(record, mask_, checksum, layout_));
}

LogImageWriter& LogImageWriter::useLayout(RecordLayout layout)
{
    layout_ = layout;
    return *this;
}

LogImageWriter& LogImageWriter::marker(std::string_view text)
{
    return raw(std::vector<std::uint8_t>(text.begin(), text.end()));
}

LogImageWriter& LogImageWriter::formatChange(std::uint32_t mask)
{
    special(logimage::kFormatChangeType, mask);
    mask_ = mask;
    return *this;
}

LogImageWriter& LogImageWriter::special(std::uint8_t type, std::uint32_t value)
{
    std::uint8_t* entry = place(logimage::kEntryProbeSize);
    std::fill_n(entry, 7, 0xAA);
    entry[7] = type;
    StoreLittleEndian(entry + 8, value);
    std::fill_n(entry + 12, 4, 0xBB);
    return *this;
}

LogImageWriter& LogImageWriter::raw(const std::vector<std::uint8_t>& bytes)
{
    std::copy(bytes.begin(), bytes.end(), place(bytes.size()));
    return *this;
}

std::size_t LogImageWriter::remaining() const
{
    return image_.size() - position_;
}

bool LogImageWriter::fits(const TrackRecord& record) const
{
    return EncodeTrackRecord(record, mask_, RecordChecksum::Valid, layout_).size() <= remaining();
}

std::uint8_t* LogImageWriter::place(std::size_t size)
{
    if (size > remaining())
        throw std::length_error("log image entry does not fit in its sector");
    std::uint8_t* entry = image_.data() + position_;
    position_ += size;
    return entry;
}

namespace {
constexpr double kCentreLatitude = 48.2082;
constexpr double kCentreLongitude = 16.3738;
constexpr double kMetresPerDegree = 111320.0;
constexpr std::uint32_t kSampleStartUtc = 1180000000;
constexpr int kSecondsPerPoint = 5;
constexpr int kPointsPerLap = 480;
constexpr std::array<std::uint8_t, 12> kSatelliteIds = {2, 5, 7, 9, 12, 15, 17, 20, 24, 26, 29, 30};

struct PlanePoint {
    double north = 0; // metres from the centre
    double east = 0;
};

// A wavy loop of about 3 km radius round the centre.
PlanePoint SampleTrackPoint(int index)
{
    const double angle = 2 * std::numbers::pi * index / kPointsPerLap;
    const double radius = 3000.0 * (1.0 + 0.15 * std::sin(5 * angle));
    return {radius * std::cos(angle), radius * std::sin(angle)};
}

std::vector<SatelliteBlock> SampleSatellites(int index)
{
    const int count = 6 + (index / 60) % 5;
    const int first = (index / 200) % static_cast<int>(kSatelliteIds.size());
    std::vector<SatelliteBlock> blocks(count);
    for (int i = 0; i < count; ++i) {
        const int id = kSatelliteIds[(first + i) % kSatelliteIds.size()];
        SatelliteBlock& block = blocks[i];
        block.id = static_cast<std::uint8_t>(id);
        block.inUse = i < count - 2;
        block.count = static_cast<std::uint8_t>(count);
        block.elevation = static_cast<std::int16_t>(10 + (id * 7 + index / 30) % 75);
        block.azimuth = static_cast<std::uint16_t>((id * 29 + index / 10) % 360);
        block.snr = static_cast<std::uint16_t>(i == count - 1 ? 0 : 25 + (id * 3 + index / 5) % 20);
    }
    return blocks;
}
} // namespace

TrackRecord SampleTrackRecord(int index)
{
    const PlanePoint here = SampleTrackPoint(index);
    const PlanePoint before = SampleTrackPoint(index - 1);
    const double step = std::hypot(here.north - before.north, here.east - before.east);
    const double headingDegrees =
        std::atan2(here.east - before.east, here.north - before.north) * 180 / std::numbers::pi;
    const double metresPerLongitudeDegree = kMetresPerDegree * std::cos(kCentreLatitude * std::numbers::pi / 180);

    TrackRecord record;
    record.mask = 0x000FFFFF;
    record.utc = kSampleStartUtc + index * kSecondsPerPoint;
    record.valid = index % 50 == 49 ? 0x0004 : 0x0002;
    record.latitude = kCentreLatitude + here.north / kMetresPerDegree;
    record.longitude = kCentreLongitude + here.east / metresPerLongitudeDegree;
    record.height = static_cast<float>(180.0 + 25.0 * std::sin(4 * std::numbers::pi * index / kPointsPerLap));
    record.speed = static_cast<float>(step / kSecondsPerPoint * 3.6);
    record.heading = static_cast<float>(headingDegrees < 0 ? headingDegrees + 360 : headingDegrees);
    record.dsta = 0;
    record.dage = 0;
    record.satellites = SampleSatellites(index);
    const auto satellitesInUse = std::count_if(record.satellites.begin(), record.satellites.end(),
                                               [](const SatelliteBlock& block) { return block.inUse; });
    record.satelliteCounts = SatelliteCounts{static_cast<std::uint8_t>(record.satellites.size()),
                                             static_cast<std::uint8_t>(satellitesInUse)};
    record.pdop = static_cast<std::uint16_t>(150 + index % 40);
    record.hdop = static_cast<std::uint16_t>(90 + index % 25);
    record.vdop = static_cast<std::uint16_t>(120 + index % 30);
    record.rcr = index % 120 == 119 ? 0x9 : 0x1;
    record.millisecond = static_cast<std::uint16_t>(index * 250 % 1000);
    record.distance = step;
    return record;
}

namespace {
std::string_view LoggerMarkerOf(LogDialect dialect)
{
    switch (dialect) {
    case LogDialect::M241:
        return "HOLUXGR241LOGGER";
    case LogDialect::Gr245:
        return "HOLUXGR245LOGGER";
    default:
        return {};
    }
}
} // namespace

std::vector<std::uint8_t> MakeSampleImage(const SampleImageOptions& options)
{
    LogImageWriter writer;
    writer.useLayout(RulesOf(options.dialect).layout);
    int index = options.firstPoint;
    const auto allWritten = [&] {
        return options.recordCount != 0 && index - options.firstPoint == options.recordCount;
    };
    for (int sector = 0; sector < options.sectorCount && !allWritten(); ++sector) {
        writer.beginSector(options.mask);
        if (sector == 0 && !LoggerMarkerOf(options.dialect).empty())
            writer.marker(LoggerMarkerOf(options.dialect));
        for (int written = 0; options.recordsPerSector == 0 || written < options.recordsPerSector; ++written) {
            const TrackRecord record = SampleTrackRecord(index);
            if (allWritten() || !writer.fits(record))
                break;
            writer.record(record);
            ++index;
        }
    }
    return writer.image();
}

bool WriteImageFile(const std::string& path, const std::vector<std::uint8_t>& image)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return static_cast<bool>(file.flush());
}
