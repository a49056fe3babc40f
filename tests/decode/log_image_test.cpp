#include "decode/log_image.h"
#include "testbed/log_image_writer.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <variant>

using namespace fieldbit;

namespace {
using Bytes = std::vector<std::uint8_t>;

// A sector-sized buffer of 0xFF holding `entry` at offset 512.
Bytes SectorWith(const Bytes& entry)
{
    Bytes sector(logimage::kSectorSize, 0xFF);
    std::copy(entry.begin(), entry.end(), sector.begin() + logimage::kSectorHeaderSize);
    return sector;
}

SatelliteBlock Satellite(std::uint8_t id, std::uint8_t count)
{
    SatelliteBlock block;
    block.id = id;
    block.count = count;
    block.inUse = id % 2 == 1;
    block.elevation = static_cast<std::int16_t>(-id);
    block.azimuth = static_cast<std::uint16_t>(id * 10);
    block.snr = static_cast<std::uint16_t>(id + 30);
    return block;
}

TrackRecord WithSatellites(std::vector<SatelliteBlock> blocks)
{
    TrackRecord record;
    record.satellites = std::move(blocks);
    return record;
}

using Event = std::variant<std::uint32_t, TrackRecord>; // format change or record

struct RecordingHandler : SectorEntryHandler {
    std::vector<Event> events;
    void onFormatChange(std::uint32_t mask) override { events.emplace_back(mask); }
    void onRecord(const TrackRecord& record) override { events.emplace_back(record); }
};

std::vector<Event> WalkFirstSector(const LogImageWriter& writer)
{
    RecordingHandler handler;
    ReadSectorEntries(ByteView(writer.image()).first(logimage::kSectorSize), handler);
    return handler.events;
}
} // namespace

TEST(LogImage, SectorCountIgnoresPartialSector)
{
    EXPECT_EQ(SectorCount(0), 0u);
    EXPECT_EQ(SectorCount(65535), 0u);
    EXPECT_EQ(SectorCount(65536), 1u);
    EXPECT_EQ(SectorCount(131072 + 100), 2u);
    EXPECT_EQ(SectorCount(32 * 65536), 32u);
}

TEST(LogImage, SectorHeaderGivesMaskAndMarker)
{
    LogImageWriter writer;
    writer.beginSector(0x0002003F).beginSector(0x1, 0x12345678).erasedSector();
    const ByteView image(writer.image());
    const SectorHeader written = ReadSectorHeader(image.first(logimage::kSectorSize));
    EXPECT_EQ(written.mask, 0x0002003Fu);
    EXPECT_TRUE(written.holdsData());
    EXPECT_FALSE(ReadSectorHeader(image.subspan(logimage::kSectorSize, logimage::kSectorSize)).holdsData());
    const SectorHeader erased = ReadSectorHeader(image.subspan(2 * logimage::kSectorSize));
    EXPECT_EQ(erased.marker, 0xFFFFFFFFu);
    EXPECT_FALSE(erased.holdsData());
    EXPECT_FALSE(ReadSectorHeader(image.first(100)).holdsData());
}

TEST(LogImage, ClassifiesEntriesByTheirFirstSixteenBytes)
{
    const Bytes special = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0x05,
                           0x01, 0x00, 0x00, 0x00, 0xBB, 0xBB, 0xBB, 0xBB};
    Bytes almostErased(16, 0xFF);
    almostErased[15] = 0xFE;
    Bytes almostSpecial = special;
    almostSpecial[6] = 0xAB;

    EXPECT_EQ(ClassifyEntry(SectorWith({}), 512), EntryKind::EndOfData);
    EXPECT_EQ(ClassifyEntry(SectorWith(special), 512), EntryKind::Special);
    EXPECT_EQ(ClassifyEntry(SectorWith(almostErased), 512), EntryKind::Record);
    EXPECT_EQ(ClassifyEntry(SectorWith(almostSpecial), 512), EntryKind::Record);
    // Fewer than 16 bytes left: a short record unless they are erased.
    Bytes tail(logimage::kSectorSize, 0xFF);
    EXPECT_EQ(ClassifyEntry(tail, logimage::kSectorSize - 15), EntryKind::EndOfData);
    tail.back() = 0x00;
    EXPECT_EQ(ClassifyEntry(tail, logimage::kSectorSize - 15), EntryKind::Record);
    std::fill(tail.end() - 16, tail.end(), 0xAA);
    EXPECT_EQ(ClassifyEntry(tail, logimage::kSectorSize - 15), EntryKind::Record);
    EXPECT_EQ(ClassifyEntry(tail, logimage::kSectorSize), EntryKind::EndOfData);
    EXPECT_EQ(ClassifyEntry(Bytes(10, 0x00), 20), EntryKind::EndOfData);

    const SpecialEntry entry = ReadSpecialEntry(SectorWith(special), 512);
    EXPECT_EQ(entry.type, 5);
    EXPECT_EQ(entry.value, 1u);
    EXPECT_FALSE(entry.isFormatChange());
}

