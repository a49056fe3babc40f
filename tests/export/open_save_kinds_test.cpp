#include "export/open_track_file.h"
#include "export/save_track_file.h"

#include <gtest/gtest.h>

namespace {
TEST(SaveExtension, ATypedKindWinsElseTheFiltersIsAppendedUnlessTheNameHoldsIt)
{
    struct Case {
        const char* name;
        int filter;
        const char* saved;
        int kind; // the filter whose writer runs
    };
    const Case cases[] = {
        {"trip", 1, "trip.csv", 1},           {"trip.csv", 1, "trip.csv", 1}, {"TRIP.CSV", 1, "TRIP.CSV", 1},
        {"a.csv.bak", 1, "a.csv.bak", 1},     {"trip", 2, "trip.kml", 2},     {"old.kml.bak", 2, "old.kml.bak", 2},
        {"trip.csv", 3, "trip.csv", 1},       {"trip", 3, "trip.nma", 3},     {"trip", 4, "trip.gpx", 4},
        {"a.gpx.bak", 4, "a.gpx.bak", 4},     {"trip", 5, "trip", 5},         {"mytrack.gpx", 1, "mytrack.gpx", 4},
        {"MyTrack.KML", 4, "MyTrack.KML", 2}, {"t.nma", 2, "t.nma", 3},       {"t.gpx.csv", 4, "t.gpx.csv", 1},
        {".gpx", 1, ".gpx.csv", 1},           {"t.nmea", 1, "t.nmea.csv", 1},
    };
    for (const Case& c : cases) {
        const SaveTarget target = SaveTargetOf(c.name, c.filter);
        EXPECT_EQ(target.path, c.saved) << c.name << " filter " << c.filter;
        EXPECT_EQ(target.filterIndex, c.kind) << c.name << " filter " << c.filter;
    }
}

TEST(SaveKinds, FollowTheDialogsFiltersAndOnlyGpxKeepsTracks)
{
    for (int filter = 1; filter <= 4; ++filter) {
        const SaveKind* kind = SaveKindOfFilter(filter);
        ASSERT_TRUE(kind) << filter;
        EXPECT_EQ(kind->writesTracks, filter == 4) << filter;
    }
    EXPECT_FALSE(SaveKindOfFilter(0));
    EXPECT_FALSE(SaveKindOfFilter(5));
}

TEST(OpenKinds, TheFilterTellsAnImageAndItsDialectFromACsvFile)
{
    const struct {
        int filter;
        TrackFileKind kind;
        LogDialect dialect;
    } cases[] = {
        {1, TrackFileKind::Image, LogDialect::Detect},  {2, TrackFileKind::Csv, LogDialect::Detect},
        {3, TrackFileKind::Image, LogDialect::Generic}, {4, TrackFileKind::Image, LogDialect::M241},
        {5, TrackFileKind::Image, LogDialect::Gr245},   {6, TrackFileKind::Image, LogDialect::M1000C},
    };
    for (const auto& c : cases) {
        const auto kind = OpenKindOfFilter(c.filter);
        ASSERT_TRUE(kind) << c.filter;
        EXPECT_EQ(kind->kind, c.kind) << c.filter;
        if (c.kind == TrackFileKind::Image) {
            EXPECT_EQ(kind->dialect, c.dialect) << c.filter;
        }
    }
    EXPECT_FALSE(OpenKindOfFilter(0));
    EXPECT_FALSE(OpenKindOfFilter(7));
}
} // namespace
