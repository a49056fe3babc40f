// Reader of a logger memory image: sectors, their headers, and the entry
// stream of special entries and log records inside each sector.
// Every read is bounds-checked, so hostile bytes cannot read past a sector.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace logimage {
inline constexpr std::size_t kSectorSize = 65536;
inline constexpr std::size_t kSectorHeaderSize = 512;
inline constexpr std::size_t kMarkerOffset = 508;
inline constexpr std::uint32_t kSectorMarker = 0xBBBBBBBB;
inline constexpr std::size_t kEntryProbeSize = 16;
// After a record, a tail shorter than this that is all 0xFF ends the sector.
inline constexpr std::size_t kErasedTailLimit = 128;
inline constexpr std::uint8_t kFormatChangeType = 2;
// Holux loggers mark the start of logging and each waypoint with 16 ASCII
// bytes; newer firmware adds four spaces.
inline constexpr std::size_t kHoluxMarkerSize = 16;
inline constexpr std::size_t kHoluxMarkerPadding = 4;
// The GPsport 245 logs speed in cm/s.
inline constexpr double kKmhPerCentimetreSecond = 0.036;
} // namespace logimage

// LogFormatMask bits, in record order.
namespace fieldbit {
inline constexpr std::uint32_t kUtc = 1u << 0;
inline constexpr std::uint32_t kValid = 1u << 1;
inline constexpr std::uint32_t kLatitude = 1u << 2;
inline constexpr std::uint32_t kLongitude = 1u << 3;
inline constexpr std::uint32_t kHeight = 1u << 4;
inline constexpr std::uint32_t kSpeed = 1u << 5;
inline constexpr std::uint32_t kHeading = 1u << 6;
inline constexpr std::uint32_t kDsta = 1u << 7;
inline constexpr std::uint32_t kDage = 1u << 8;
inline constexpr std::uint32_t kPdop = 1u << 9;
inline constexpr std::uint32_t kHdop = 1u << 10;
inline constexpr std::uint32_t kVdop = 1u << 11;
inline constexpr std::uint32_t kNsat = 1u << 12;
inline constexpr std::uint32_t kSid = 1u << 13;
inline constexpr std::uint32_t kElevation = 1u << 14;
inline constexpr std::uint32_t kAzimuth = 1u << 15;
inline constexpr std::uint32_t kSnr = 1u << 16;
inline constexpr std::uint32_t kRcr = 1u << 17;
inline constexpr std::uint32_t kMillisecond = 1u << 18;
inline constexpr std::uint32_t kDistance = 1u << 19;
} // namespace fieldbit

using ByteView = std::span<const std::uint8_t>;

// Where and how a record keeps its fields: the generic image's layout, or the
// M-241's or the GPsport 245's (which the M-1000C and M-1200E share). Holux
// records hold float coordinates, a 3-byte height and no separator; the
// GPsport 245's has an integer speed in cm/s before the height.
enum class RecordLayout { Generic, M241, Gr245 };

struct SectorHeader {
    std::uint32_t mask = 0;
    std::uint32_t marker = 0;

    bool holdsData() const { return marker == logimage::kSectorMarker; }
};

struct SpecialEntry {
    std::uint8_t type = 0;
    std::uint32_t value = 0;

    bool isFormatChange() const { return type == logimage::kFormatChangeType; }
};

// One satellite of a record's satellite part.
struct SatelliteBlock {
    // Count byte 0 marks "no satellite", 0xFF "no satellite data"; such a
    // block carries no elevation, azimuth or SNR and ends the list.
    static constexpr std::uint8_t kNoSatellite = 0;
    static constexpr std::uint8_t kNoSatelliteData = 0xFF;

    std::uint8_t id = 0;
    bool inUse = false;
    std::uint8_t count = 0; // blocks in the record, as this block states it
    std::int16_t elevation = 0;
    std::uint16_t azimuth = 0;
    std::uint16_t snr = 0;

    bool endsList() const { return count == kNoSatellite || count == kNoSatelliteData; }
};

