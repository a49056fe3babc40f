// The live page filled from NMEA sentences through the window.
#include "app/frame_live_page.h"
#include "app/live_window_support.h"
#include "support/window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cstdlib>
#include <ctime>
#include <optional>

namespace {
// The machine's time zone for one test.
class TimeZone {
public:
    explicit TimeZone(const char* tz)
    {
        if (const char* old = std::getenv("TZ"))
            saved_ = old;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~TimeZone()
    {
        if (saved_)
            setenv("TZ", saved_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> saved_;
};

class LivePageTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->Frame11SpeedButton2Click();
    }
    std::string edit(int number) const { return window->Frame31->LabeledEdit(number)->text().toStdString(); }
    TFrame3& page() const { return *window->Frame31; }
};

TEST_F(LivePageTest, SentencesFillTheTenBoxes)
{
    const TimeZone eightHoursEast("CST-8");
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

    Feed(*window, "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    EXPECT_EQ(edit(7), "010.2 km/h");
    Feed(*window, "$GPGSA,A,3,05,12,,,,,,,,,,,2.5,1.3,2.1");
    EXPECT_EQ(edit(3), "3D");
    EXPECT_EQ(edit(4), "1");
}

TEST_F(LivePageTest, EverySentenceThatPassedItsChecksumReachesTheMemo)
{
    Feed(*window, "$GPZDA,201530.00,04,07,2002,00,00");
    Feed(*window, "$PMTK001,182,7,3");
    IncomingSentence broken;
    broken.SentenceText = "$GPGGA,123519.000,2503.1234,N,12134.5678,E,1,08,0.9,545.4,M,46.9,M,,*00\r\n";
    DispatchSentence(broken, *window);

    const QString memo = page().Memo1->toPlainText();
    EXPECT_EQ(memo.count('\n'), 2);
    EXPECT_TRUE(memo.startsWith("$GPZDA,201530.00,04,07,2002,00,00*"));
    EXPECT_TRUE(memo.contains("$PMTK001,182,7,3*"));
    EXPECT_FALSE(memo.contains("GPGGA"));
    EXPECT_EQ(edit(5), "");
}

TEST_F(LivePageTest, MemoHolding51LinesIsClearedBeforeTheNextSentence)
{
    for (int i = 0; i < 51; ++i)
        Feed(*window, "$GPGSA,A,1,,,,,,,,,,,,,,,");
    EXPECT_EQ(page().Memo1->toPlainText().count('\n'), 51);
    Feed(*window, "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
    EXPECT_EQ(page().Memo1->toPlainText(),
              QString::fromStdString(AppendChecksum("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*")).remove('\r'));
    EXPECT_EQ(edit(4), "51");
}

TEST_F(LivePageTest, ChartsRedrawOnlyAtTheEndOfAGsvCycle)
{
    Feed(*window, "$GPGSA,A,3,05,16,,,,,,,,,,,2.5,1.3,2.1");
    Feed(*window, "$GPGSV,3,1,09,05,03,111,40,04,15,270,00,06,01,010,00,13,06,292,00");
    Feed(*window, "$GPGSV,3,2,09,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00");
    EXPECT_TRUE(page().Chart1->points().empty());
    EXPECT_TRUE(page().Chart2->bars().empty());
    Feed(*window, "$GPGSV,3,3,09,27,05,244,");

    const auto& sky = page().Chart1->points();
    const auto& bars = page().Chart2->bars();
    ASSERT_EQ(sky.size(), 4u + 9u);
    ASSERT_EQ(bars.size(), 9u);
    EXPECT_EQ(bars[0].label, "04");
    EXPECT_EQ(bars[1].label, "05");
    EXPECT_EQ(bars[1].value, 40);
    EXPECT_EQ(bars[1].colour, kUsedSatelliteColour);
    EXPECT_EQ(bars[0].colour, kSeenSatelliteColour);
    EXPECT_EQ(bars.back().label, "27");
    EXPECT_EQ(bars.back().value, 0); // empty SNR
    EXPECT_EQ(sky[0].colour, kExtentColour);
    EXPECT_EQ(sky[4].label, "04");

    // The next cycle redraws with only what it reported.
    Feed(*window, "$GPGSV,1,1,01,16,57,208,39");
    ASSERT_EQ(page().Chart2->bars().size(), 1u);
    EXPECT_EQ(page().Chart2->bars()[0].colour, kUsedSatelliteColour);
    EXPECT_EQ(page().Chart1->points().size(), 5u);
}

TEST_F(LivePageTest, NothingChangesDuringADownload)
{
    window->link().Downloading = true;
    IncomingSentence gsv;
    gsv.SentenceText = AppendChecksum("$GPGSV,1,1,01,16,57,208,39*");
    SplitFields(gsv);
    HandleMtkSentence(gsv, *window); // the download path: split, then only PMTK replies count
    EXPECT_TRUE(page().Chart2->bars().empty());
    EXPECT_TRUE(page().Memo1->toPlainText().isEmpty());
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
        EXPECT_EQ(page().EditLabel(number)->text(), captions[number - 1]);
        places.push_back(page().LabeledEdit(number)->geometry());
        places.push_back(page().EditLabel(number)->geometry());
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
    window->SetRestartButtons(true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(page().restartPair(i).clickable->isVisible());
        EXPECT_FALSE(page().restartPair(i).twin->isVisible());
    }
}
} // namespace