TEST(LogImage, ReadsTheDocumentedRecordBytes)
{
    Bytes bytes = {0x00, 0x5F, 0x55, 0x46, 0x02, 0x00, 0x2A, 0x4E};
    const auto record = ReadTrackRecord(SectorWith(bytes), 512, 0x00000003);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->utc, 1180000000);
    EXPECT_EQ(record->valid, 0x0002);
    EXPECT_EQ(record->length, 8u);
    EXPECT_TRUE(record->checksumValid);
    EXPECT_FALSE(record->latitude);

    bytes.back() = 0x4F;
    const auto broken = ReadTrackRecord(SectorWith(bytes), 512, 0x00000003);
    ASSERT_TRUE(broken);
    EXPECT_FALSE(broken->checksumValid);
    EXPECT_EQ(broken->length, 8u);
}

TEST(LogImage, ReadsFloatsAndDoublesLittleEndian)
{
    // latitude -33.5, longitude 151.25, height 12.5f
    const Bytes bytes = {0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x40, 0xC0, 0x00, 0x00, 0x00,
                         0x00, 0x00, 0xE8, 0x62, 0x40, 0x00, 0x00, 0x48, 0x41, 0x00, 0x00};
    const auto record = ReadTrackRecord(SectorWith(bytes), 512, kLatitude | kLongitude | kHeight);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->latitude, -33.5);
    EXPECT_EQ(record->longitude, 151.25);
    EXPECT_EQ(record->height, 12.5f);
}

TEST(LogImage, RecordLengthFollowsTheMask)
{
    const TrackRecord noSatellite = WithSatellites({Satellite(0, SatelliteBlock::kNoSatellite)});
    const TrackRecord noSatelliteData = WithSatellites({Satellite(0, SatelliteBlock::kNoSatelliteData)});
    const TrackRecord threeSatellites = WithSatellites({Satellite(1, 3), Satellite(2, 3), Satellite(3, 3)});
    const struct {
        std::uint32_t mask;
        const TrackRecord& record;
        std::size_t length;
        RecordLayout layout = RecordLayout::Generic;
    } cases[] = {
        {0x00000000, noSatellite, 2},
        {0x00000001, noSatellite, 6},
        {0x0000003F, noSatellite, 32},
        {0x0001C000, threeSatellites, 2}, // satellite details without SID add nothing
        {0xFFF00000, noSatellite, 2},     // bits 20-31 add nothing
        {0x0001E000, noSatellite, 6},     // count 0: four bytes, whatever bits 14-16 say
        {0x0001E000, noSatelliteData, 6},
        {0x0001E000, threeSatellites, 32}, // 3 x (4 + 2 + 2 + 2)
        {0x00006000, threeSatellites, 20},
        {0x000FFFFF, threeSatellites, 92},
        {0xFFFFFFFF, noSatellite, 66},
        // Holux: float coordinates, a 3-byte height, the checksum without a separator.
        {0x80021EBF, noSatellite, 34, RecordLayout::M241},
        {0x8800003D, noSatellite, 20, RecordLayout::Gr245},
        {0x0001E03F, threeSatellites, 52, RecordLayout::M241},
        {0x00000010, noSatellite, 4, RecordLayout::Gr245}, // the M-1000C's minimal formats
        {0x00000020, noSatellite, 5, RecordLayout::Gr245},
        {0x00000030, noSatellite, 8, RecordLayout::Gr245},
        {0x00000000, noSatellite, 1, RecordLayout::M241},
    };
    for (const auto& c : cases) {
        const Bytes bytes = EncodeTrackRecord(c.record, c.mask, RecordChecksum::Valid, c.layout);
        ASSERT_EQ(bytes.size(), c.length) << std::hex << c.mask;
        const auto read = ReadTrackRecord(SectorWith(bytes), 512, c.mask, c.layout);
        ASSERT_TRUE(read) << std::hex << c.mask;
        EXPECT_EQ(read->length, c.length) << std::hex << c.mask;
        EXPECT_TRUE(read->checksumValid) << std::hex << c.mask;
    }
}

