#include "export/row_filter.h"

#include "export/export_test_support.h"
#include "export/iso_time.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {
using testing::ElementsAreArray;

constexpr unsigned Kind(int fixModeIndex)
{
    return 1u << fixModeIndex;
}

std::int64_t Utc(const char* iso)
{
    return ParseIsoTime(iso).value();
}

// Row 3 lies 11 m from row 1 after 20 s; row 4 another 11 km on after 10 s;
// row 6 back where row 5 was, the next day.
TrackTable FilterTable()
{
    return TableOf({
        {"INDEX", "DATE", "TIME", "VALID", "LATITUDE", "N/S", "LONGITUDE", "E/W", "PDOP", "HDOP", "NSAT (USED/VIEW)"},
        {"1", "2008/05/04", "10:00:00", "SPS", "57.000000", "N", "12.000000", "E", "2.00", "1.00", "8(10)"},
        {"2", "2008/05/04", "10:00:10", "No fix", "0.000000", "N", "0.000000", "E", "9.90", "9.90", "0(5)"},
        {"3", "2008/05/04", "10:00:20", "DGPS", "57.000100", "N", "12.000000", "E", "7.00", "6.00", "3(8)"},
        {"4", "2008/05/04", "10:00:30", "SPS", "57.100000", "N", "12.000000", "E", "2.00", "1.00", "8(10)"},
        {"5", "2008/05/04", "10:00:40", "Estimated mode", "57.000200", "N", "12.000000", "E", "2.00", "n/a", "8(10)"},
        {"6", "2008/05/05", "00:00:00", "SPS", "57.000200", "N", "12.000000", "E", "2.00", "1.00", "8(10)"},
    });
}

TEST(RowFilter, EachFilterKeepsTheRowsThatPassIt)
{
    struct Case {
        const char* name;
        RowFilter filter;
        std::vector<int> kept;
    };
    const auto with = [](auto set) {
        RowFilter filter;
        set(filter);
        return filter;
    };
    const Case cases[] = {
        {"none", {}, {1, 2, 3, 4, 5, 6}},
        {"any fix", with([](RowFilter& f) { f.fixKinds = AnyFixKinds(); }), {1, 3, 4, 5, 6}},
        {"DGPS or estimated", with([](RowFilter& f) { f.fixKinds = Kind(2) | Kind(6); }), {3, 5}},
        {"HDOP, unreadable left out", with([](RowFilter& f) { f.maxHdop = 5; }), {1, 4, 6}},
        {"PDOP", with([](RowFilter& f) { f.maxPdop = 7; }), {1, 3, 4, 5, 6}},
        {"satellites in use", with([](RowFilter& f) { f.minSatellites = 4; }), {1, 4, 5, 6}},
        {"from and to, both kept",
         with([](RowFilter& f) {
             f.fromUtc = Utc("2008-05-04T10:00:20Z");
             f.toUtc = Utc("2008-05-04T10:00:30Z");
         }),
         {3, 4}},
        {"to the end of a day",
         with([](RowFilter& f) { f.toUtc = ParseIsoTime("2008-05-04", DateAlone::EndOfDay); }),
         {1, 2, 3, 4, 5}},
        {"jumps, from the last point kept", with([](RowFilter& f) { f.maxSpeedKmh = 100; }), {1, 3, 5, 6}},
    };
    const TrackTable table = FilterTable();
    for (const Case& c : cases) {
        const RowSelection selection = SelectRows(table, c.filter);
        EXPECT_THAT(selection.keptRows(), ElementsAreArray(c.kept)) << c.name;
        EXPECT_EQ(selection.rows, 6) << c.name;
        EXPECT_EQ(selection.leftOutCount(), 6 - static_cast<int>(c.kept.size())) << c.name;
        EXPECT_EQ(c.filter.any(), c.kept.size() < 6) << c.name;
    }
}

TEST(RowFilter, ARowCountsForTheFirstFilterThatLeavesItOut)
{
    RowFilter filter;
    filter.fixKinds = AnyFixKinds();
    filter.maxHdop = 5;
    filter.maxSpeedKmh = 100;
    const RowSelection selection = SelectRows(FilterTable(), filter);
    EXPECT_THAT(selection.keptRows(), ElementsAreArray({1, 6})) << "row 4 is a jump from row 1, the last kept";
    EXPECT_EQ(LeftOutText(selection, filter), "Rows left out by the filters: 4 of 6 (without a fix: 1, HDOP over 5: "
                                              "2, reached faster than 100 km/h: 1).");
}

TEST(RowFilter, SaysWhichColumnItNeedsAndTheTableLacks)
{
    struct Case {
        std::vector<std::string> headers;
        RowFilter filter;
        std::optional<std::string> says;
    };
    RowFilter hdop, jump, time;
    hdop.maxHdop = 2;
    jump.maxSpeedKmh = 50;
    time.fromUtc = 0;
    const Case cases[] = {
        {{"INDEX", "HDOP"}, hdop, std::nullopt},
        {{"INDEX", "PDOP"}, hdop, "The HDOP filter needs the column 'HDOP', which the table does not have."},
        {{"INDEX", "DATE", "TIME", "LATITUDE", "N/S"},
         jump,
         "The jump filter needs the column 'LONGITUDE', which the table does not have."},
        {{"INDEX", "DATE"}, time, "The time filter needs the column 'TIME', which the table does not have."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MissingFilterColumn(TableOf({c.headers}), c.filter), c.says) << c.headers.back();
}
} // namespace
