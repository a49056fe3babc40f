#include "decode/log_decoder.h"
#include "decode/table_of.h"
#include "testbed/log_image_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>

using namespace fieldbit;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

Texts HeaderOf(const TrackTable& table)
{
    return RowOf(table, 0, table.columnCount());
}

TrackRecord RecordAt(std::uint32_t utc)
{
    TrackRecord record;
    record.utc = utc;
    return record;
}

// Sectors of `count` records under a mask, one second apart, numbered on across sectors.
Bytes ImageOfSectors(std::uint32_t mask, std::vector<int> recordsPerSector)
{
    LogImageWriter writer;
    std::uint32_t utc = 1180000000;
    for (int count : recordsPerSector) {
        writer.beginSector(mask);
        for (int i = 0; i < count; ++i)
            writer.record(RecordAt(utc++));
    }
    return writer.image();
}

struct Decoded {
    TrackTable table;
    LoadResult result;
    std::vector<int> progress; // the row counts the decode told, in order
    std::function<void()> onProgress;

    LoadProgress listener()
    {
        return [this](int rows) {
            progress.push_back(rows);
            if (onProgress)
                onProgress();
        };
    }
    void decodeImage(ByteView image, LogDialect dialect = LogDialect::Detect)
    {
        result = DecodeLogImage(image, table, dialect, listener());
    }
    void decodeFile(const std::string& path, LogDialect dialect = LogDialect::Detect)
    {
        result = DecodeLogImageFile(path, table, dialect, listener());
    }
};

void DecodeInto(Decoded& decoded, const Bytes& image)
{
    decoded.decodeImage(image);
}

std::string TempPath(const std::string& name)
{
    return ::testing::TempDir() + "decoder_" + name;
}
} // namespace

TEST(LogDecoder, UnreadableFileSaysReadFailAndLeavesTheTable)
{
    for (const std::string& path : {TempPath("missing.bin"), ::testing::TempDir()}) {
        Decoded decoded;
        decoded.table.setCell(0, 0, "kept");
        decoded.decodeFile(path);
        EXPECT_EQ(decoded.result.outcome, LoadResult::Outcome::CannotOpen) << path;
        EXPECT_EQ(LoadFailureText(decoded.result), "Read fail!");
        EXPECT_EQ(decoded.result.rows, 0);
        EXPECT_TRUE(decoded.progress.empty());
        EXPECT_EQ(decoded.table.cell(0, 0), "kept");
    }
}

TEST(LogDecoder, ImagesWithoutAUsableSectorLeaveTheTableAsItWas)
{
    Bytes shortImage = ImageOfSectors(0x1, {5});
    shortImage.resize(logimage::kSectorSize - 1);
    LogImageWriter badMarker;
    badMarker.beginSector(0x1, 0xBBBBBBBA).record(RecordAt(1)).erasedSector();

    for (const Bytes& image : {Bytes{}, shortImage, badMarker.image()}) {
        Decoded decoded;
        decoded.table.setCell(0, 0, "INDEX");
        decoded.table.setCell(0, 1, "1");
        decoded.table.setRowCount(2);
        decoded.table.setColumnCount(1);
        decoded.table.setTimeShiftHours(2);
        DecodeInto(decoded, image);
        EXPECT_EQ(decoded.table.timeShiftHours(), 2);
        EXPECT_EQ(decoded.table.cell(0, 1), "1");
        EXPECT_EQ(decoded.table.rowCount(), 2);
        EXPECT_EQ(decoded.table.columnCount(), 1);
        EXPECT_TRUE(decoded.result.loaded());
        EXPECT_EQ(decoded.result.rows, 0);
    }
}

TEST(LogDecoder, HeaderRowFollowsTheMask)
{
    Decoded timeOnly;
    DecodeInto(timeOnly, ImageOfSectors(0x1, {1}));
    EXPECT_THAT(HeaderOf(timeOnly.table), ElementsAre("INDEX", "DATE", "TIME"));

    Decoded everything;
    DecodeInto(everything, ImageOfSectors(0xFFFFFFFF, {1}));
    EXPECT_THAT(HeaderOf(everything.table),
                ElementsAre("INDEX", "RCR", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "HEIGHT",
                            "SPEED", "HEADING", "DSTA", "DAGE", "PDOP", "HDOP", "VDOP", "NSAT (USED/VIEW)",
                            "SAT INFO (SID-ELE-AZI-SNR)", "DISTANCE"));
    EXPECT_EQ(everything.table.columnWidth(1), 35);
    EXPECT_EQ(everything.table.columnWidth(6), 30);
    EXPECT_EQ(everything.table.columnWidth(8), 30);
    EXPECT_EQ(everything.table.columnWidth(2), 0);

    Decoded satellitesOnly;
    DecodeInto(satellitesOnly, ImageOfSectors(kSid | kAzimuth, {1}));
    EXPECT_THAT(HeaderOf(satellitesOnly.table), ElementsAre("INDEX", "SAT INFO (SID-AZI)"));
}