TEST(LogImage, EveryFieldSurvivesWritingAndReading)
{
    const TrackRecord written = SampleTrackRecord(119);
    const auto read = ReadTrackRecord(SectorWith(EncodeTrackRecord(written, 0x000FFFFF)), 512, 0x000FFFFF);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->utc, written.utc);
    EXPECT_EQ(read->valid, written.valid);
    EXPECT_EQ(read->latitude, written.latitude);
    EXPECT_EQ(read->longitude, written.longitude);
    EXPECT_EQ(read->height, written.height);
    EXPECT_EQ(read->speed, written.speed);
    EXPECT_EQ(read->heading, written.heading);
    EXPECT_EQ(read->dsta, written.dsta);
    EXPECT_EQ(read->dage, written.dage);
    EXPECT_EQ(read->pdop, written.pdop);
    EXPECT_EQ(read->hdop, written.hdop);
    EXPECT_EQ(read->vdop, written.vdop);
    EXPECT_EQ(read->satelliteCounts->inView, written.satelliteCounts->inView);
    EXPECT_EQ(read->satelliteCounts->inUse, written.satelliteCounts->inUse);
    EXPECT_EQ(read->rcr, written.rcr);
    EXPECT_EQ(read->millisecond, written.millisecond);
    EXPECT_EQ(read->distance, written.distance);
    ASSERT_EQ(read->satellites.size(), written.satellites.size());
    for (std::size_t i = 0; i < written.satellites.size(); ++i) {
        const SatelliteBlock& a = read->satellites[i];
        const SatelliteBlock& b = written.satellites[i];
        EXPECT_EQ(std::tie(a.id, a.inUse, a.count, a.elevation, a.azimuth, a.snr),
                  std::tie(b.id, b.inUse, b.count, b.elevation, b.azimuth, b.snr));
    }
}

// Records as the logger-dialect notes give them, byte for byte from real images.
TEST(LogImage, ReadsTheDocumentedHoluxRecords)
{
    const Bytes m241 = {0x9F, 0xB1, 0x1D, 0x48, 0x02, 0x00, 0xED, 0x38, 0x27, 0x42, 0x97, 0xE0,
                        0x4A, 0x41, 0x68, 0xBB, 0x43, 0xED, 0x8F, 0x5D, 0x3F, 0x00, 0x00, 0x71,
                        0x00, 0x55, 0x00, 0x4A, 0x00, 0x0B, 0x0B, 0x08, 0x00, 0x43};
    const auto record = ReadTrackRecord(SectorWith(m241), 512, 0x80021EBF, RecordLayout::M241);
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->checksumValid);
    EXPECT_EQ(record->length, 34u);
    EXPECT_EQ(record->utc, 0x481DB19Fu);
    EXPECT_EQ(record->valid, 2);
    EXPECT_NEAR(*record->latitude, 41.8056, 1e-4);
    EXPECT_NEAR(*record->longitude, 12.6798, 1e-4);
    EXPECT_EQ(record->height, 374.8125f);
    EXPECT_NEAR(*record->speed, 0.865, 1e-3);
    EXPECT_EQ(std::tie(*record->pdop, *record->hdop, *record->vdop), std::make_tuple(113, 85, 74));
    EXPECT_EQ(record->satelliteCounts->inUse, 11);
    EXPECT_EQ(record->rcr, 8);

    const Bytes gr245 = {0xC3, 0x80, 0x92, 0x56, 0x69, 0x4E, 0x4B, 0x42, 0x8E, 0xB0,
                         0x4E, 0x41, 0x04, 0x00, 0x00, 0x00, 0x1C, 0x92, 0x43, 0x51};
    const auto second = ReadTrackRecord(SectorWith(gr245), 512, 0x8800003D, RecordLayout::Gr245);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->checksumValid);
    EXPECT_EQ(second->length, 20u);
    EXPECT_NEAR(*second->height, 292.22, 0.01);
    EXPECT_FLOAT_EQ(*second->speed, 4 * 0.036f) << "4 cm/s in km/h";
}

