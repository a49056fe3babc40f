#include "geotag/track_files.h"

#include "decode/track_table.h"
#include "export/iso_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
std::string ScratchFile(const std::string& name, const std::string& text)
{
    const char* folder = std::getenv("TEST_TMPDIR");
    const std::string path = std::string(folder ? folder : "/tmp") + "/geotag-" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(LoadTrackPoints, ReadsGpxPointsWithATimeInAnyNamespace)
{
    const std::string path = ScratchFile("points.gpx", R"(<?xml version="1.0"?>
<g:gpx xmlns:g="http://www.topografix.com/GPX/1/1">
 <g:wpt lat="1.5" lon="2.5"><g:time>2008-05-04T12:00:00Z</g:time></g:wpt>
 <g:trk><g:trkseg>
  <g:trkpt lat="-33.5" lon="151.25"><g:ele> 12.5 </g:ele><g:time> 2008-05-04T12:30:15Z </g:time></g:trkpt>
  <g:trkpt lat="-33.6" lon="151.3"></g:trkpt>
  <g:trkpt lat="95" lon="151.3"><g:time>2008-05-04T12:30:20Z</g:time></g:trkpt>
 </g:trkseg></g:trk>
</g:gpx>)");
    const auto points = LoadTrackPoints(path, 0).points;
    ASSERT_TRUE(points);
    ASSERT_EQ(points->size(), 2u);
    EXPECT_EQ((*points)[1].utcMilliseconds, ParseIsoTime("2008-05-04T12:30:15Z"));
    EXPECT_EQ((*points)[1].latitude, -33.5);
    EXPECT_EQ((*points)[1].longitude, 151.25);
    EXPECT_EQ((*points)[1].height, 12.5);
    EXPECT_FALSE((*points)[0].height);
}

TEST(LoadTrackPoints, AFileThatCannotBeReadSaysWhy)
{
    const std::string missingImage = ScratchFile("missing.bin", "") + ".not-there";
    const std::string missingCsv = ScratchFile("missing", "") + ".csv";
    const struct {
        std::string path;
        std::string failure; // its start
    } cases[] = {
        {ScratchFile("broken.gpx", "<gpx><trkpt>"), ScratchFile("broken.gpx", "<gpx><trkpt>") + ": "},
        {missingImage, missingImage + ": no such file"},
        {missingCsv, "Read fail!"},
        {ScratchFile("gap.csv", "INDEX,\r\n\r\n1,\r\n"), "READ FILE FAIL!!"},
    };
    for (const auto& c : cases) {
        const TrackFilePoints loaded = LoadTrackPoints(c.path, 0);
        EXPECT_FALSE(loaded.points) << c.path;
        EXPECT_EQ(loaded.failure.substr(0, c.failure.size()), c.failure) << c.path;
    }
    const TrackFilePoints table = LoadTrackPoints(ScratchFile("table.csv", "INDEX,\r\n1,\r\n"), 0);
    ASSERT_TRUE(table.points);
    EXPECT_EQ(table.failure, "");
    EXPECT_EQ(table.recordsPassedOver, 0);
}

TEST(TrackPointsOfTable, TakesFixedRowsInUtcWhateverTheShift)
{
    TrackTable table;
    const std::vector<std::vector<std::string>> rows = {
        {"INDEX", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "HEIGHT"},
        {"1", "2008/05/04", "14:30:15.500", "SPS", "52.500000", "N", "13.250000", "W", "35.000 m"},
        {"2", "2008/05/04", "14:30:16", "No fix", "52.500000", "N", "13.250000", "W", "35.000 m"},
        {"3", "2008/05/04", "", "SPS", "52.500000", "N", "13.250000", "W", "35.000 m"},
    };
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        for (int column = 0; column < static_cast<int>(rows[row].size()); ++column)
            table.setCell(column, row, rows[row][column]);
    table.setColumnCount(9);
    table.setRowCount(4);
    table.setTimeShiftHours(2);
    const auto points = TrackPointsOfTable(table);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].utcMilliseconds, ParseIsoTime("2008-05-04T12:30:15.5Z"));
    EXPECT_EQ(points[0].longitude, -13.25);
    EXPECT_EQ(points[0].height, 35.0);
}
} // namespace