TEST(LogDecoder, WidthHintsMoveWithTheColumns)
{
    Decoded decoded;
    LogImageWriter writer;
    writer.beginSector(kRcr | kLatitude).record(TrackRecord{}).beginSector(kUtc).record(RecordAt(0));
    DecodeInto(decoded, writer.image());
    EXPECT_THAT(HeaderOf(decoded.table), ElementsAre("INDEX", "DATE", "TIME"));
    EXPECT_EQ(decoded.table.columnWidth(1), 0);
    EXPECT_EQ(decoded.table.columnWidth(2), 0);
}

namespace {
struct CellCase {
    std::string name;
    std::uint32_t mask;
    TrackRecord record;
    std::string header;
    std::string text;
};

TrackRecord Make(auto&& fill)
{
    TrackRecord record;
    fill(record);
    return record;
}

SatelliteBlock Block(std::uint8_t id, bool inUse, std::uint8_t count, std::int16_t ele, std::uint16_t azi,
                     std::uint16_t snr)
{
    return {id, inUse, count, ele, azi, snr};
}

const std::uint32_t kAllSatelliteBits = kSid | kElevation | kAzimuth | kSnr;
const std::string kSatInfo = "SAT INFO (SID-ELE-AZI-SNR)";
} // namespace

TEST(LogDecoder, CellTextsOfEveryColumn)
{
    const CellCase cases[] = {
        {"rcr T and D", kRcr, Make([](auto& r) { r.rcr = 0x5; }), "RCR", "TD"},
        {"rcr none", kRcr, Make([](auto& r) { r.rcr = 0x0; }), "RCR", ""},
        {"rcr all", kRcr, Make([](auto& r) { r.rcr = 0xFF; }), "RCR", "TSDB"},
        {"date", kUtc, RecordAt(1180000000), "DATE", "2007/05/24"},
        {"time", kUtc, RecordAt(1180000000), "TIME", "09:46:40"},
        {"time with ms", kUtc | kMillisecond, Make([](auto& r) {
             r.utc = 1180000000;
             r.millisecond = 7;
         }),
         "TIME", "09:46:40.007"},
        {"last second of a leap day", kUtc, RecordAt(951868799), "DATE", "2000/02/29"},
        {"a year before 2000 printed whole, not as 2099", kUtc, RecordAt(946684799), "DATE", "1999/12/31"},
        {"a year after 2099 printed whole", kUtc, RecordAt(4102444800u), "DATE", "2100/01/01"},
        {"times from 2038 on are not read as before 1970", kUtc, RecordAt(4294967295u), "TIME", "06:28:15"},
        {"valid SPS", kValid, Make([](auto& r) { r.valid = 0x0006; }), "VALID", "SPS"},
        {"valid simulator", kValid, Make([](auto& r) { r.valid = 0x0100; }), "VALID", "Simulator"},
        {"valid none", kValid, Make([](auto& r) { r.valid = 0x0200; }), "VALID", ""},
        {"latitude south", kLatitude, Make([](auto& r) { r.latitude = -33.5; }), "LATITUDE", "33.500000"},
        {"south", kLatitude, Make([](auto& r) { r.latitude = -33.5; }), "N/S", "S"},
        {"zero is north", kLatitude, Make([](auto& r) { r.latitude = 0.0; }), "N/S", "N"},
        {"longitude west", kLongitude, Make([](auto& r) { r.longitude = -0.1234567; }), "LONGITUDE", "0.123457"},
        {"west", kLongitude, Make([](auto& r) { r.longitude = -0.1234567; }), "E/W", "W"},
        {"east", kLongitude, Make([](auto& r) { r.longitude = 16.0; }), "E/W", "E"},
        {"height", kHeight, Make([](auto& r) { r.height = 12.5f; }), "HEIGHT", "12.500 m"},
        {"negative height", kHeight, Make([](auto& r) { r.height = -3.25f; }), "HEIGHT", "-3.250 m"},
        {"speed", kSpeed, Make([](auto& r) { r.speed = 3.0f; }), "SPEED", "3.000 km/h"},
        {"heading", kHeading, Make([](auto& r) { r.heading = 90.5f; }), "HEADING", "90.500000"},
        {"dsta", kDsta, Make([](auto& r) { r.dsta = 65535; }), "DSTA", "65535"},
        {"dage", kDage, Make([](auto& r) { r.dage = 1.25f; }), "DAGE", "1.250000"},
        {"pdop", kPdop, Make([](auto& r) { r.pdop = 105; }), "PDOP", "1.05"},
        {"pdop whole", kPdop, Make([](auto& r) { r.pdop = 100; }), "PDOP", "1.00"},
        {"hdop small", kHdop, Make([](auto& r) { r.hdop = 7; }), "HDOP", "0.07"},
        {"vdop", kVdop, Make([](auto& r) { r.vdop = 2599; }), "VDOP", "25.99"},
        {"nsat", kNsat, Make([](auto& r) {
             r.satelliteCounts = SatelliteCounts{9, 6};
         }),
         "NSAT (USED/VIEW)", "6(9)"},
        {"distance padded", kDistance, Make([](auto& r) { r.distance = 5.0; }), "DISTANCE", "      5.00 m"},
        {"distance wide", kDistance, Make([](auto& r) { r.distance = 123456789.125; }), "DISTANCE", "123456789.12 m"},
        {"two satellites", kAllSatelliteBits, Make([](auto& r) {
             r.satellites = {Block(5, true, 2, 45, 123, 40), Block(12, false, 2, 7, 310, 0)};
         }),
         kSatInfo, "#05-45-123-40;12-07-310-00"},
        {"negative elevation", kAllSatelliteBits, Make([](auto& r) { r.satellites = {Block(3, false, 1, -5, 0, 0)}; }),
         kSatInfo, "03--5-00-00"},
        {"no satellite", kAllSatelliteBits, Make([](auto& r) { r.satellites = {Block(0, false, 0, 0, 0, 0)}; }),
         kSatInfo, "00-00-00-00"},
        {"no satellite, ids only", kSid, Make([](auto& r) { r.satellites = {Block(0, false, 0, 0, 0, 0)}; }),
         "SAT INFO (SID)", "00"},
        {"no satellite data", kAllSatelliteBits, Make([](auto& r) { r.satellites = {Block(0, false, 0xFF, 0, 0, 0)}; }),
         kSatInfo, ""},
        {"ids and snr", kSid | kSnr, Make([](auto& r) { r.satellites = {Block(17, true, 1, 45, 123, 40)}; }),
         "SAT INFO (SID-SNR)", "#17-40"},
    };
    for (const CellCase& c : cases) {
        LogImageWriter writer;
        writer.beginSector(c.mask).record(c.record);
        Decoded decoded;
        DecodeInto(decoded, writer.image());
        const int column = decoded.table.findColumn(c.header);
        ASSERT_GT(column, 0) << c.name;
        EXPECT_EQ(decoded.table.cell(column, 1), c.text) << c.name;
        EXPECT_EQ(decoded.table.cell(0, 1), "1") << c.name;
    }
}

