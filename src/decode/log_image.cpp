#include "decode/log_image.h"

#include "decode/little_endian.h"

#include <algorithm>
#include <bit>
#include <string_view>

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

// The top three bytes of a float; its lowest byte is taken as 0.
float ReadThreeByteHeight(ByteCursor& cursor)
{
    std::uint32_t bits = 0;
    for (int shift = 8; shift <= 24; shift += 8)
        bits |= std::uint32_t{cursor.read<std::uint8_t>()} << shift;
    return std::bit_cast<float>(bits);
}

// Coordinates, height and speed as the Holux layouts keep them.
void ReadHoluxFields(ByteCursor& cursor, std::uint32_t mask, RecordLayout layout, TrackRecord& record)
{
    if (mask & kLatitude)
        record.latitude = cursor.read<float>();
    if (mask & kLongitude)
        record.longitude = cursor.read<float>();
    if (layout == RecordLayout::Gr245 && (mask & kSpeed))
        record.speed = static_cast<float>(cursor.read<std::int32_t>() * logimage::kKmhPerCentimetreSecond);
    if (mask & kHeight)
        record.height = ReadThreeByteHeight(cursor);
    if (layout == RecordLayout::M241)
        cursor.readIf(mask, kSpeed, record.speed);
}

// Passes over a marker at the position, taking its layout when the rules
// follow markers; false when none stands there.
bool PassMarker(ByteView sector, std::size_t& position, std::uint32_t& mask, DialectRules& rules,
                SectorEntryHandler& handler)
{
    const auto marker = ReadHoluxMarker(sector, position);
    if (!marker)
        return false;
    position += marker->length;
    if (rules.markers == MarkerRule::ChooseLayout && marker->layout != rules.layout) {
        rules.layout = marker->layout;
        if (const std::uint32_t sectorMask = SectorMask(mask, rules.layout); sectorMask != mask) {
            mask = sectorMask;
            handler.onFormatChange(mask);
        }
    }
    handler.onMarker(*marker);
    return true;
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
// One layout per instance, so the generic image's reading pays nothing for the others.
template <RecordLayout layout>
std::optional<TrackRecord> ReadRecordIn(ByteView sector, std::size_t position, std::uint32_t mask)
{
    if (position > sector.size())
        return std::nullopt;
    ByteCursor cursor(sector, position);
    TrackRecord record;
    record.mask = mask;
    cursor.readIf(mask, kUtc, record.utc);
    cursor.readIf(mask, kValid, record.valid);
    if constexpr (layout == RecordLayout::Generic) {
        cursor.readIf(mask, kLatitude, record.latitude);
        cursor.readIf(mask, kLongitude, record.longitude);
        cursor.readIf(mask, kHeight, record.height);
        cursor.readIf(mask, kSpeed, record.speed);
    } else {
        ReadHoluxFields(cursor, mask, layout, record);
    }
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
    if constexpr (layout == RecordLayout::Generic)
        cursor.read<std::uint8_t>(); // separator, not checked
    const auto checksum = cursor.read<std::uint8_t>();
    if (cursor.overran())
        return std::nullopt;
    record.length = cursor.position() - position;
    record.checksumValid = checksum == XorOf(sector.subspan(position, fieldsEnd - position));
    return record;
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

std::optional<TrackRecord> ReadTrackRecord(ByteView sector, std::size_t position, std::uint32_t mask,
                                           RecordLayout layout)
{
    switch (layout) {
    case RecordLayout::M241:
        return ReadRecordIn<RecordLayout::M241>(sector, position, mask);
    case RecordLayout::Gr245:
        return ReadRecordIn<RecordLayout::Gr245>(sector, position, mask);
    case RecordLayout::Generic:
        break;
    }
    return ReadRecordIn<RecordLayout::Generic>(sector, position, mask);
}

std::optional<HoluxMarker> ReadHoluxMarker(ByteView sector, std::size_t position)
{
    using logimage::kHoluxMarkerPadding;
    using logimage::kHoluxMarkerSize;
    if (position >= sector.size() || sector.size() - position < kHoluxMarkerSize || sector[position] != 'H')
        return std::nullopt;
    static constexpr std::pair<std::string_view, RecordLayout> kModels[] = {
        {"HOLUXGR241", RecordLayout::M241}, {"HOLUXGR245", RecordLayout::Gr245}, {"HOLUXM1200", RecordLayout::Gr245}};
    const std::string_view text(reinterpret_cast<const char*>(sector.data() + position), kHoluxMarkerSize);
    for (const auto& [model, layout] : kModels) {
        if (!text.starts_with(model))
            continue;
        HoluxMarker marker{layout, text.substr(model.size()) == "WAYPNT"};
        const ByteView after = sector.subspan(position + kHoluxMarkerSize);
        if (after.size() >= kHoluxMarkerPadding && AllBytesAre(after.first(kHoluxMarkerPadding), ' '))
            marker.length += kHoluxMarkerPadding;
        return marker;
    }
    return std::nullopt;
}

bool HoldsHoluxMarker(ByteView bytes)
{
    for (std::size_t position = 0; position < bytes.size(); ++position)
        if (bytes[position] == 'H' && ReadHoluxMarker(bytes, position))
            return true;
    return false;
}

std::uint32_t SectorMask(std::uint32_t headerMask, RecordLayout layout)
{
    constexpr std::uint32_t kErasedMask = 0xFFFFFFFF;
    constexpr std::uint32_t kM241Mask = 0x8000001D;
    return layout == RecordLayout::M241 && headerMask == kErasedMask ? kM241Mask : headerMask;
}

bool DataEndsAfterRecord(ByteView sector, std::size_t position)
{
    if (position >= sector.size())
        return true;
    const ByteView tail = sector.subspan(position);
    return tail.size() < logimage::kErasedTailLimit && AllBytesAre(tail, 0xFF);
}

void ReadSectorEntries(ByteView sector, SectorEntryHandler& handler, DialectRules& rules)
{
    std::uint32_t mask = SectorMask(ReadSectorHeader(sector).mask, rules.layout);
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
            } else {
                handler.onSpecialEntry(entry);
            }
            position += logimage::kEntryProbeSize;
            break;
        }
        case EntryKind::Record: {
            // A marker begins with 'H'; the check spares records the full comparison.
            if (rules.markers != MarkerRule::Ignore && sector[position] == 'H' &&
                PassMarker(sector, position, mask, rules, handler))
                break;
            const auto record = ReadTrackRecord(sector, position, mask, rules.layout);
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

void ReadSectorEntries(ByteView sector, SectorEntryHandler& handler)
{
    DialectRules generic;
    ReadSectorEntries(sector, handler, generic);
}