TEST(LogImage, HoluxLayoutsKeepEveryFieldTheyCanHold)
{
    TrackRecord written = SampleTrackRecord(119);
    written.height = 291.75f; // the lowest byte of the float is not kept
    written.speed = 12 * 0.036f;
    for (const RecordLayout layout : {RecordLayout::M241, RecordLayout::Gr245}) {
        const auto read = ReadTrackRecord(
            SectorWith(EncodeTrackRecord(written, 0x000FFFFF, RecordChecksum::Valid, layout)), 512, 0x000FFFFF, layout);
        ASSERT_TRUE(read);
        EXPECT_TRUE(read->checksumValid);
        EXPECT_EQ(read->latitude, static_cast<float>(*written.latitude));
        EXPECT_EQ(read->longitude, static_cast<float>(*written.longitude));
        EXPECT_EQ(read->height, written.height);
        EXPECT_FLOAT_EQ(*read->speed, *written.speed);
        EXPECT_EQ(read->distance, written.distance);
        EXPECT_EQ(read->satellites.size(), written.satellites.size());
    }
}

TEST(LogImage, HoluxMarkersAreKnownByTheirModel)
{
    const struct {
        std::string bytes;
        std::optional<RecordLayout> layout;
        bool waypoint = false;
        std::size_t length = 16;
    } cases[] = {
        {"HOLUXGR241LOGGER", RecordLayout::M241},
        {"HOLUXGR241WAYPNT    ", RecordLayout::M241, true, 20},
        {"HOLUXGR245LOGGER    ", RecordLayout::Gr245, false, 20},
        {"HOLUXGR245WAYPNT", RecordLayout::Gr245, true},
        {"HOLUXM1200LOGGER", RecordLayout::Gr245},
        {"HOLUXGR241LOGGER   x", RecordLayout::M241}, // not all spaces: the next record starts there
        {"HOLUXGR999LOGGER", std::nullopt},
        {"holuxgr241logger", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto marker = ReadHoluxMarker(SectorWith(Bytes(c.bytes.begin(), c.bytes.end())), 512);
        ASSERT_EQ(marker.has_value(), c.layout.has_value()) << c.bytes;
        if (!marker)
            continue;
        EXPECT_EQ(marker->layout, *c.layout) << c.bytes;
        EXPECT_EQ(marker->waypoint, c.waypoint) << c.bytes;
        EXPECT_EQ(marker->length, c.length) << c.bytes;
    }
    const std::string cut = "HOLUXGR241LOGGE";
    EXPECT_FALSE(ReadHoluxMarker(Bytes(cut.begin(), cut.end()), 0)) << "a marker never crosses the sector's end";
}

TEST(LogImage, MarkersChooseTheLayoutOnlyWhereTheRulesSaySo)
{
    TrackRecord record;
    record.utc = 1180000000;
    record.latitude = 41.5;
    LogImageWriter writer;
    writer.beginSector(0xFFFFFFFF).special(3, 50).marker("HOLUXGR241LOGGER    ").useLayout(RecordLayout::M241);
    writer.formatChange(0x0000000D).record(record);

    const struct {
        DialectRules rules;
        RecordLayout after;
        std::optional<std::vector<std::uint32_t>> formatChanges; // none: not looked at
        std::size_t records;
    } cases[] = {
        // An M-241 with an erased header mask logs 8000001D: UTC, coordinates and height.
        {{RecordLayout::Generic, MarkerRule::ChooseLayout},
         RecordLayout::M241,
         std::vector<std::uint32_t>{0x8000001D, 0x0000000D},
         1},
        {{RecordLayout::Gr245, MarkerRule::Recognise}, RecordLayout::Gr245, std::vector<std::uint32_t>{0x0000000D}, 1},
        {{RecordLayout::Generic, MarkerRule::Ignore}, RecordLayout::Generic, std::nullopt, 0}, // read as a record
    };
    for (const auto& c : cases) {
        struct : RecordingHandler {
            int specials = 0;
            int markers = 0;
            void onSpecialEntry(const SpecialEntry& entry) override { specials += entry.type == 3; }
            void onMarker(const HoluxMarker&) override { ++markers; }
        } handler;
        DialectRules rules = c.rules;
        ReadSectorEntries(ByteView(writer.image()), handler, rules);
        EXPECT_EQ(rules.layout, c.after);
        EXPECT_EQ(handler.specials, 1);
        std::vector<std::uint32_t> formatChanges;
        std::size_t records = 0;
        for (const Event& event : handler.events) {
            if (const auto* mask = std::get_if<std::uint32_t>(&event))
                formatChanges.push_back(*mask);
            else if (std::get<TrackRecord>(event).latitude == 41.5)
                ++records;
        }
        if (c.formatChanges) {
            EXPECT_EQ(formatChanges, *c.formatChanges);
        }
        EXPECT_EQ(records, c.records);
        EXPECT_EQ(handler.markers, c.rules.markers == MarkerRule::Ignore ? 0 : 1);
    }
}

TEST(LogImage, SatelliteListEndsAtAMarkerBlock)
{
    const TrackRecord record = WithSatellites({Satellite(7, 3), Satellite(0, SatelliteBlock::kNoSatellite)});
    const Bytes bytes = EncodeTrackRecord(record, 0x0001E000);
    const auto read = ReadTrackRecord(SectorWith(bytes), 512, 0x0001E000);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->satellites.size(), 2u);
    EXPECT_EQ(read->satellites[0].elevation, -7);
    EXPECT_EQ(read->satellites[1].count, SatelliteBlock::kNoSatellite);
    EXPECT_EQ(read->length, 10u + 4u + 2u);
}

