// The live page filled from NMEA sentences through the window.
#include "app/frame_live_page.h"
#include "app/live_window_support.h"
#include "decode/civil_time.h"
#include "decode/track_options.h"
#include "support/environment_guard.h"
#include "support/window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cstdio>

namespace {
class LivePageTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->Frame11SpeedButton2Click();
    }
    std::string edit(int number) const { return window->Frame31->labeledEdit(number)->text().toStdString(); }
    TFrame3& page() const { return *window->Frame31; }
};

TEST_F(LivePageTest, SentencesFillTheTenBoxes)
{
    const EnvironmentGuard eightHoursEast("TZ", "CST-8");
    Feed(*window, "$GPGGA,123519.000,2503.1234,N,12134.5678,E,1,08,0.9,545.4,M,46.9,M,,");
    Feed(*window, "$GPGSA,A,2,05,12,,,,,,,,,,,2.5,1.3,2.1");
    Feed(*window, "$GNRMC,225446.000,A,2503.2000,N,12134.6000,E,10.123,054.7,191107,,");

    EXPECT_EQ(edit(1), "2007/11/20");
    EXPECT_EQ(edit(2), "06:54:46.000");
    EXPECT_EQ(edit(3), "2D");
    EXPECT_EQ(edit(4), "1");
    EXPECT_EQ(edit(5), "25°03.2000 N");
    EXPECT_EQ(edit(6), "121°34.6000 E");
    EXPECT_EQ(edit(7), "18.74 km/h");
    EXPECT_EQ(edit(8), "2.5");
    EXPECT_EQ(edit(9), "2.1");
    EXPECT_EQ(edit(10), "1.3");
}

TEST_F(LivePageTest, AReceiverClockARolloverBehindIsToldOnce)
{
    EXPECT_EQ(page().Label1->text(), "");
    const CivilTime behind = CivilTimeFromSeconds(NowUtcSeconds() - kWeekRolloverDays * 86400LL);
    char rmc[128];
    std::snprintf(rmc, sizeof rmc, "$GPRMC,%02d%02d%02d.000,A,2503.2000,N,12134.6000,E,0.0,0.0,%02d%02d%02d,,",
                  static_cast<int>(behind.hour), static_cast<int>(behind.minute), static_cast<int>(behind.second),
                  static_cast<int>(behind.day), static_cast<int>(behind.month), static_cast<int>(behind.year % 100));
    Feed(*window, rmc);
    EXPECT_EQ(page().Label1->text().toStdString(),
              "The logger's receiver dates its fixes 1024 weeks before the computer's clock: it counts GPS weeks "
              "from before a week-number rollover.");
}

// The memo and chart rules live in the live view; here only that what it
// gives reaches the memo and both charts.
TEST_F(LivePageTest, MemoAndChartsShowWhatTheLiveViewGives)
{
    Feed(*window, "$GPGSA,A,3,05,16,,,,,,,,,,,2.5,1.3,2.1");
    Feed(*window, "$GPGSV,1,1,02,05,03,111,40,16,57,208,");
    EXPECT_EQ(page().Memo1->toPlainText().count('\n'), 2);
    EXPECT_TRUE(page().Memo1->toPlainText().startsWith("$GPGSA,A,3,05,16,"));
    const auto& bars = page().Chart2->bars();
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].label, "05");
    EXPECT_EQ(bars[0].value, 40);
    EXPECT_EQ(bars[0].colour, kUsedSatelliteColour);
    EXPECT_EQ(page().Chart1->points().size(), 4u + 2u);
}

TEST_F(LivePageTest, LayoutWithinThePageAndRestartButtonsInTheirPlaces)
{
    EXPECT_EQ(page().geometry(), QRect(16, 168, 760, 392));
    EXPECT_EQ(page().Chart1->size(), QSize(300, 300));
    EXPECT_EQ(page().Chart2->size(), QSize(393, 122));
    EXPECT_EQ(page().Chart2->backgroundColour(), QColor(236, 225, 207));
    const int xs[] = {432, 536, 640};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(page().restartPair(i).clickable->geometry(), QRect(xs[i], 344, 94, 39));
        EXPECT_EQ(page().restartPair(i).twin->geometry(), QRect(xs[i], 344, 94, 39));
    }
    const char* captions[] = {"Date", "Time", "Mode", "TTFF", "Latitude", "Longitude", "Speed", "PDOP", "VDOP", "HDOP"};
    std::vector<QRect> places = {page().Memo1->geometry(), page().Chart1->geometry(), page().Chart2->geometry()};
    for (int i = 0; i < 3; ++i)
        places.push_back(page().restartPair(i).clickable->geometry());
    for (int number = 1; number <= TFrame3::kLabeledEdits; ++number) {
        EXPECT_EQ(page().editLabel(number)->text(), captions[number - 1]);
        places.push_back(page().labeledEdit(number)->geometry());
        places.push_back(page().editLabel(number)->geometry());
    }
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_TRUE(page().rect().contains(places[i])) << i;
        for (std::size_t j = i + 1; j < places.size(); ++j)
            EXPECT_FALSE(places[i].intersects(places[j])) << i << " overlaps " << j;
    }
}

TEST_F(LivePageTest, RestartButtonsClickableOnlyWhileConnected)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(page().restartPair(i).isActive());
    window->setRestartButtons(true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(page().restartPair(i).clickable->isVisible());
        EXPECT_FALSE(page().restartPair(i).twin->isVisible());
    }
}
} // namespace
