#include "export/week_rollover_hint.h"

#include "decode/civil_time.h"
#include "export/export_test_support.h"

#include <gtest/gtest.h>

namespace {
const std::int64_t kToday = SecondsFromCivilTime({2026, 12, 8, 0, 0, 0});

TrackTable Dated(const std::vector<std::pair<std::string, std::string>>& dateTimes)
{
    std::vector<std::vector<std::string>> rows = {{"INDEX", "DATE", "TIME"}};
    for (const auto& [date, time] : dateTimes)
        rows.push_back({std::to_string(rows.size()), date, time});
    return TableOf(rows);
}
} // namespace

TEST(WeekRolloverHint, IsGivenWhenTheNewestDateIsMoreThan1024WeeksOld)
{
    const struct {
        const char* name;
        TrackTable table;
        int appliedRollovers;
        int hinted; // 0: no hint
    } cases[] = {
        {"exactly 1024 weeks", Dated({{"2007/04/24", "00:00:00"}}), 0, 0},
        {"a second more", Dated({{"2007/04/23", "23:59:59"}}), 0, 1},
        {"two periods", Dated({{"1987/09/07", "00:00:00"}}), 0, 2},
        {"no more than the option offers", Dated({{"1928/10/20", "12:00:00"}}), 0, 3},
        {"on top of a repair already made", Dated({{"2007/04/23", "00:00:00"}}), 1, 2},
        {"the newest row counts", Dated({{"2001/01/01", "00:00:00"}, {"2026/12/01", "00:00:00"}}), 0, 0},
        {"unreadable dates are passed over", Dated({{"2001/01/01", "00:00:00"}, {"bad", "bad"}}), 0, 1},
        {"no DATE column", TableOf({{"INDEX", "TIME"}, {"1", "00:00:00"}}), 0, 0},
    };
    for (const auto& c : cases) {
        TrackTable table = c.table;
        table.setWeekRollovers(c.appliedRollovers);
        const auto hint = FindWeekRolloverHint(table, kToday);
        EXPECT_EQ(hint ? hint->weekRollovers : 0, c.hinted) << c.name;
    }

    const auto hint = FindWeekRolloverHint(Dated({{"2001/01/01", "00:00:00"}, {"2006/05/07", "10:00:00"}}), kToday);
    ASSERT_TRUE(hint);
    EXPECT_EQ(WeekRolloverHintText(*hint), "The newest DATE, 2006/05/07, lies more than 1024 weeks before today: the "
                                           "logger's receiver seems to count GPS weeks from before a week-number "
                                           "rollover.");
}