TEST(LogImage, RecordRunningPastTheSectorIsNotRead)
{
    const Bytes sector(logimage::kSectorSize, 0x00);
    EXPECT_TRUE(ReadTrackRecord(sector, logimage::kSectorSize - 6, 0x1));
    EXPECT_FALSE(ReadTrackRecord(sector, logimage::kSectorSize - 5, 0x1));
    EXPECT_FALSE(ReadTrackRecord(sector, logimage::kSectorSize + 1, 0x1));
    // The first block states 2 satellites, all later ones 1: the count read is never
    // the count stated, so the blocks run on to the end of the sector.
    Bytes satellites(logimage::kSectorSize, 0x01);
    satellites[512 + 2] = 2;
    EXPECT_FALSE(ReadTrackRecord(satellites, 512, 0x0001E000));
    satellites[512 + 10 + 2] = 2;
    const auto stopped = ReadTrackRecord(satellites, 512, 0x0001E000);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->satellites.size(), 2u);
}

TEST(LogImage, DataEndsAfterARecordOnlyAtAShortErasedTail)
{
    Bytes sector(logimage::kSectorSize, 0xFF);
    EXPECT_TRUE(DataEndsAfterRecord(sector, logimage::kSectorSize));
    EXPECT_TRUE(DataEndsAfterRecord(sector, logimage::kSectorSize - 127));
    EXPECT_FALSE(DataEndsAfterRecord(sector, logimage::kSectorSize - 128));
    sector.back() = 0x00;
    EXPECT_FALSE(DataEndsAfterRecord(sector, logimage::kSectorSize - 100));
}

TEST(LogImage, WalkAppliesFormatChangesAndSkipsOtherSpecialEntries)
{
    TrackRecord record;
    record.utc = 1180000000;
    record.valid = 2;
    record.latitude = 1.5;
    LogImageWriter writer;
    writer.beginSector(0x1).record(record).special(5, 0x3F).record(record).formatChange(0x3F).record(record);
    const auto events = WalkFirstSector(writer);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(std::get<TrackRecord>(events[0]).length, 6u);
    EXPECT_EQ(std::get<TrackRecord>(events[1]).length, 6u);
    EXPECT_EQ(std::get<std::uint32_t>(events[2]), 0x3Fu);
    EXPECT_EQ(std::get<TrackRecord>(events[3]).length, 32u);
    EXPECT_EQ(std::get<TrackRecord>(events[3]).latitude, 1.5);
}

