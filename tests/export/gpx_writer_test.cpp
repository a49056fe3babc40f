#include "export/gpx_writer.h"

#include "export/export_test_support.h"
#include "export/xml_tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {
using testing::ElementsAre;

constexpr std::int64_t kCreated = 1200000000; // 2008-01-10 21:20:00 UTC

// The children a track point may have, in the order the GPX 1.1 schema requires.
const std::vector<std::string> kPointOrder = {"ele", "time", "fix", "sat", "hdop", "vdop", "pdop", "extensions"};

testing::AssertionResult InSchemaOrder(const XmlElement& point)
{
    std::size_t next = 0;
    for (const std::string& name : point.childNames()) {
        const auto found = std::find(kPointOrder.begin() + static_cast<std::ptrdiff_t>(next), kPointOrder.end(), name);
        if (found == kPointOrder.end())
            return testing::AssertionFailure() << "<" << name << "> out of place";
        next = static_cast<std::size_t>(found - kPointOrder.begin()) + 1;
    }
    return testing::AssertionSuccess();
}

std::string ChildText(const XmlElement& element, const std::string& name)
{
    const auto found = element.all(name);
    return found.empty() ? "(none)" : found[0]->text;
}

// The table holds times shifted 2 hours east; the file must hold UTC.
TrackTable ShiftedTable()
{
    TrackTable table = TableOf({
        {"INDEX", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "HEIGHT", "SPEED", "HEADING", "PDOP",
         "HDOP", "VDOP", "NSAT (USED/VIEW)"},
        {"1", "2007/05/24", "01:30:00.500", "SPS", "24.123456", "N", "121.500000", "E", "12.500 m", "36.000 km/h",
         "90.000000", "1.50", "0.90", "1.20", "6(9)"},
        {"2", "2007/05/24", "01:30:05", "DGPS", "33.5", "S", "70.25", "W", "-5.000 m", "0.000 km/h", "360.000000", "",
         "", "", ""},
        {"3", "2007/05/24", "01:30:10", "No fix", "33.5", "S", "70.25", "W"},
        {"4", "2007/05/24", "01:30:15", "PPS", "1.0", "N", "2.0", "E"},
        {"5", "2007/05/24", "01:40:16", "SPS", "1.0", "N", "2.0", "E"}, // more than 10 minutes later
        {"6", "2007/05/24", "01:40:20", "SPS", "north", "N", "2.0", "E"},
        {"7", "bad", "bad", "SPS", "1.0", "N", "2.0", "E"},
    });
    table.setTimeShiftHours(2);
    return table;
}
} // namespace

