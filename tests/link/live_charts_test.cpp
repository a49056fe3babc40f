#include "link/live_replies_support.h"
#include "link/live_view.h"

#include <gtest/gtest.h>

namespace {
void Report(SatelliteTable& satellites, int prn, const char* elevation, const char* azimuth, const char* snr,
            const char* prnText = nullptr)
{
    satellites.Prn[prn] = prnText ? prnText : std::to_string(prn);
    satellites.Elevation[prn] = elevation;
    satellites.Azimuth[prn] = azimuth;
    satellites.Snr[prn] = snr;
}

const SkyPoint* FindSky(const SatelliteCharts& charts, const std::string& label)
{
    for (const auto& point : charts.sky)
        if (point.label == label)
            return &point;
    return nullptr;
}

TEST(LiveCharts, SkyPlotStartsWithTheFourWhiteExtentBubbles)
{
    SatelliteTable satellites;
    const SatelliteCharts charts = DrawSatellites(satellites);
    ASSERT_EQ(charts.sky.size(), 4u);
    const double corners[][2] = {{150, 150}, {150, -150}, {-150, 150}, {-150, -150}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(charts.sky[i].x, corners[i][0]);
        EXPECT_EQ(charts.sky[i].y, corners[i][1]);
        EXPECT_EQ(charts.sky[i].radius, 1);
        EXPECT_EQ(charts.sky[i].label, "");
        EXPECT_EQ(charts.sky[i].colour, kExtentColour);
    }
    EXPECT_TRUE(charts.bars.empty());
}

TEST(LiveCharts, SatellitesPlacedNorthUpEastRightHorizonAt100)
{
    struct Case {
        int prn;
        const char* elevation;
        const char* azimuth;
        double x, y;
    };
    const Case cases[] = {
        {1, "0", "0", 0, 100},    // north horizon
        {2, "0", "90", 100, 0},   // east horizon
        {3, "60", "180", 0, -50}, // south, halfway up
        {4, "90", "123", 0, 0},   // zenith
        {5, "0", "270", -100, 0}, // west horizon
        {6, "", "", 0, 100},      // unreadable values count as 0
    };
    SatelliteTable satellites;
    for (const auto& c : cases)
        Report(satellites, c.prn, c.elevation, c.azimuth, "30");
    const SatelliteCharts charts = DrawSatellites(satellites);
    ASSERT_EQ(charts.sky.size(), 4u + std::size(cases));
    for (const auto& c : cases) {
        const SkyPoint* point = FindSky(charts, std::to_string(c.prn));
        ASSERT_NE(point, nullptr) << c.prn;
        EXPECT_NEAR(point->x, c.x, 1e-9) << c.prn;
        EXPECT_NEAR(point->y, c.y, 1e-9) << c.prn;
        EXPECT_EQ(point->radius, 12);
    }
}

TEST(LiveCharts, UsedSatellitesAreBlueByExactTextOfTheUsedList)
{
    SatelliteTable satellites;
    Report(satellites, 5, "40", "100", "35", "05");
    Report(satellites, 7, "40", "100", "35", "07");
    Report(satellites, 9, "40", "100", "35", "09");
    LiveFix fix;
    DeviceLinkState link;
    ParseGsa(Incoming("$GPGSA,A,3,05,7,,,,,,,,,,,2.5,1.3,2.1"), fix, satellites, link);
    const SatelliteCharts charts = DrawSatellites(satellites);
    ASSERT_EQ(charts.bars.size(), 3u);
    EXPECT_EQ(charts.bars[0].label, "05");
    EXPECT_EQ(charts.bars[0].colour, kUsedSatelliteColour); // "05" listed as "05"
    EXPECT_EQ(charts.bars[1].colour, kSeenSatelliteColour); // "07" listed as "7"
    EXPECT_EQ(charts.bars[2].colour, kSeenSatelliteColour); // not listed
    EXPECT_EQ(FindSky(charts, "05")->colour, kUsedSatelliteColour);
    EXPECT_EQ(FindSky(charts, "07")->colour, kSeenSatelliteColour);
}

TEST(LiveCharts, SignalBarsInSlotOrderWithEmptySnrAsZero)
{
    SatelliteTable satellites;
    Report(satellites, 27, "05", "244", "");
    Report(satellites, 3, "03", "111", "41");
    Report(satellites, 16, "57", "208", "39x");
    const SatelliteCharts charts = DrawSatellites(satellites);
    ASSERT_EQ(charts.bars.size(), 3u);
    EXPECT_EQ(charts.bars[0].label, "3");
    EXPECT_EQ(charts.bars[0].value, 41);
    EXPECT_EQ(charts.bars[1].label, "16");
    EXPECT_EQ(charts.bars[1].value, 39);
    EXPECT_EQ(charts.bars[2].label, "27");
    EXPECT_EQ(charts.bars[2].value, 0);
}

TEST(LiveCharts, DrawnSlotsAreEmptiedSoSatellitesThatLeftViewDisappear)
{
    SatelliteTable satellites;
    ParseGsv(Incoming("$GPGSV,1,1,02,03,03,111,40,04,15,270,41"), satellites);
    ASSERT_TRUE(satellites.RedrawPending);
    EXPECT_EQ(DrawSatellites(satellites).bars.size(), 2u);
    EXPECT_FALSE(satellites.RedrawPending);
    EXPECT_EQ(satellites.Prn[3], "");
    EXPECT_EQ(satellites.Elevation[3], "");
    EXPECT_EQ(satellites.Azimuth[4], "");
    EXPECT_EQ(satellites.Snr[4], "");

    ParseGsv(Incoming("$GPGSV,1,1,01,04,15,270,41"), satellites);
    const SatelliteCharts next = DrawSatellites(satellites);
    ASSERT_EQ(next.bars.size(), 1u);
    EXPECT_EQ(next.bars[0].label, "04");
}

TEST(LiveMemo, ClearedOnlyOnceItHoldsMoreThan50LinesOr5000Characters)
{
    const std::string gga = "$GPGGA,123519.000,2503.1234,N,12134.5678,E,1,08,0.9,545.4,M,46.9,M,,*4F\r\n";
    SentenceMemo memo;
    for (int i = 0; i < 51; ++i)
        EXPECT_FALSE(memo.add(gga)) << i;
    EXPECT_EQ(memo.lineCount(), 51);
    EXPECT_TRUE(memo.add(gga));
    EXPECT_EQ(memo.text(), gga);

    SentenceMemo longLines;
    const std::string data = "$PMTK182,8,00000000," + std::string(4096, 'F') + "*00\r\n";
    EXPECT_FALSE(longLines.add(data));
    EXPECT_FALSE(longLines.add(data)); // 4,121 characters are not yet too many
    EXPECT_TRUE(longLines.add(gga));   // 8,242 are
    EXPECT_EQ(longLines.text(), gga);
    EXPECT_EQ(longLines.lineCount(), 1);
}

TEST(LiveRefresh, CopiesTheTextsAndDrawsOnlyWhenACycleEnded)
{
    LiveFix fix{"2007/06/14", "10:00:00.000", "3D", "25°03.1234 N", "121°34.5678 E", "18.52 km/h", "2.5", "2.1", "1.3"};
    SatelliteTable satellites;
    SentenceMemo memo;
    satellites.Prn[3] = "03";
    LiveViewUpdate update = UpdateLiveView("$GPGSA,...\r\n", memo, fix, 17, satellites);
    const std::array<std::string, 10> expected = {"2007/06/14",    "10:00:00.000", "3D",  "17",  "25°03.1234 N",
                                                  "121°34.5678 E", "18.52 km/h",   "2.5", "2.1", "1.3"};
    EXPECT_EQ(update.labeledEdits, expected);
    EXPECT_FALSE(update.charts.has_value());
    EXPECT_FALSE(update.memoCleared);
    EXPECT_EQ(memo.text(), "$GPGSA,...\r\n");
    EXPECT_EQ(satellites.Prn[3], "03");

    satellites.RedrawPending = true;
    update = UpdateLiveView("$GPGSV,...\r\n", memo, fix, 17, satellites);
    ASSERT_TRUE(update.charts.has_value());
    EXPECT_EQ(update.charts->bars.size(), 1u);
    EXPECT_FALSE(satellites.RedrawPending);
}
} // namespace