TEST(LogImage, WalkGoesOnAfterABadChecksum)
{
    TrackRecord record;
    LogImageWriter writer;
    writer.beginSector(0x3).record(record).record(record, RecordChecksum::Broken).record(record);
    const auto events = WalkFirstSector(writer);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_TRUE(std::get<TrackRecord>(events[0]).checksumValid);
    EXPECT_FALSE(std::get<TrackRecord>(events[1]).checksumValid);
    EXPECT_TRUE(std::get<TrackRecord>(events[2]).checksumValid);
}

TEST(LogImage, WalkEndsAtARecordRunningPastTheSector)
{
    LogImageWriter writer;
    writer.beginSector(0x3F).special(5, 0);
    writer.raw(Bytes(writer.remaining() - 16, 0x00)).raw(Bytes(16, 0x01)); // zero records, then 16 bytes of a 32
    EXPECT_EQ(WalkFirstSector(writer).size(), (logimage::kSectorSize - 512 - 16 - 16) / 32);
}

TEST(LogImage, ShortRecordsAreReadUpToTheVeryEndOfTheSector)
{
    LogImageWriter writer;
    writer.beginSector(0x1);
    while (writer.remaining() % 6 != 0)
        writer.special(5, 0);
    std::size_t records = 0;
    for (; writer.remaining() > 0; ++records)
        writer.record(TrackRecord{});
    EXPECT_EQ(WalkFirstSector(writer).size(), records);
    EXPECT_EQ(ClassifyEntry(writer.image(), logimage::kSectorSize - 6), EntryKind::Record);
}

TEST(LogImageWriter, RefusesEntriesThatDoNotFit)
{
    LogImageWriter writer;
    EXPECT_THROW(writer.formatChange(1), std::length_error);
    writer.beginSector(0x1);
    EXPECT_EQ(writer.remaining(), logimage::kSectorSize - 512);
    writer.raw(Bytes(writer.remaining() - 5, 0));
    EXPECT_FALSE(writer.fits(TrackRecord{}));
    EXPECT_THROW(writer.record(TrackRecord{}), std::length_error);
    writer.erasedSector();
    EXPECT_EQ(writer.remaining(), 0u);
    EXPECT_EQ(writer.image().size(), 2 * logimage::kSectorSize);
}

TEST(LogImageWriter, SampleImageIsDeterministicAndFull)
{
    const Bytes image = MakeSampleImage({.sectorCount = 2});
    EXPECT_EQ(image, MakeSampleImage({.sectorCount = 2}));
    ASSERT_EQ(image.size(), 2 * logimage::kSectorSize);

    RecordingHandler handler;
    for (std::size_t sector = 0; sector < 2; ++sector)
        ReadSectorEntries(ByteView(image).subspan(sector * logimage::kSectorSize, logimage::kSectorSize), handler);
    ASSERT_GT(handler.events.size(), 1000u);
    for (std::size_t i = 0; i < handler.events.size(); ++i) {
        const auto& record = std::get<TrackRecord>(handler.events[i]);
        ASSERT_TRUE(record.checksumValid) << i;
        EXPECT_EQ(record.utc, SampleTrackRecord(static_cast<int>(i)).utc) << i;
        EXPECT_EQ(record.satellites.size(), record.satelliteCounts->inView);
    }
}

TEST(LogImageWriter, SampleImageHonoursRecordsPerSectorAndMask)
{
    const Bytes image = MakeSampleImage({.sectorCount = 3, .mask = 0x1, .recordsPerSector = 4});
    ASSERT_EQ(image.size(), 3 * logimage::kSectorSize);
    for (std::size_t sector = 0; sector < 3; ++sector) {
        RecordingHandler handler;
        const ByteView bytes = ByteView(image).subspan(sector * logimage::kSectorSize, logimage::kSectorSize);
        EXPECT_EQ(ReadSectorHeader(bytes).mask, 0x1u);
        ReadSectorEntries(bytes, handler);
        ASSERT_EQ(handler.events.size(), 4u);
        EXPECT_EQ(std::get<TrackRecord>(handler.events[0]).utc, SampleTrackRecord(static_cast<int>(sector * 4)).utc);
    }
}
