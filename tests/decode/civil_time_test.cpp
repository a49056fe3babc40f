#include "decode/civil_time.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {
void ExpectCivil(std::int64_t seconds, std::int64_t year, int month, int day, int hour, int minute, int second)
{
    const CivilTime time = CivilTimeFromSeconds(seconds);
    EXPECT_EQ(time.year, year) << seconds;
    EXPECT_EQ(time.month, month) << seconds;
    EXPECT_EQ(time.day, day) << seconds;
    EXPECT_EQ(time.hour, hour) << seconds;
    EXPECT_EQ(time.minute, minute) << seconds;
    EXPECT_EQ(time.second, second) << seconds;
}
} // namespace

TEST(CivilTime, KnownMoments)
{
    ExpectCivil(0, 1970, 1, 1, 0, 0, 0);
    ExpectCivil(1180000000, 2007, 5, 24, 9, 46, 40);
    ExpectCivil(951782400, 2000, 2, 29, 0, 0, 0);
    ExpectCivil(-1, 1969, 12, 31, 23, 59, 59);
    ExpectCivil(-2147483648LL, 1901, 12, 13, 20, 45, 52);
    ExpectCivil(4102444800LL, 2100, 1, 1, 0, 0, 0);
}

TEST(CivilTime, AgreesWithTheCLibraryAcrossTheWholeRecordRange)
{
    for (std::int64_t seconds = -2147483648LL; seconds < 2147483648LL; seconds += 7777777) {
        const std::time_t moment = static_cast<std::time_t>(seconds);
        std::tm utc{};
        ASSERT_NE(gmtime_r(&moment, &utc), nullptr);
        const CivilTime time = CivilTimeFromSeconds(seconds);
        ASSERT_EQ(time.year, utc.tm_year + 1900) << seconds;
        ASSERT_EQ(time.month, utc.tm_mon + 1) << seconds;
        ASSERT_EQ(time.day, utc.tm_mday) << seconds;
        ASSERT_EQ(time.hour * 3600 + time.minute * 60 + time.second, utc.tm_hour * 3600 + utc.tm_min * 60 + utc.tm_sec);
        ASSERT_EQ(SecondsFromCivilTime(time), seconds);
    }
}

TEST(CivilTime, OutOfRangePartsCarryOver)
{
    const struct {
        CivilTime given;
        CivilTime expected;
    } cases[] = {
        {{2007, 12, 31, 24, 30, 15}, {2008, 1, 1, 0, 30, 15}}, {{2007, 13, 1, 0, 0, 0}, {2008, 1, 1, 0, 0, 0}},
        {{2007, 0, 1, 0, 0, 0}, {2006, 12, 1, 0, 0, 0}},       {{2008, 2, 30, 0, 0, 0}, {2008, 3, 1, 0, 0, 0}},
        {{2007, 2, 29, 0, 0, 0}, {2007, 3, 1, 0, 0, 0}},       {{2007, 1, 0, 0, 0, 0}, {2006, 12, 31, 0, 0, 0}},
        {{2007, 5, 24, 99, 99, 99}, {2007, 5, 28, 4, 40, 39}},
    };
    for (const auto& c : cases) {
        const CivilTime time = CivilTimeFromSeconds(SecondsFromCivilTime(c.given));
        EXPECT_EQ(SecondsFromCivilTime(time), SecondsFromCivilTime(c.expected));
        EXPECT_EQ(time.year, c.expected.year);
        EXPECT_EQ(time.month, c.expected.month);
        EXPECT_EQ(time.day, c.expected.day);
        EXPECT_EQ(time.hour, c.expected.hour);
    }
}
