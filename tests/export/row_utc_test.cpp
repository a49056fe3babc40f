#include "export/row_utc.h"

#include "export/export_test_support.h"

#include <gtest/gtest.h>

namespace {
struct UtcCase {
    const char* name;
    int shiftHours;
    const char* date;
    const char* time;
    std::optional<std::string> utc; // "yyyy-mm-dd hh:mm:ss.mmm", ".mmm" only when TIME has them
};

std::string Text(const RowTime& time)
{
    char text[40];
    const CivilTime& t = time.utc;
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", static_cast<long long>(t.year),
                  static_cast<long long>(t.month), static_cast<long long>(t.day), static_cast<long long>(t.hour),
                  static_cast<long long>(t.minute), static_cast<long long>(t.second));
    std::string result = text;
    if (time.milliseconds)
        result += "." + std::to_string(1000 + *time.milliseconds).substr(1);
    return result;
}
} // namespace

TEST(RowUtc, TakesTheTablesShiftBackOff)
{
    const UtcCase cases[] = {
        {"unshifted", 0, "2007/05/24", "09:46:40.500", "2007-05-24 09:46:40.500"},
        {"no milliseconds", 0, "2007/05/24", "09:46:40", "2007-05-24 09:46:40"},
        {"shifted across a year", 2, "2008/01/01", "01:30:15.250", "2007-12-31 23:30:15.250"},
        {"shifted west across a leap day", -5, "2008/02/28", "22:00:00    ", "2008-02-29 03:00:00"},
        {"date unreadable", 0, "24.05.2007", "09:46:40", std::nullopt},
        {"time unreadable", 0, "2007/05/24", "9:46", std::nullopt},
    };
    for (const UtcCase& c : cases) {
        TrackTable table = TableOf({{"DATE", "TIME"}, {c.date, c.time}});
        table.setTimeShiftHours(c.shiftHours);
        const auto time = RowUtcTime(table, 0, 1);
        ASSERT_EQ(time.has_value(), c.utc.has_value()) << c.name;
        if (time) {
            EXPECT_EQ(Text(*time), *c.utc) << c.name;
        }
    }
}