TEST(LogDecoder, FormatChangeRebuildsTheHeaderAndLaterRowsFollowIt)
{
    TrackRecord record = RecordAt(1180000000);
    record.valid = 0x2;
    record.latitude = -33.5;
    LogImageWriter writer;
    writer.beginSector(kUtc | kLatitude);
    for (int i = 0; i < 10; ++i)
        writer.record(record);
    writer.formatChange(kValid).record(record).record(record);

    Decoded decoded;
    DecodeInto(decoded, writer.image());
    EXPECT_THAT(HeaderOf(decoded.table), ElementsAre("INDEX", "VALID"));
    EXPECT_EQ(decoded.table.cell(2, 0), "");
    EXPECT_THAT(RowOf(decoded.table, 10, 5), ElementsAre("10", "2007/05/24", "09:46:40", "33.500000", "S"));
    EXPECT_THAT(RowOf(decoded.table, 11, 3), ElementsAre("11", "SPS", ""));
    EXPECT_EQ(decoded.table.rowCount(), 13);
}

TEST(LogDecoder, RowsAreNumberedOnAcrossSectors)
{
    LogImageWriter writer;
    writer.beginSector(kUtc);
    for (int i = 0; i < 100; ++i)
        writer.record(RecordAt(i));
    writer.erasedSector().beginSector(kUtc, 0).record(RecordAt(-1)).beginSector(kUtc);
    for (int i = 100; i < 200; ++i)
        writer.record(RecordAt(i));

    Decoded decoded;
    DecodeInto(decoded, writer.image());
    EXPECT_EQ(decoded.table.rowCount(), 201);
    for (int row = 1; row <= 200; ++row) {
        ASSERT_EQ(decoded.table.cell(0, row), std::to_string(row));
        ASSERT_EQ(decoded.table.cell(2, row), "00:0" + std::to_string((row - 1) / 60) + ":" +
                                                  (((row - 1) % 60) < 10 ? "0" : "") + std::to_string((row - 1) % 60));
    }
    EXPECT_EQ(decoded.table.cell(0, 201), "");
    EXPECT_EQ(decoded.result.rows, 200);
    ASSERT_EQ(decoded.progress.size(), 200u) << "every row is told";
    EXPECT_EQ(decoded.progress.front(), 1);
    EXPECT_EQ(decoded.progress.back(), 200);
}