struct SatelliteCounts {
    std::uint8_t inView = 0;
    std::uint8_t inUse = 0;
};

// One log record; a field is present exactly when its mask bit is set.
struct TrackRecord {
    std::uint32_t mask = 0;
    // Seconds since 1970 UTC, unsigned: a GPS receiver logs nothing before 1980,
    // and the signed reading would turn every time from 2038 on into the past.
    std::optional<std::uint32_t> utc;
    std::optional<std::uint16_t> valid;
    std::optional<double> latitude;
    std::optional<double> longitude;
    std::optional<float> height;
    std::optional<float> speed;
    std::optional<float> heading;
    std::optional<std::uint16_t> dsta;
    std::optional<float> dage;
    std::optional<std::uint16_t> pdop;
    std::optional<std::uint16_t> hdop;
    std::optional<std::uint16_t> vdop;
    std::optional<SatelliteCounts> satelliteCounts;
    std::vector<SatelliteBlock> satellites; // read only under the SID bit
    std::optional<std::uint16_t> rcr;
    std::optional<std::uint16_t> millisecond;
    std::optional<double> distance;
    std::size_t length = 0; // bytes, separator and checksum included
    bool checksumValid = false;
};

enum class EntryKind { EndOfData, Special, Record };

struct HoluxMarker {
    RecordLayout layout = RecordLayout::M241; // the record layout of the model that wrote it
    bool waypoint = false;                    // the next record is a waypoint
    std::size_t length = logimage::kHoluxMarkerSize;
};

// What markers do to the walk: nothing (they are not looked for), or they are
// passed over as markers, or they also choose the layout for the rest of the image.
enum class MarkerRule { Ignore, Recognise, ChooseLayout };

// How an image's entries are read; a marker may change the layout as it goes.
struct DialectRules {
    RecordLayout layout = RecordLayout::Generic;
    MarkerRule markers = MarkerRule::Ignore;
};

std::size_t SectorCount(std::uint64_t imageSize);
// The sector must hold at least the 512 header bytes.
SectorHeader ReadSectorHeader(ByteView sector);
// End of data when the next 16 bytes, or all that remain if fewer, are 0xFF.
EntryKind ClassifyEntry(ByteView sector, std::size_t position);
// The position must hold a special entry (see ClassifyEntry).
SpecialEntry ReadSpecialEntry(ByteView sector, std::size_t position);
// Nothing when the record would run past the end of the sector.
std::optional<TrackRecord> ReadTrackRecord(ByteView sector, std::size_t position, std::uint32_t mask,
                                           RecordLayout layout = RecordLayout::Generic);
// A marker of a known model on a record boundary, with the padding that follows it.
std::optional<HoluxMarker> ReadHoluxMarker(ByteView sector, std::size_t position);
bool HoldsHoluxMarker(ByteView bytes);
// The mask a sector header means: an M-241 that left it erased logs 8000001D.
std::uint32_t SectorMask(std::uint32_t headerMask, RecordLayout layout);
// The rule checked after each record: nothing left, or only a short erased tail.
bool DataEndsAfterRecord(ByteView sector, std::size_t position);

// What a sector's entry stream holds, in order.
class SectorEntryHandler {
public:
    virtual ~SectorEntryHandler() = default;
    virtual void onFormatChange(std::uint32_t mask) = 0;
    // Records with a failed checksum are handed over too; the handler decides.
    virtual void onRecord(const TrackRecord& record) = 0;
    // Special entries other than format changes.
    virtual void onSpecialEntry(const SpecialEntry&) {}
    // Told of every marker passed over, once the rules took its layout where they follow markers.
    virtual void onMarker(const HoluxMarker&) {}
};

// Walks the entry stream of a sector whose header holds data, from its header's
// mask on, in the rules' layout; a record that would run past the sector ends the walk.
void ReadSectorEntries(ByteView sector, SectorEntryHandler& handler, DialectRules& rules);
// The generic image's walk.
void ReadSectorEntries(ByteView sector, SectorEntryHandler& handler);
