#include "decode/track_options.h"

#include "core/app_error.h"
#include "decode/table_of.h"
#include "support/environment_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {
using Texts = std::vector<std::string>;

const Texts kHeader = {"INDEX", "DATE", "TIME", "SPEED"};

std::string ErrorOf(TrackTable& table, int shift, const std::string& unit, int weekRollovers = 0)
{
    try {
        ApplyGridOptions(table, shift, unit, weekRollovers);
    } catch (const AppError& error) {
        return error.what();
    }
    return "no error";
}
} // namespace

TEST(TrackOptions, ShiftsDatesAndTimes)
{
    const struct {
        int shift;
        std::string date, time, expectedDate, expectedTime;
    } cases[] = {
        {1, "2007/12/31", "23:30:15.250", "2008/01/01", "00:30:15.250"},
        {2, "2007/05/24", "10:00:00", "2007/05/24", "12:00:00    "},
        {6, "2008/02/28", "20:00:00.000", "2008/02/29", "02:00:00.000"},
        {6, "2007/02/28", "20:00:00", "2007/03/01", "02:00:00    "},
        {3, "2007/03/25", "00:30:00", "2007/03/25", "03:30:00    "}, // across a DST change elsewhere
        {1, "2007/05/24", "10:00:00.5", "2007/05/24", "11:00:00  .5"},
        {-1, "2007/01/01", "00:00:00", "2006/12/31", "23:00:00    "},
        {-12, "2007/01/01", "05:00:00.125", "2006/12/31", "17:00:00.125"},
        {14, "2007/12/31", "20:00:00", "2008/01/01", "10:00:00    "},
        {1, "0999/01/01", "00:00:00", " 999/01/01", "01:00:00    "},
    };
    for (const auto& c : cases) {
        TrackTable table = TableOf({kHeader, {"1", c.date, c.time, "1.000 km/h"}});
        table.setTimeShiftHours(1);
        ApplyGridOptions(table, c.shift, "km/h", 0);
        EXPECT_THAT(RowOf(table, 1, 4), ::testing::ElementsAre("1", c.expectedDate, c.expectedTime, "1.000 km/h"))
            << c.date << " " << c.time;
        EXPECT_EQ(table.timeShiftHours(), 1 + c.shift) << "the table counts the hours it was shifted";
    }
}