TEST(LogDecoder, BadChecksumTakesNoRowNumber)
{
    LogImageWriter writer;
    writer.beginSector(kUtc).record(RecordAt(1)).record(RecordAt(2), RecordChecksum::Broken).record(RecordAt(3));
    Decoded decoded;
    DecodeInto(decoded, writer.image());
    EXPECT_EQ(decoded.table.rowCount(), 3);
    EXPECT_THAT(RowOf(decoded.table, 1, 3), ElementsAre("1", "1970/01/01", "00:00:01"));
    EXPECT_THAT(RowOf(decoded.table, 2, 3), ElementsAre("2", "1970/01/01", "00:00:03"));
    EXPECT_TRUE(decoded.result.loaded());
    EXPECT_EQ(decoded.result.rows, 2);
}

TEST(LogDecoder, SectorDataEndsByEitherRule)
{
    // 16-byte format change plus 6-byte records leave the chosen tail; the
    // last record may also end right at the sector's end.
    for (std::size_t tail : {0u, 2u, 100u, 200u}) {
        LogImageWriter writer;
        writer.beginSector(kUtc);
        int records = 0;
        while (writer.remaining() > tail && (writer.remaining() - tail) % 6 != 0)
            writer.formatChange(kUtc);
        while (writer.remaining() > tail) {
            writer.record(RecordAt(records++));
        }
        ASSERT_EQ(writer.remaining(), tail);
        writer.beginSector(kUtc).record(RecordAt(0));

        Decoded decoded;
        DecodeInto(decoded, writer.image());
        EXPECT_EQ(decoded.table.rowCount(), records + 2) << tail;
        EXPECT_EQ(decoded.table.cell(0, records + 1), std::to_string(records + 1)) << tail;
    }
}

TEST(LogDecoder, ShortImageAfterALongOneEndsTheTableAtItsLastRow)
{
    Decoded decoded;
    DecodeInto(decoded, ImageOfSectors(0x000FFFFF, {50}));
    ASSERT_EQ(decoded.table.cell(3, 5), "09:46:44.000");
    ASSERT_EQ(decoded.table.rowCount(), 51);
    decoded.table.setTimeShiftHours(2);
    decoded.table.setWeekRollovers(1);
    DecodeInto(decoded, ImageOfSectors(kUtc, {3}));
    EXPECT_EQ(decoded.table.timeShiftHours(), 0) << "decoded texts are UTC";
    EXPECT_EQ(decoded.table.weekRollovers(), 0) << "and as the receiver dated them";
    EXPECT_EQ(decoded.table.rowCount(), 4);
    EXPECT_EQ(decoded.table.usedRowCount(), 4);
    EXPECT_EQ(decoded.table.usedColumnCount(), 3);
    // Rows of this run hold only their own cells; the row after the last is empty.
    for (int row = 0; row <= 4; ++row)
        EXPECT_THAT(RowOf(decoded.table, row, 20), ::testing::Contains("").Times(row == 4 ? 20 : 17)) << row;
    EXPECT_EQ(decoded.table.cell(3, 5), "09:46:44.000"); // rows past the end keep what they held
    EXPECT_EQ(decoded.table.cell(0, 5), "5");            // beyond the readers' end, as the grid keeps it
}

