#include "export/iso_time.h"

#include <gtest/gtest.h>

namespace {
TEST(IsoTime, ReadsUtcTimesAndDaysAndNothingElse)
{
    constexpr std::int64_t kDay = 1209859200000; // 2008-05-04T00:00:00Z
    constexpr std::int64_t kHalfPastTwelve = kDay + (12 * 3600 + 30 * 60 + 15) * 1000LL;
    struct Case {
        const char* text;
        DateAlone dateAlone;
        std::optional<std::int64_t> utc;
    };
    const Case cases[] = {
        {"2008-05-04", DateAlone::StartOfDay, kDay},
        {"2008-05-04", DateAlone::EndOfDay, kDay + 86400000 - 1},
        {"2008-05-04T12:30", DateAlone::EndOfDay, kHalfPastTwelve - 15000},
        {"2008-05-04 12:30:15Z", DateAlone::StartOfDay, kHalfPastTwelve},
        {"2008-05-04T12:30:15.5Z", DateAlone::StartOfDay, kHalfPastTwelve + 500},
        {"2008-05-04T14:30:15+02:00", DateAlone::StartOfDay, kHalfPastTwelve},
        {"2008-05-04T07:00:15-0530", DateAlone::StartOfDay, kHalfPastTwelve},
        {"2008-02-30", DateAlone::StartOfDay, std::nullopt},
        {"2008-5-4", DateAlone::StartOfDay, std::nullopt},
        {"2008-05-04T24:00", DateAlone::StartOfDay, std::nullopt},
        {"2008-05-04T12:60", DateAlone::StartOfDay, std::nullopt},
        {"2008-05-04T12:30:15.", DateAlone::StartOfDay, std::nullopt},
        {"2008-05-04T12:30Zjunk", DateAlone::StartOfDay, std::nullopt},
        {"", DateAlone::StartOfDay, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseIsoTime(c.text, c.dateAlone), c.utc) << c.text;
    EXPECT_EQ(IsoTimeText(kHalfPastTwelve + 500), "2008-05-04T12:30:15.500Z");
    EXPECT_EQ(IsoTimeText(kDay), "2008-05-04T00:00:00Z");
}
} // namespace