TEST(GpxWriter, WritesOneTrackOfUtcPointsInSchemaOrderSplitWhereInterrupted)
{
    ScratchFolder folder;
    const std::string path = folder.path("trip & co.gpx");
    const SaveResult result = WriteGpxFileCreatedAt(path, ShiftedTable(), kCreated);
    ASSERT_TRUE(result.saved());
    EXPECT_EQ(result.text, path + " had beed saved. Rows left out because their cells cannot be read: 1 of 7.")
        << "row 6's latitude; the No fix row holds no point";
    EXPECT_EQ(result.rows, 7);
    EXPECT_EQ(result.rowsLeftOut, 1);
    const std::string document = ReadFileBytes(path);
    CrLfLines(document);
    const XmlTree tree = ReadXmlTree(document);
    ASSERT_TRUE(tree.root) << tree.error;

    const XmlElement& gpx = *tree.root;
    EXPECT_EQ(gpx.name, "gpx");
    EXPECT_EQ(gpx.namespaceUri, "http://www.topografix.com/GPX/1/1");
    EXPECT_EQ(gpx.attributes.at("version"), "1.1");
    EXPECT_EQ(gpx.attributes.at("creator"), "Drovik");
    EXPECT_THAT(gpx.childNames(), ElementsAre("metadata", "trk"));
    EXPECT_EQ(ChildText(*gpx.all("metadata")[0], "time"), "2008-01-10T21:20:00Z");
    const XmlElement& track = *gpx.all("trk")[0];
    EXPECT_EQ(ChildText(track, "name"), "trip & co");

    std::vector<std::size_t> segmentSizes;
    std::vector<const XmlElement*> points;
    for (const XmlElement* segment : track.all("trkseg")) {
        EXPECT_EQ(segment->namespaceUri, gpx.namespaceUri);
        segmentSizes.push_back(segment->all("trkpt").size());
        for (const XmlElement* point : segment->all("trkpt"))
            points.push_back(point);
    }
    EXPECT_THAT(segmentSizes, ElementsAre(2u, 1u, 1u, 1u)) << "No fix, a gap, unreadable coordinates";
    for (const XmlElement* point : points)
        EXPECT_TRUE(InSchemaOrder(*point));

    const XmlElement& first = *points[0];
    EXPECT_EQ(first.attributes.at("lat"), "24.123456");
    EXPECT_EQ(first.attributes.at("lon"), "121.500000");
    EXPECT_THAT(first.childNames(), ElementsAre("ele", "time", "sat", "hdop", "vdop", "pdop", "extensions"));
    EXPECT_EQ(ChildText(first, "ele"), "12.500");
    EXPECT_EQ(ChildText(first, "time"), "2007-05-23T23:30:00.500Z");
    EXPECT_EQ(ChildText(first, "sat"), "6");
    EXPECT_EQ(ChildText(first, "hdop"), "0.90");
    const XmlElement& extension = *first.all("extensions")[0]->children.at(0);
    EXPECT_EQ(extension.namespaceUri, "http://www.garmin.com/xmlschemas/TrackPointExtension/v2");
    EXPECT_EQ(ChildText(extension, "speed"), "10.000") << "metres per second";
    EXPECT_EQ(ChildText(extension, "course"), "90.000000");

    const XmlElement& second = *points[1];
    EXPECT_EQ(second.attributes.at("lat"), "-33.500000");
    EXPECT_EQ(second.attributes.at("lon"), "-70.250000");
    EXPECT_THAT(second.childNames(), ElementsAre("ele", "time", "fix", "extensions")) << "no course of 360";
    EXPECT_EQ(ChildText(second, "ele"), "-5.000");
    EXPECT_EQ(ChildText(second, "time"), "2007-05-23T23:30:05Z");
    EXPECT_EQ(ChildText(second, "fix"), "dgps");
    EXPECT_EQ(ChildText(*points[2], "fix"), "pps");
    EXPECT_THAT(points[4]->childNames(), ElementsAre()) << "a point whose time cannot be read has none";
}

TEST(GpxWriter, WritesNothingWithoutPositionsOrAWritableFile)
{
    ScratchFolder folder;
    const struct {
        TrackTable table;
        std::string path;
        SaveResult::Outcome outcome;
        std::string says;
    } cases[] = {
        {TableOf({{""}}), folder.path("out.gpx"), SaveResult::Outcome::TableEmpty, "No information on table."},
        {TableOf({{"INDEX", "LONGITUDE", "E/W"}}), folder.path("out.gpx"), SaveResult::Outcome::TableLacks,
         "No 'LATITUDE' to save."},
        {TableOf({{"INDEX", "LATITUDE", "N/S"}}), folder.path("out.gpx"), SaveResult::Outcome::TableLacks,
         "No 'LONGITUDE' to save."},
        {ShiftedTable(), folder.path("no/folder/out.gpx"), SaveResult::Outcome::WriteFailed,
         "Write GPX file fail!\n" + folder.path("no/folder/out.gpx") + ": No such file or directory"},
    };
    for (const auto& c : cases) {
        const SaveResult result = WriteGpxFile(c.path, c.table);
        EXPECT_EQ(result.outcome, c.outcome) << c.says;
        EXPECT_EQ(result.text, c.says);
        EXPECT_FALSE(std::filesystem::exists(c.path)) << c.says;
    }
}