TEST(LogDecoder, FileIsReadSectorBySectorIgnoringAPartialTail)
{
    Bytes image = ImageOfSectors(kUtc, {2, 3});
    image.resize(image.size() + 100, 0x00);
    const std::string path = TempPath("tail.bin");
    ASSERT_TRUE(WriteImageFile(path, image));
    Decoded decoded;
    decoded.decodeFile(path);
    EXPECT_EQ(decoded.table.rowCount(), 6);
    EXPECT_EQ(decoded.table.cell(2, 5), "09:46:44");
    EXPECT_TRUE(decoded.result.loaded());
    EXPECT_EQ(decoded.result.rows, 5);
    std::filesystem::remove(path);
}

TEST(LogDecoder, FileShrinkingDuringTheDecodeEndsItWithTheRowsSoFar)
{
    const std::string path = TempPath("shrinking.bin");
    ASSERT_TRUE(WriteImageFile(path, ImageOfSectors(kUtc, {4, 4, 4})));
    Decoded decoded;
    decoded.onProgress = [&] { std::filesystem::resize_file(path, 2 * logimage::kSectorSize + 10); };
    decoded.decodeFile(path);
    EXPECT_EQ(decoded.table.rowCount(), 9);
    EXPECT_EQ(decoded.table.cell(0, 8), "8");
    EXPECT_EQ(decoded.table.cell(0, 9), "");
    EXPECT_TRUE(decoded.result.loaded()) << "the rows so far count as loaded";
    EXPECT_EQ(decoded.result.rows, 8);
    std::filesystem::remove(path);
}

TEST(LogDecoder, GoldenSmallImage)
{
    TrackRecord first;
    first.utc = 1180000000;
    first.valid = 0x0002;
    first.latitude = 48.2082;
    first.longitude = -16.3738;
    first.height = 171.25f;
    first.speed = 42.5f;
    first.rcr = 0x1;
    first.satelliteCounts = SatelliteCounts{3, 2};
    first.satellites = {Block(5, true, 3, 45, 123, 40), Block(12, true, 3, 7, 310, 38), Block(29, false, 3, 3, 15, 0)};
    TrackRecord second = first;
    second.utc = 1180000005;
    second.valid = 0x0004;
    second.latitude = -0.5;
    second.rcr = 0x9;
    second.satellites = {Block(0, false, 0, 0, 0, 0)};
    second.satelliteCounts = SatelliteCounts{0, 0};

    LogImageWriter writer;
    writer.beginSector(0x0003F03F).record(first).record(second);
    Decoded decoded;
    DecodeInto(decoded, writer.image());

    const std::vector<Texts> expected = {
        {"INDEX", "RCR", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "HEIGHT", "SPEED",
         "NSAT (USED/VIEW)", "SAT INFO (SID-ELE-AZI-SNR)"},
        {"1", "T", "2007/05/24", "09:46:40", "SPS", "48.208200", "N", "16.373800", "W", "171.250 m", "42.500 km/h",
         "2(3)", "#05-45-123-40;#12-07-310-38;29-03-15-00"},
        {"2", "TB", "2007/05/24", "09:46:45", "DGPS", "0.500000", "S", "16.373800", "W", "171.250 m", "42.500 km/h",
         "0(0)", "00-00-00-00"},
        {"", "", "", "", "", "", "", "", "", "", "", "", ""},
    };
    ASSERT_EQ(decoded.table.columnCount(), 13);
    EXPECT_EQ(decoded.table.rowCount(), 3);
    for (int row = 0; row < static_cast<int>(expected.size()); ++row)
        EXPECT_THAT(RowOf(decoded.table, row, 14), ElementsAreArray([&] {
                        Texts withEnd = expected[row];
                        withEnd.push_back("");
                        return withEnd;
                    }()))
            << "row " << row;
}

