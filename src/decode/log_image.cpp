#include "decode/log_image.h"

#include "decode/little_endian.h"

#include <algorithm>

using namespace fieldbit;

namespace {
// Little-endian reads that never pass the end: an overrun yields zeros and
// is remembered, so a caller checks once at the end.
class ByteCursor {
public:
    ByteCursor(ByteView bytes, std::size_t position) : bytes_(bytes), position_(position) {}

    template <typename T>
    T read()
    {
        if (overran_ || sizeof(T) > bytes_.size() - position_) {
            overran_ = true;
            return T{};
        }
        const T value = LoadLittleEndian<T>(bytes_.data() + position_);
        position_ += sizeof(T);
        return value;
    }

    template <typename T>
    void readIf(std::uint32_t mask, std::uint32_t bit, std::optional<T>& field)
    {
        if (mask & bit)
            field = read<T>();
    }

    std::size_t position() const { return position_; }
    bool overran() const { return overran_; }

private:
    ByteView bytes_;
    std::size_t position_;
    bool overran_ = false;
};

bool AllBytesAre(ByteView bytes, std::uint8_t value)
{
    return std::all_of(bytes.begin(), bytes.end(), [value](std::uint8_t byte) { return byte == value; });
}

std::uint8_t XorOf(ByteView bytes)
{
    std::uint8_t sum = 0;
    for (std::uint8_t byte : bytes)
        sum ^= byte;
    return sum;
}

// Blocks follow one another until a marker block or until as many blocks
// as the last one states have been read.
void ReadSatellites(ByteCursor& cursor, std::uint32_t mask, std::vector<SatelliteBlock>& blocks)
{
    for (std::size_t read = 0; !cursor.overran();) {
        SatelliteBlock block;
        block.id = cursor.read<std::uint8_t>();
        block.inUse = (cursor.read<std::uint8_t>() & 0x01) != 0;
        block.count = cursor.read<std::uint8_t>();
        cursor.read<std::uint8_t>(); // not interpreted
        if (!block.endsList()) {
            if (mask & kElevation)
                block.elevation = cursor.read<std::int16_t>();
            if (mask & kAzimuth)
                block.azimuth = cursor.read<std::uint16_t>();
            if (mask & kSnr)
                block.snr = cursor.read<std::uint16_t>();
        }
        blocks.push_back(block);
        if (block.endsList() || ++read == block.count)
            return;
    }
}
} // namespace

std::size_t SectorCount(std::uint64_t imageSize)
{
    return static_cast<std::size_t>(imageSize / logimage::kSectorSize);
}

SectorHeader ReadSectorHeader(ByteView sector)
{
    if (sector.size() < logimage::kSectorHeaderSize)
        return {};
    ByteCursor maskCursor(sector, 2);
    ByteCursor markerCursor(sector, logimage::kMarkerOffset);
    return {maskCursor.read<std::uint32_t>(), markerCursor.read<std::uint32_t>()};
}

EntryKind ClassifyEntry(ByteView sector, std::size_t position)
{
    if (position >= sector.size())
        return EntryKind::EndOfData;
    // A short record may start in the last 15 bytes; erased bytes there end the data.
    const ByteView entry = sector.subspan(position, std::min(logimage::kEntryProbeSize, sector.size() - position));
    if (AllBytesAre(entry, 0xFF))
        return EntryKind::EndOfData;
    if (entry.size() == logimage::kEntryProbeSize && AllBytesAre(entry.first(7), 0xAA) &&
        AllBytesAre(entry.last(4), 0xBB))
        return EntryKind::Special;
    return EntryKind::Record;
}

SpecialEntry ReadSpecialEntry(ByteView sector, std::size_t position)
{
    ByteCursor cursor(sector, std::min(position + 7, sector.size()));
    SpecialEntry entry;
    entry.type = cursor.read<std::uint8_t>();
    entry.value = cursor.read<std::uint32_t>();
    return entry;
}

std::optional<TrackRecord> ReadTrackRecord(ByteView sector, std::size_t position, std::uint32_t mask)
{
    if (position > sector.size())
        return std::nullopt;
    ByteCursor cursor(sector, position);
    TrackRecord record;
    record.mask = mask;
    cursor.readIf(mask, kUtc, record.utc);
    cursor.readIf(mask, kValid, record.valid);
    cursor.readIf(mask, kLatitude, record.latitude);
    cursor.readIf(mask, kLongitude, record.longitude);
    cursor.readIf(mask, kHeight, record.height);
    cursor.readIf(mask, kSpeed, record.speed);
    cursor.readIf(mask, kHeading, record.heading);
    cursor.readIf(mask, kDsta, record.dsta);
    cursor.readIf(mask, kDage, record.dage);
    cursor.readIf(mask, kPdop, record.pdop);
    cursor.readIf(mask, kHdop, record.hdop);
    cursor.readIf(mask, kVdop, record.vdop);
    if (mask & kNsat)
        record.satelliteCounts = SatelliteCounts{cursor.read<std::uint8_t>(), cursor.read<std::uint8_t>()};
    if (mask & kSid)
        ReadSatellites(cursor, mask, record.satellites);
    cursor.readIf(mask, kRcr, record.rcr);
    cursor.readIf(mask, kMillisecond, record.millisecond);
    cursor.readIf(mask, kDistance, record.distance);

    const std::size_t fieldsEnd = cursor.position();
    cursor.read<std::uint8_t>(); // separator, not checked
    const auto checksum = cursor.read<std::uint8_t>();
    if (cursor.overran())
        return std::nullopt;
    record.length = cursor.position() - position;
    record.checksumValid = checksum == XorOf(sector.subspan(position, fieldsEnd - position));
    return record;
}

bool DataEndsAfterRecord(ByteView sector, std::size_t position)
{
    if (position >= sector.size())
        return true;
    const ByteView tail = sector.subspan(position);
    return tail.size() < logimage::kErasedTailLimit && AllBytesAre(tail, 0xFF);
}

void ReadSectorEntries(ByteView sector, SectorEntryHandler& handler)
{
    std::uint32_t mask = ReadSectorHeader(sector).mask;
    std::size_t position = logimage::kSectorHeaderSize;
    for (;;) {
        switch (ClassifyEntry(sector, position)) {
        case EntryKind::EndOfData:
            return;
        case EntryKind::Special: {
            const SpecialEntry entry = ReadSpecialEntry(sector, position);
            if (entry.isFormatChange()) {
                mask = entry.value;
                handler.onFormatChange(mask);
            }
            position += logimage::kEntryProbeSize;
            break;
        }
        case EntryKind::Record: {
            const auto record = ReadTrackRecord(sector, position, mask);
            if (!record)
                return;
            handler.onRecord(*record);
            position += record->length;
            if (DataEndsAfterRecord(sector, position))
                return;
            break;
        }
        }
    }
}