TEST(GpxWriter, WritesANumberedTrackPerTrackOfTheTable)
{
    ScratchFolder folder;
    const TrackTable table = TableOf({
        {"INDEX", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "TRACK"},
        {"1", "2007/05/24", "09:46:40", "SPS", "1.0", "N", "10.0", "E", "1"},
        {"2", "2007/05/24", "09:46:45", "SPS", "1.1", "N", "10.0", "E", "1"},
        {"3", "2007/05/24", "09:46:50", "No fix", "1.2", "N", "10.0", "E", "2"},
        {"4", "2007/05/24", "09:46:55", "SPS", "1.3", "N", "10.0", "E", "2"},
        {"5", "2007/05/24", "09:47:00", "SPS", "1.4", "N", "10.0", "E", "3"},
    });
    const std::string path = folder.path("trip.gpx");
    ASSERT_TRUE(WriteGpxFileCreatedAt(path, table, kCreated).saved());
    const XmlTree tree = ReadXmlTree(ReadFileBytes(path));
    ASSERT_TRUE(tree.root) << tree.error;
    std::vector<std::string> numbers;
    std::vector<std::size_t> pointCounts;
    for (const XmlElement* track : tree.root->all("trk")) {
        EXPECT_THAT(track->childNames(), ElementsAre("name", "number", "trkseg"));
        EXPECT_EQ(ChildText(*track, "name"), "trip");
        numbers.push_back(ChildText(*track, "number"));
        pointCounts.push_back(track->all("trkseg")[0]->all("trkpt").size());
    }
    EXPECT_THAT(numbers, ElementsAre("1", "2", "3"));
    EXPECT_THAT(pointCounts, ElementsAre(2u, 1u, 1u)) << "a track may begin with a row that has no fix";
}

TEST(GpxWriter, WritesTheButtonPointsAsWaypointsInOrderOfTimeBeforeTheTrack)
{
    ScratchFolder folder;
    const TrackTable table = TableOf({
        {"INDEX", "RCR", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "HEIGHT"},
        {"1", "TB", "2008/05/04", "10:00:30", "SPS", "57.5", "N", "12.25", "E", "35.000 m"},
        {"2", "T", "2008/05/04", "10:00:20", "SPS", "57.4", "N", "12.0", "E", "30.000 m"},
        {"3", "B", "2008/05/04", "10:00:10.250", "No fix", "57.3", "N", "12.0", "W", "0.000 m"},
        {"4", "B", "2008/05/04", "10:00:40", "SPS", "north", "N", "12.0", "E", "30.000 m"},
    });
    ASSERT_TRUE(WriteGpxFileCreatedAt(folder.path("trip.gpx"), table, kCreated).saved());
    const XmlTree tree = ReadXmlTree(ReadFileBytes(folder.path("trip.gpx")));
    ASSERT_TRUE(tree.root) << tree.error;
    EXPECT_THAT(tree.root->childNames(), ElementsAre("metadata", "wpt", "wpt", "trk"))
        << "a button row whose coordinates cannot be read gives no waypoint";
    const auto waypoints = tree.root->all("wpt");
    const XmlElement& early = *waypoints[0];
    EXPECT_EQ(early.attributes.at("lat"), "57.300000");
    EXPECT_EQ(early.attributes.at("lon"), "-12.000000");
    EXPECT_THAT(early.childNames(), ElementsAre("ele", "time", "name", "fix"));
    EXPECT_EQ(ChildText(early, "time"), "2008-05-04T10:00:10.250Z");
    EXPECT_EQ(ChildText(early, "name"), "WP001");
    EXPECT_EQ(ChildText(early, "fix"), "none") << "pressed without a fix: the place the logger last knew";
    const XmlElement& late = *waypoints[1];
    EXPECT_THAT(late.childNames(), ElementsAre("ele", "time", "name"));
    EXPECT_EQ(late.attributes.at("lat"), "57.500000");
    EXPECT_EQ(ChildText(late, "ele"), "35.000");
    EXPECT_EQ(ChildText(late, "name"), "WP002");
    EXPECT_NE(ReadFileBytes(folder.path("trip.gpx")).find("<trkpt lat=\"57.500000\""), std::string::npos)
        << "a waypoint stays a track point";
}