namespace {
// Every field a Holux layout can hold, at values its floats keep exactly.
TrackRecord HoluxRecord(std::uint16_t rcr = 0x1)
{
    TrackRecord record = RecordAt(1180000000);
    record.latitude = 41.5;
    record.longitude = -12.25;
    record.height = 374.8125f;
    record.speed = static_cast<float>(23 * logimage::kKmhPerCentimetreSecond);
    record.rcr = rcr;
    return record;
}

constexpr std::uint32_t kHoluxMask = kUtc | kLatitude | kLongitude | kHeight | kSpeed;
const Texts kHoluxHeader = {"INDEX",     "RCR", "DATE",   "TIME",  "LATITUDE", "N/S",
                            "LONGITUDE", "E/W", "HEIGHT", "SPEED", "TRACK"};
const Texts kHoluxRow = {"1",         "",  "2007/05/24", "09:46:40",   "41.500000", "N",
                         "12.250000", "W", "374.812 m",  "0.828 km/h", "1"};

std::string TimeCell(const TrackTable& table, int row)
{
    return table.cell(table.findColumn("TIME"), row);
}
} // namespace

TEST(LogDecoder, HoluxImagesShowTheirFieldsInTheGenericColumns)
{
    const struct {
        const char* name;
        LogDialect dialect;
        RecordLayout written;
        const char* marker; // before the record; nullptr for none
        std::uint32_t mask;
        Texts header;
        Texts row;
    } cases[] = {
        {"an M-241 told by its marker", LogDialect::Detect, RecordLayout::M241, "HOLUXGR241LOGGER", kHoluxMask,
         kHoluxHeader, kHoluxRow},
        {"a GPsport 245 told by its padded marker", LogDialect::Detect, RecordLayout::Gr245, "HOLUXGR245LOGGER    ",
         kHoluxMask, kHoluxHeader, kHoluxRow},
        {"an M-1200E writes the GPsport 245's layout", LogDialect::Detect, RecordLayout::Gr245, "HOLUXM1200LOGGER",
         kHoluxMask, kHoluxHeader, kHoluxRow},
        {"an M-241 told by the user", LogDialect::M241, RecordLayout::M241, nullptr, kHoluxMask, kHoluxHeader,
         kHoluxRow},
        {"the user's dialect wins over a marker", LogDialect::Gr245, RecordLayout::Gr245, "HOLUXGR241LOGGER",
         kHoluxMask, kHoluxHeader, kHoluxRow},
        {"a logged reason", LogDialect::Detect, RecordLayout::M241, "HOLUXGR241LOGGER", kHoluxMask | kRcr, kHoluxHeader,
         [] {
             Texts row = kHoluxRow;
             row[1] = "T";
             return row;
         }()},
        // The M-1000C writes no marker and marks no waypoint, so it gets no RCR column.
        {"an M-1000C's height and speed",
         LogDialect::M1000C,
         RecordLayout::Gr245,
         nullptr,
         kHeight | kSpeed,
         {"INDEX", "HEIGHT", "SPEED", "TRACK"},
         {"1", "374.812 m", "0.828 km/h", "1"}},
    };
    for (const auto& c : cases) {
        LogImageWriter writer;
        writer.beginSector(c.mask).special(3, 50);
        if (c.marker)
            writer.marker(c.marker);
        writer.useLayout(c.written).record(HoluxRecord());
        Decoded decoded;
        decoded.decodeImage(writer.image(), c.dialect);
        EXPECT_THAT(HeaderOf(decoded.table), ElementsAreArray(c.header)) << c.name;
        EXPECT_THAT(RowOf(decoded.table, 1, decoded.table.columnCount()), ElementsAreArray(c.row)) << c.name;
        EXPECT_EQ(decoded.table.rowCount(), 2) << c.name;
    }
}

TEST(LogDecoder, AWaypointIsAButtonPointThatStaysInTheTrack)
{
    for (const std::uint32_t mask : {kHoluxMask | kRcr, kHoluxMask}) {
        LogImageWriter writer;
        writer.beginSector(mask).marker("HOLUXGR241LOGGER").useLayout(RecordLayout::M241);
        writer.record(HoluxRecord(0x8)).record(HoluxRecord()).marker("HOLUXGR241WAYPNT").record(HoluxRecord());
        writer.record(HoluxRecord()).marker("HOLUXGR241WAYPNT").record(HoluxRecord(), RecordChecksum::Broken);
        writer.record(HoluxRecord());
        Decoded decoded;
        DecodeInto(decoded, writer.image());
        const Texts logged = {"B", "T", "TB", "T", "T"};
        const Texts unlogged = {"", "", "B", "", ""};
        EXPECT_EQ(decoded.table.rowCount(), 6) << "waypoints are track points too";
        for (int row = 1; row <= 5; ++row)
            EXPECT_EQ(decoded.table.cell(1, row), ((mask & kRcr) ? logged : unlogged)[row - 1])
                << std::hex << mask << " row " << row << ": a waypoint marker holds for the next record only";
    }
}

