#include "export/track_split.h"

#include "export/export_test_support.h"

#include <gtest/gtest.h>

namespace {
using Parts = std::vector<std::pair<std::string, std::vector<int>>>;

Parts PartsOf(const std::vector<TrackPart>& parts)
{
    Parts named;
    for (const TrackPart& part : parts)
        named.emplace_back(part.name, part.rows);
    return named;
}

TEST(TrackSplit, SplitsByTheDayShownOrAtGapsInTime)
{
    const TrackTable table = TableOf({
        {"INDEX", "DATE", "TIME"},
        {"1", "2008/05/05", "23:59:59"},
        {"2", "bad", "bad"},
        {"3", "2008/05/04", "10:00:00"},
        {"4", "2008/05/05", "00:20:01"},
        {"5", "2008/05/05", "00:40:01"},
    });
    struct Case {
        const char* name;
        TrackSplit split;
        std::vector<int> rows;
        Parts parts;
    };
    const Case cases[] = {
        {"no split", {}, {1, 2, 3}, {{"", {1, 2, 3}}}},
        {"nothing to split", {SplitKind::Day}, {}, {}},
        {"days in order of date; undated rows stay with the row before",
         {SplitKind::Day},
         {1, 2, 3, 4, 5},
         {{"2008-05-04", {3}}, {"2008-05-05", {1, 2, 4, 5}}}},
        {"rows before any date join the first day", {SplitKind::Day}, {2, 3}, {{"2008-05-04", {2, 3}}}},
        {"a gap of more than 20 minutes, and time running backwards",
         {SplitKind::Gap, 20},
         {1, 2, 3, 4, 5},
         {{"001", {1, 2}}, {"002", {3}}, {"003", {4, 5}}}},
        {"a gap of just 20 minutes", {SplitKind::Gap, 20}, {4, 5}, {{"001", {4, 5}}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PartsOf(SplitRows(table, c.rows, c.split)), c.parts) << c.name;
}

TEST(TrackSplit, NamesThePartsAfterTheOutputAndNeedsItsColumns)
{
    EXPECT_EQ(PartPath("/data/trip.gpx", "2008-05-04"), "/data/trip-2008-05-04.gpx");
    EXPECT_EQ(PartPath("trip", "001"), "trip-001");
    EXPECT_EQ(PartPath("a.csv.bak", "001"), "a.csv-001.bak");

    const TrackTable dated = TableOf({{"INDEX", "DATE"}});
    EXPECT_EQ(MissingSplitColumn(dated, {SplitKind::Day}), std::nullopt);
    EXPECT_EQ(MissingSplitColumn(dated, {SplitKind::Gap, 5}),
              "The split at gaps needs the column 'TIME', which the table does not have.");
    EXPECT_EQ(MissingSplitColumn(TableOf({{"INDEX"}}), {SplitKind::Day}),
              "The split by day needs the column 'DATE', which the table does not have.");
}
} // namespace
