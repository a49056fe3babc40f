#include "decode/log_image.h"
#include "testbed/log_image_writer.h"

#include <gtest/gtest.h>

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
    } cases[] = {
        {0x00000000, noSatellite, 2},      {0x00000001, noSatellite, 6},      {0x0000003F, noSatellite, 32},
        {0x0001C000, threeSatellites, 2}, // satellite details without SID add nothing
        {0xFFF00000, noSatellite, 2},     // bits 20-31 add nothing
        {0x0001E000, noSatellite, 6},     // count 0: four bytes, whatever bits 14-16 say
        {0x0001E000, noSatelliteData, 6},  {0x0001E000, threeSatellites, 32}, // 3 x (4 + 2 + 2 + 2)
        {0x00006000, threeSatellites, 20}, {0x000FFFFF, threeSatellites, 92}, {0xFFFFFFFF, noSatellite, 66},
    };
    for (const auto& c : cases) {
        const Bytes bytes = EncodeTrackRecord(c.record, c.mask);
        ASSERT_EQ(bytes.size(), c.length) << std::hex << c.mask;
        const auto read = ReadTrackRecord(SectorWith(bytes), 512, c.mask);
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