TEST(LogDecoder, TracksStartWhereTheMemorySays)
{
    // Entries: r a record, x one with a bad checksum, p and d period and
    // distance blocks, o and f logging switched on and off, m an M-241's
    // marker, | the next sector. Expected TRACK cells, one per row ('-' empty).
    const struct {
        const char* entries;
        LogDialect dialect;
        const char* tracks; // nullptr: no TRACK column
    } cases[] = {
        {"rrr", LogDialect::Detect, nullptr},
        {"orrorr", LogDialect::Detect, "1122"},
        {"rrorr", LogDialect::Detect, "--22"},  // rows before the first start are a track of their own
        {"orfrpdr", LogDialect::Detect, "111"}, // generic loggers: only switching logging on starts one
        {"pdrr", LogDialect::Detect, nullptr},
        {"pdmrorpdr", LogDialect::Detect, "112"}, // Holux: criteria blocks, wherever logging is switched on
        {"pdmrpdfpdr", LogDialect::Detect, "12"}, // one group, one track
        {"pdmrpd|r", LogDialect::Detect, "12"},   // tracks run on across sectors
        {"pdmrpdxr", LogDialect::Detect, "12"},   // a bad record does not take the start
        {"pdmrpd", LogDialect::Detect, "1"},      // a group with no record after it starts none
        {"porpor", LogDialect::M1000C, "12"},
        {"orpdr", LogDialect::Generic, "11"},
    };
    for (const auto& c : cases) {
        LogImageWriter writer;
        writer.beginSector(kUtc).useLayout(c.dialect == LogDialect::M1000C ? RecordLayout::Gr245
                                                                           : RecordLayout::Generic);
        for (const char* entry = c.entries; *entry; ++entry) {
            switch (*entry) {
            case 'r':
            case 'x':
                writer.record(RecordAt(1180000000), *entry == 'r' ? RecordChecksum::Valid : RecordChecksum::Broken);
                break;
            case 'p':
            case 'd':
                writer.special(*entry == 'p' ? 3 : 4, 50);
                break;
            case 'o':
            case 'f':
                writer.special(7, *entry == 'o' ? 0x0106 : 0x0104);
                break;
            case 'm':
                writer.marker("HOLUXGR241LOGGER").useLayout(RecordLayout::M241);
                break;
            case '|':
                writer.beginSector(kUtc);
                break;
            }
        }
        Decoded decoded;
        decoded.decodeImage(writer.image(), c.dialect);
        const int column = decoded.table.findColumn("TRACK");
        if (!c.tracks) {
            EXPECT_LT(column, 0) << c.entries;
            continue;
        }
        ASSERT_GT(column, 0) << c.entries;
        std::string tracks;
        for (int row = 1; row < decoded.table.rowCount(); ++row) {
            const std::string& cell = decoded.table.cell(column, row);
            tracks += cell.empty() ? "-" : cell;
        }
        EXPECT_EQ(tracks, c.tracks) << c.entries;
    }
}