TEST(TrackOptions, ShiftDoesNotDependOnTheMachineTimeZone)
{
    TrackTable table = TableOf(
        {kHeader, {"1", "2007/03/25", "01:30:00", "1.000 km/h"}, {"2", "2007/10/28", "01:30:00", "1.000 km/h"}});
    {
        const EnvironmentGuard zone("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        ApplyGridOptions(table, 1, "km/h", 0);
    }
    EXPECT_EQ(table.cell(2, 1), "02:30:00    ");
    EXPECT_EQ(table.cell(2, 2), "02:30:00    ");
}

TEST(TrackOptions, ConvertsSpeedsBetweenUnits)
{
    TrackTable table = TableOf({kHeader,
                                {"1", "2007/05/24", "10:00:00", "12.345 km/h"},
                                {"2", "2007/05/24", "10:00:05", "  0 km/h"},
                                {"3", "2007/05/24", "10:00:10", "3.5   mph"},
                                {"4", "2007/05/24", "10:00:15", "1e3km/h extra"}});
    const GridOptionsOutcome outcome = ApplyGridOptions(table, 0, "mph", 0);
    EXPECT_TRUE(outcome.storeSpeedUnit);
    EXPECT_TRUE(outcome.storeTimeShift);
    EXPECT_EQ(table.cell(3, 1), "7.671 mph");
    EXPECT_EQ(table.cell(3, 2), "0.000 mph");
    EXPECT_EQ(table.cell(3, 3), "3.5   mph"); // already in the unit
    EXPECT_EQ(table.cell(3, 4), "621.370 mph");
    EXPECT_EQ(table.cell(2, 1), "10:00:00"); // no shift, no change

    ApplyGridOptions(table, 0, "mph", 0);
    EXPECT_EQ(table.cell(3, 1), "7.671 mph");
    ApplyGridOptions(table, 0, "km/h", 0);
    EXPECT_EQ(table.cell(3, 1), "12.345 km/h");
    EXPECT_EQ(table.cell(3, 3), "5.633 km/h");
}

TEST(TrackOptions, EveryRowUpToTheRowCountIsUpdated)
{
    std::vector<Texts> rows = {kHeader};
    for (int row = 1; row <= 40; ++row)
        rows.push_back({std::to_string(row), "2007/05/24", "10:00:00", "10.000 km/h"});
    TrackTable table = TableOf(rows);
    ApplyGridOptions(table, 1, "mph", 0);
    for (int row = 1; row <= 40; ++row)
        ASSERT_THAT(RowOf(table, row, 4),
                    ::testing::ElementsAre(std::to_string(row), "2007/05/24", "11:00:00    ", "6.214 mph"))
            << row;
}

TEST(TrackOptions, MissingColumnsAreSkippedAndNotStored)
{
    TrackTable noSpeed = TableOf({{"INDEX", "DATE", "TIME"}, {"1", "2007/05/24", "10:00:00"}});
    const GridOptionsOutcome timeOnly = ApplyGridOptions(noSpeed, 1, "whatever", 0);
    EXPECT_FALSE(timeOnly.storeSpeedUnit);
    EXPECT_TRUE(timeOnly.storeTimeShift);
    EXPECT_EQ(noSpeed.cell(2, 1), "11:00:00    ");

    // Column 0 is not searched, and the search ends at the first empty header.
    TrackTable hidden = TableOf({{"TIME", "SPEED", "", "TIME"}, {"10:00:00", "1 km/h", "", "10:00:00"}});
    const GridOptionsOutcome speedOnly = ApplyGridOptions(hidden, 1, "mph", 0);
    EXPECT_TRUE(speedOnly.storeSpeedUnit);
    EXPECT_FALSE(speedOnly.storeTimeShift);
    EXPECT_THAT(RowOf(hidden, 1, 4), ::testing::ElementsAre("10:00:00", "0.621 mph", "", "10:00:00"));
}

TEST(TrackOptions, ABadRowStopsTheUpdateBeforeAnyRowChangesSoNoTableIsHalfShifted)
{
    const struct {
        std::string name;
        std::string date, time, speed;
        std::string error;
    } cases[] = {
        {"empty speed", "2007/05/24", "10:00:00", "", "Line5: Error data! Access denied!"},
        {"speed without unit", "2007/05/24", "10:00:00", "12.5", "Line5: Error data! Access denied!"},
        {"speed without number", "2007/05/24", "10:00:00", "km/h", "Line5: Error data! Access denied!"},
        {"unknown unit", "2007/05/24", "10:00:00", "12 knots", "Line5: Error data! Access denied!"},
        {"short time", "2007/05/24", "10:00", "1 km/h", "Line5: Error data! Access denied!"},
        {"short date", "2007/05", "10:00:00", "1 km/h", "Line5: Error data! Access denied!"},
        {"letters in time", "2007/05/24", "1x:00:00", "1 km/h", "Line5: '1x' is not a valid integer value"},
        {"letters in date", "2007/O5/24", "10:00:00", "1 km/h", "Line5: 'O5' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        std::vector<Texts> rows = {kHeader};
        for (int row = 1; row <= 10; ++row)
            rows.push_back({std::to_string(row), "2007/05/24", "10:00:00", "10.000 km/h"});
        rows[5] = {"5", c.date, c.time, c.speed};
        TrackTable table = TableOf(rows);
        EXPECT_EQ(ErrorOf(table, 1, "mph"), c.error) << c.name;
        EXPECT_EQ(table.timeShiftHours(), 0) << c.name;
        EXPECT_THAT(RowOf(table, 4, 4), ::testing::ElementsAre("4", "2007/05/24", "10:00:00", "10.000 km/h")) << c.name;
        EXPECT_THAT(RowOf(table, 5, 4), ::testing::ElementsAre("5", c.date, c.time, c.speed)) << c.name;
        EXPECT_THAT(RowOf(table, 6, 4), ::testing::ElementsAre("6", "2007/05/24", "10:00:00", "10.000 km/h")) << c.name;
    }
}

TEST(TrackOptions, UnknownDropDownUnitChangesNothing)
{
    TrackTable table = TableOf({kHeader, {"1", "2007/05/24", "10:00:00", "10.000 km/h"}});
    EXPECT_EQ(ErrorOf(table, 1, "knots"), "Unknown speed unit \"knots\": choose km/h or mph.");
    EXPECT_THAT(RowOf(table, 1, 4), ::testing::ElementsAre("1", "2007/05/24", "10:00:00", "10.000 km/h"));
}

TEST(TrackOptions, WeekRolloversAddWholePeriodsOf7168DaysUpToTheChosenCount)
{
    const struct {
        int rollovers;
        std::string date, time, expectedDate, expectedTime;
    } cases[] = {
        {1, "2007/05/24", "09:46:40.500", "2027/01/07", "09:46:40.500"},
        {1, "2008/02/29", "23:59:59", "2027/10/15", "23:59:59    "}, // from a leap day, over five more
        {2, "2006/12/31", "00:00:00", "2046/04/01", "00:00:00    "},
    };
    for (const auto& c : cases) {
        TrackTable table = TableOf({kHeader, {"1", c.date, c.time, "1.000 km/h"}});
        ApplyGridOptions(table, 0, "km/h", c.rollovers);
        EXPECT_THAT(RowOf(table, 1, 4), ::testing::ElementsAre("1", c.expectedDate, c.expectedTime, "1.000 km/h"))
            << c.date;
        EXPECT_EQ(table.weekRollovers(), c.rollovers);
        EXPECT_EQ(table.timeShiftHours(), 0) << "a repair of UTC, not a shift away from it";

        ApplyGridOptions(table, 0, "km/h", c.rollovers);
        EXPECT_EQ(table.cell(1, 1), c.expectedDate) << "pressing again adds nothing";
        ApplyGridOptions(table, 0, "km/h", 0);
        EXPECT_EQ(table.cell(1, 1), c.date) << "0 takes the repair back";
    }
}

TEST(TrackOptions, ARolloverCountOutOfRangeChangesNothing)
{
    TrackTable table = TableOf({kHeader, {"1", "2007/05/24", "10:00:00", "10.000 km/h"}});
    EXPECT_EQ(ErrorOf(table, 1, "mph", 4), "GPS week rollovers go from 0 to 3.");
    EXPECT_EQ(ErrorOf(table, 0, "km/h", -1), "GPS week rollovers go from 0 to 3.");
    EXPECT_THAT(RowOf(table, 1, 4), ::testing::ElementsAre("1", "2007/05/24", "10:00:00", "10.000 km/h"));
}
