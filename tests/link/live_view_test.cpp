#include "link/live_replies_support.h"
#include "link/live_view.h"
#include "support/environment_guard.h"

#include <gtest/gtest.h>

namespace {
struct PositionCase {
    const char* sentence;
    const char* latitude;
    const char* longitude;
};

TEST(LiveParsers, PositionTextsFromEachSentenceKind)
{
    const PositionCase cases[] = {
        {"$GPGGA,123519.000,2503.1234,N,12134.5678,E,1,08,0.9,545.4,M,46.9,M,,", "25°03.1234 N", "121°34.5678 E"},
        {"$GPGLL,4916.4500,S,00311.1200,W,225444.000,A", "49°16.4500 S", "003°11.1200 W"},
        {"$GPRMC,225446.000,A,4916.4500,N,12311.1200,W,000.5,054.7,191194,020.3,E", "49°16.4500 N", "123°11.1200 W"},
        {"$GNRMC,225446.000,A,2503.1234,N,12134.5678,E,0.0,0.0,191194,,", "25°03.1234 N", "121°34.5678 E"},
        // No fix yet: empty fields still give the degree sign.
        {"$GPGGA,,,,,,0,00,,,M,,M,,", "° ", "° "},
        {"$GPGLL,,,,,,V", "° ", "° "},
    };
    for (const auto& c : cases) {
        const IncomingSentence sentence = Incoming(c.sentence);
        LiveFix fix;
        const std::string kind = sentence.field(0).substr(2);
        if (kind == "GGA")
            ParseGga(sentence, fix);
        else if (kind == "GLL")
            ParseGll(sentence, fix);
        else
            ParseRmc(sentence, fix);
        EXPECT_EQ(fix.Latitude, c.latitude) << c.sentence;
        EXPECT_EQ(fix.Longitude, c.longitude) << c.sentence;
    }
}

TEST(LiveParsers, GgaTakesHdopAndLeavesOtherTexts)
{
    LiveFix fix;
    fix.Speed = "12 km/h";
    ParseGga(Incoming("$GPGGA,123519.000,2503.1234,N,12134.5678,E,1,08,0.9,545.4,M,46.9,M,,"), fix);
    EXPECT_EQ(fix.Hdop, "0.9");
    EXPECT_EQ(fix.Speed, "12 km/h");
    EXPECT_EQ(fix.Date, "");
}

TEST(LiveParsers, GsaModeUsedListAndDilution)
{
    struct Case {
        const char* mode;
        const char* text;
    };
    for (const auto& c :
         {Case{"1", "No Fix"}, Case{"2", "2D"}, Case{"3", "3D"}, Case{"", "No Fix"}, Case{"x", "No Fix"}}) {
        LiveFix fix;
        SatelliteTable satellites;
        DeviceLinkState link;
        ParseGsa(Incoming(std::string("$GPGSA,A,") + c.mode + ",05,12,,,,,,,,,,30,2.5,1.3,2.1"), fix, satellites, link);
        EXPECT_EQ(fix.Mode, c.text) << c.mode;
        EXPECT_EQ(fix.Pdop, "2.5");
        EXPECT_EQ(fix.Hdop, "1.3");
        EXPECT_EQ(fix.Vdop, "2.1");
        EXPECT_EQ(satellites.UsedPrn[0], "05");
        EXPECT_EQ(satellites.UsedPrn[1], "12");
        EXPECT_EQ(satellites.UsedPrn[2], "");
        EXPECT_EQ(satellites.UsedPrn[11], "30");
    }
}

TEST(LiveParsers, TtffCountsEveryGsaWithoutA3dFixUpToItsLimit)
{
    struct Case {
        const char* mode;
        int32_t before;
        int32_t after;
    };
    const Case cases[] = {
        {"1", 0, 1},
        {"2", 41, 42},
        {"", 7, 8},
        {"3", 42, 42},
        {"1", kTtffLimit - 1, kTtffLimit},
        {"1", kTtffLimit, kTtffLimit},
        {"3", 0, 0},
    };
    for (const auto& c : cases) {
        LiveFix fix;
        SatelliteTable satellites;
        DeviceLinkState link;
        link.TtffCount = c.before;
        ParseGsa(Incoming(std::string("$GPGSA,A,") + c.mode + ",,,,,,,,,,,,,,,"), fix, satellites, link);
        EXPECT_EQ(link.TtffCount, c.after) << c.mode << " from " << c.before;
    }
}

TEST(LiveParsers, SpeedInKmhFromRmcKnotsAndFromVtg)
{
    struct Case {
        const char* knots;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        {"10.0", '.', "18.52 km/h"}, {"10.123", '.', "18.74 km/h"}, // cut, not rounded
        {"0.0", '.', "0 km/h"},      {"", '.', "0 km/h"},           {"1.0", ',', "1,852 km/h"},
        {"100", '.', "185.2 km/h"},  {"1000", '.', "1852 km/h"},
    };
    for (const auto& c : cases) {
        LiveFix fix;
        ParseRmc(Incoming(std::string("$GPRMC,,V,,,,,") + c.knots + ",,,,"), fix, c.separator);
        EXPECT_EQ(fix.Speed, c.text) << c.knots;
    }
    LiveFix fix;
    ParseVtg(Incoming("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"), fix);
    EXPECT_EQ(fix.Speed, "010.2 km/h");
}

LiveFix ParseRmcDateTime(const std::string& time, const std::string& date, LiveFix fix = {})
{
    ParseRmc(Incoming("$GPRMC," + time + ",A,2503.1234,N,12134.5678,E,0.0,0.0," + date + ",,"), fix);
    return fix;
}

TEST(RmcDateTime, UtcFieldsShownInTheMachinesTimeZone)
{
    struct Case {
        const char* tz;
        const char* time;
        const char* date;
        const char* shownDate;
        const char* shownTime;
    };
    const Case cases[] = {
        {"UTC0", "123519.000", "230394", "2094/03/23", "12:35:19.000"},
        // Eight hours east: the date moves into the next year.
        {"CST-8", "235959.000", "311207", "2008/01/01", "07:59:59.000"},
        // Five hours west: back across a leap day.
        {"EST5", "020000.5", "010308", "2008/02/29", "21:00:00  .5"},
        // A time without fraction keeps four blanks in its place.
        {"UTC0", "123519", "010100", "2000/01/01", "12:35:19    "},
    };
    for (const auto& c : cases) {
        const EnvironmentGuard zone("TZ", c.tz);
        const LiveFix fix = ParseRmcDateTime(c.time, c.date);
        EXPECT_EQ(fix.Date, c.shownDate) << c.tz << " " << c.time;
        EXPECT_EQ(fix.Time, c.shownTime) << c.tz << " " << c.time;
    }
}

TEST(RmcDateTime, MissingOrBrokenNumbersKeepThePreviousTexts)
{
    const EnvironmentGuard zone("TZ", "UTC0");
    LiveFix before;
    before.Date = "2007/06/14";
    before.Time = "10:00:00.000";
    const char* const broken[][2] = {
        {"123519.000", ""}, {"", "140607"}, {"12a519.000", "140607"}, {"123519.000", "1406"}, {"1235", "140607"}};
    for (const auto& fields : broken) {
        const LiveFix fix = ParseRmcDateTime(fields[0], fields[1], before);
        EXPECT_EQ(fix.Date, "2007/06/14") << fields[0] << "," << fields[1];
        EXPECT_EQ(fix.Time, "10:00:00.000") << fields[0] << "," << fields[1];
    }
}

TEST(LiveParsers, GsvCycleOfThreeAsksForARedrawOnlyAtItsEnd)
{
    SatelliteTable satellites;
    ParseGsv(Incoming("$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00"), satellites);
    EXPECT_FALSE(satellites.RedrawPending);
    ParseGsv(Incoming("$GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00"), satellites);
    EXPECT_FALSE(satellites.RedrawPending);
    ParseGsv(Incoming("$GPGSV,3,3,11,22,42,067,42,24,14,311,43,27,05,244,"), satellites);
    EXPECT_TRUE(satellites.RedrawPending);

    EXPECT_EQ(satellites.Prn[3], "03");
    EXPECT_EQ(satellites.Elevation[16], "57");
    EXPECT_EQ(satellites.Azimuth[18], "296");
    EXPECT_EQ(satellites.Snr[24], "43");
    EXPECT_EQ(satellites.Prn[27], "27");
    EXPECT_EQ(satellites.Snr[27], ""); // not tracked: empty SNR
    int filled = 0;
    for (const auto& prn : satellites.Prn)
        filled += prn.empty() ? 0 : 1;
    EXPECT_EQ(filled, 11);
}

TEST(LiveParsers, GsvIgnoresGroupsWithoutAUsableSatelliteNumber)
{
    SatelliteTable satellites;
    // 0, empty, 64 (no slot for it) and 65 are all left out; 63 is the last slot.
    ParseGsv(Incoming("$GPGSV,2,1,8,00,10,100,20,,,,,64,30,200,30,63,40,300,40"), satellites);
    ParseGsv(Incoming("$GPGSV,2,2,8,65,10,100,20"), satellites);
    EXPECT_EQ(satellites.Prn[0], "");
    EXPECT_EQ(satellites.Prn[63], "63");
    int filled = 0;
    for (const auto& prn : satellites.Prn)
        filled += prn.empty() ? 0 : 1;
    EXPECT_EQ(filled, 1);
    EXPECT_TRUE(satellites.RedrawPending);
}
} // namespace