TEST(LogDecoder, RecordsThatCannotBeAPlaceArePassedOverAndCounted)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double latitude;
        double longitude;
        bool place;
    } cases[] = {
        {90, 180, true},      {-90, -180, true},     {90.5, 0, false},      {-90.5, 0, false},
        {0, 180.5, false},    {0, -181, false},      {nan, 0, false},       {0, nan, false},
        {infinity, 0, false}, {0, -infinity, false}, {3573432.5, 0, false}, {12.5, 41.75, true},
    };
    for (const RecordLayout layout : {RecordLayout::Generic, RecordLayout::M241}) {
        LogImageWriter writer;
        writer.beginSector(kUtc | kLatitude | kLongitude).useLayout(layout);
        if (layout == RecordLayout::M241)
            writer.marker("HOLUXGR241LOGGER");
        int places = 0;
        for (const auto& c : cases) {
            TrackRecord record = RecordAt(1180000000 + places);
            record.latitude = c.latitude;
            record.longitude = c.longitude;
            writer.record(record);
            places += c.place;
        }
        Decoded decoded;
        decoded.decodeImage(writer.image());
        EXPECT_EQ(decoded.result.recordsPassedOver, static_cast<int>(std::size(cases)) - places);
        EXPECT_EQ(decoded.result.rows, places);
        ASSERT_EQ(decoded.table.rowCount(), places + 1);
        for (int row = 1; row <= places; ++row) {
            EXPECT_EQ(decoded.table.cell(0, row), std::to_string(row)) << "rows stay numbered one after another";
            EXPECT_EQ(TimeCell(decoded.table, row), "09:46:4" + std::to_string(row - 1));
        }
        EXPECT_TRUE(decoded.result.loaded()) << "records passed over fail no load";
    }
    LoadResult passedOver;
    passedOver.recordsPassedOver = 2;
    EXPECT_EQ(PassedOverText(passedOver),
              "Records passed over because their latitude or longitude is out of range or not a number: 2.");
    EXPECT_EQ(PassedOverText(LoadResult{}), "");
}

TEST(LogDecoder, AHoluxImageMayEndInPartOfASector)
{
    LogImageWriter writer;
    writer.beginSector(kUtc).marker("HOLUXGR245LOGGER").useLayout(RecordLayout::Gr245);
    for (int i = 0; i < 3; ++i)
        writer.record(RecordAt(1180000000 + i));
    writer.beginSector(kUtc).record(RecordAt(1180000003));
    Bytes image = writer.image();
    image.resize(logimage::kSectorSize + 600);
    LogImageWriter unmarked;
    unmarked.beginSector(kUtc).useLayout(RecordLayout::M241).record(RecordAt(1180000000)).record(RecordAt(1180000001));
    Bytes withoutMarker = unmarked.image();
    withoutMarker.resize(600);
    Bytes generic = ImageOfSectors(kUtc, {2});
    generic.resize(600);

    const struct {
        const char* name;
        const Bytes& image;
        std::size_t size; // of the image's start that is decoded
        LogDialect dialect;
        int rows;
    } cases[] = {
        {"a part holding a marker", image, 600, LogDialect::Detect, 3},
        {"a part after a marker", image, image.size(), LogDialect::Detect, 4},
        {"a part told to be Holux", withoutMarker, 600, LogDialect::M241, 2},
        {"a generic part", generic, 600, LogDialect::Detect, 0},
        {"a part that says nothing", withoutMarker, 600, LogDialect::Detect, 0},
        {"a part told to be generic", image, 600, LogDialect::Generic, 0},
        {"a part too short for a header", image, 511, LogDialect::Gr245, 0},
    };
    for (const auto& c : cases) {
        const ByteView bytes = ByteView(c.image).first(c.size);
        const std::string path = TempPath("part.bin");
        ASSERT_TRUE(WriteImageFile(path, Bytes(bytes.begin(), bytes.end())));
        Decoded fromMemory;
        Decoded fromFile;
        fromMemory.decodeImage(bytes, c.dialect);
        fromFile.decodeFile(path, c.dialect);
        for (const Decoded* decoded : {&fromMemory, &fromFile}) {
            EXPECT_EQ(std::max(decoded->table.rowCount() - 1, 0), c.rows) << c.name;
            EXPECT_EQ(decoded->result.rows, c.rows) << c.name;
            if (c.rows > 0) {
                EXPECT_EQ(TimeCell(decoded->table, c.rows), "09:46:4" + std::to_string(c.rows - 1)) << c.name;
            }
        }
        std::filesystem::remove(path);
    }
}

TEST(LogDialect, TheCommandLineNamesEachDialect)
{
    EXPECT_EQ(DialectOfName("generic"), LogDialect::Generic);
    EXPECT_EQ(DialectOfName("m241"), LogDialect::M241);
    EXPECT_EQ(DialectOfName("gr245"), LogDialect::Gr245);
    EXPECT_EQ(DialectOfName("m1000c"), LogDialect::M1000C);
    for (const char* name : {"", "detect", "M241", "gr241", "m1000"})
        EXPECT_FALSE(DialectOfName(name)) << name;
}
