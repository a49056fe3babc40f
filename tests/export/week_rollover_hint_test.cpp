#include "export/week_rollover_hint.h"

#include "decode/civil_time.h"
#include "decode/track_options.h"
#include "export/export_test_support.h"

#include <gtest/gtest.h>

namespace {
const std::int64_t kToday = SecondsFromCivilTime({2026, 12, 8, 0, 0, 0});
constexpr std::int64_t kRollover = std::int64_t{kWeekRolloverDays} * 86400;

TrackTable Dated(const std::vector<std::pair<std::string, std::string>>& dateTimes)
{
    std::vector<std::vector<std::string>> rows = {{"INDEX", "DATE", "TIME"}};
    for (const auto& [date, time] : dateTimes)
        rows.push_back({std::to_string(rows.size()), date, time});
    return TableOf(rows);
}

// A download whose receiver was `periods` rollovers behind the computer's clock.
ClockReading Behind(int periods)
{
    return {kToday - periods * kRollover, kToday};
}
} // namespace

TEST(WeekRolloverHint, IsGivenByTheReceiversClockNotByTheAgeOfTheDates)
{
    const struct {
        const char* name;
        TrackTable table;
        std::optional<ClockReading> clock;
        int appliedRollovers;
        int hinted; // 0: no hint
    } cases[] = {
        {"exactly 1024 weeks old, no evidence", Dated({{"2007/04/24", "00:00:00"}}), std::nullopt, 0, 0},
        {"a second older, no evidence", Dated({{"2007/04/23", "23:59:59"}}), std::nullopt, 0, 0},
        {"a receiver a current clock", Dated({{"2007/04/23", "23:59:59"}}), ClockReading{kToday - 5, kToday}, 0, 0},
        {"one period behind", Dated({{"2007/04/23", "00:00:00"}}), Behind(1), 0, 1},
        {"two periods", Dated({{"1987/09/07", "00:00:00"}}), Behind(2), 0, 2},
        {"no more than the option offers", Dated({{"1928/10/20", "12:00:00"}}), Behind(5), 0, 3},
        {"on top of a repair already made", Dated({{"2007/04/23", "00:00:00"}}), Behind(2), 1, 2},
        {"repaired", Dated({{"2026/12/01", "00:00:00"}}), Behind(1), 1, 0},
        {"recent dates, the clock behind", Dated({{"2001/01/01", "00:00:00"}, {"2026/12/01", "00:00:00"}}), Behind(1),
         0, 1},
        {"unreadable dates change nothing", Dated({{"2001/01/01", "00:00:00"}, {"bad", "bad"}}), Behind(1), 0, 1},
        {"no DATE column", TableOf({{"INDEX", "TIME"}, {"1", "00:00:00"}}), Behind(1), 0, 0},
    };
    for (const auto& c : cases) {
        TrackTable table = c.table;
        table.setWeekRollovers(c.appliedRollovers);
        const auto hint = FindWeekRolloverHint(table, c.clock);
        EXPECT_EQ(hint ? hint->weekRollovers : 0, c.hinted) << c.name;
    }

    const auto hint = FindWeekRolloverHint(Dated({{"2006/05/07", "10:00:00"}}), Behind(2));
    ASSERT_TRUE(hint);
    EXPECT_EQ(WeekRolloverHintText(*hint), "The logger's receiver dates its fixes 2048 weeks before the computer's "
                                           "clock: it counts GPS weeks from before a week-number rollover.");
}
