#include "link/sentences.h"
#include "logger/nmea_output_page.h"
#include "logger/pages_fakes.h"
#include "logger/receiver_restart.h"
#include "support/fake_dialogs.h"

#include <gtest/gtest.h>

namespace {
struct NmeaOutput : ::testing::Test {
    DeviceLinkState link;
    WireTap wire{link};
    FakeDialogs dialogs;
    FakeNmeaOutputPage page;

    void choose(NmeaRow row, bool on, int period)
    {
        page.boxes[row] = on ? BoxState::Checked : BoxState::Unchecked;
        page.periods[row] = period;
    }
};

TEST_F(NmeaOutput, PeriodExamplesGoOutAfterYes)
{
    struct Case {
        int gll, vtg, zda; // 0: unchecked
        const char* sentence;
    };
    const Case cases[] = {
        {2, 0, 5, "$PMTK314,2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0*2E\r\n"},
        {0, 0, 0, "$PMTK314,0,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,0,0*29\r\n"},
        {1, 3, 0, nullptr},
    };
    for (const Case& c : cases) {
        choose(NmeaRow::Gll, c.gll != 0, c.gll ? c.gll : 4);
        choose(NmeaRow::Vtg, c.vtg != 0, c.vtg ? c.vtg : 4);
        choose(NmeaRow::Zda, c.zda != 0, c.zda ? c.zda : 4);
        dialogs.yesNoAnswers = {true};
        const SettingsResult result = ApplyNmeaPeriods(page, true, link, dialogs);
        const std::string expected = c.sentence
                                         ? std::string(c.sentence)
                                         : AppendChecksum("$PMTK314," + std::to_string(c.gll) + ",1," +
                                                          std::to_string(c.vtg) + ",1,1,1,0,0,0,0,0,0,0,0,0,0,1,0,0*");
        EXPECT_EQ(wire.take(), expected);
        EXPECT_EQ(result.outcome, SettingsResult::Outcome::Applied);
        EXPECT_EQ(result.text, "Setting updated!");
    }
    EXPECT_EQ(dialogs.questions.size(), 3u);
}

TEST_F(NmeaOutput, FixedKindsGoOutAsOneWhateverTheirRowsShow)
{
    page.periods[NmeaRow::Gga] = 4;
    page.boxes[NmeaRow::Gsa] = BoxState::Unchecked;
    const Sentences::NmeaPeriods periods = PeriodsFromPage(page);
    EXPECT_EQ(periods.gga, 1);
    EXPECT_EQ(periods.gsa, 1);
    EXPECT_EQ(periods.gsv, 1);
    EXPECT_EQ(periods.rmc, 1);
}

TEST_F(NmeaOutput, AnOutOfRangeSpinValueIsSentClamped)
{
    choose(NmeaRow::Zda, true, 9);
    EXPECT_EQ(PeriodsFromPage(page).zda, 5);
}

TEST_F(NmeaOutput, RefusalAndNoAnswer)
{
    const SettingsResult refused = ApplyNmeaPeriods(page, false, link, dialogs);
    EXPECT_EQ(wire.take(), "");
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(refused.outcome, SettingsResult::Outcome::NotConnected);
    EXPECT_EQ(refused.text, "No connecting.");

    dialogs.yesNoAnswers = {false};
    const SettingsResult declined = ApplyNmeaPeriods(page, true, link, dialogs);
    EXPECT_EQ(dialogs.questions, (std::vector<std::string>{"Confirm: Do you want to change setting?"}));
    EXPECT_EQ(wire.take(), "");
    EXPECT_EQ(declined.outcome, SettingsResult::Outcome::Declined);
    EXPECT_EQ(declined.text, "Recover setting!");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(NmeaOutput, PeriodReportFillsThePageAndFixedBoxesStayGrayed)
{
    Sentences::NmeaPeriods report;
    report.gga = 0;
    report.gll = 3;
    report.gsa = 2;
    report.gsv = 10;
    report.rmc = 1;
    report.vtg = 0;
    report.zda = 10;
    page.periods[NmeaRow::Vtg] = 4;
    ShowNmeaPeriods(page, report);
    const std::pair<NmeaRow, BoxState> boxes[] = {{NmeaRow::Gga, BoxState::Grayed}, {NmeaRow::Gll, BoxState::Checked},
                                                  {NmeaRow::Gsa, BoxState::Grayed}, {NmeaRow::Gsv, BoxState::Grayed},
                                                  {NmeaRow::Rmc, BoxState::Grayed}, {NmeaRow::Vtg, BoxState::Unchecked},
                                                  {NmeaRow::Zda, BoxState::Checked}};
    for (const auto& [row, state] : boxes)
        EXPECT_EQ(page.boxes[row], state) << static_cast<int>(row);
    const std::pair<NmeaRow, int> periods[] = {{NmeaRow::Gga, 1}, {NmeaRow::Gll, 3}, {NmeaRow::Gsa, 2},
                                               {NmeaRow::Gsv, 5}, {NmeaRow::Rmc, 1}, {NmeaRow::Vtg, 4},
                                               {NmeaRow::Zda, 5}};
    for (const auto& [row, period] : periods)
        EXPECT_EQ(page.periods[row], period) << static_cast<int>(row);
    // GGA reported off still goes out as 1.
    EXPECT_EQ(PeriodsFromPage(page).gga, 1);
}

TEST_F(NmeaOutput, FixedBoxesFallBackToGrayedAndOthersAreLeft)
{
    for (NmeaRow row : kNmeaRows) {
        page.boxes[row] = BoxState::Checked;
        KeepFixedBoxGrayed(page, row);
        EXPECT_EQ(page.boxes[row], IsFixedPeriodRow(row) ? BoxState::Grayed : BoxState::Checked);
    }
    EXPECT_EQ(ClampPeriod(0), 1);
    EXPECT_EQ(ClampPeriod(3), 3);
    EXPECT_EQ(ClampPeriod(9), 5);
}

TEST(ReceiverRestart, EachRestartSendsItsCommandAndStartsTheTtffCountAgain)
{
    struct Case {
        void (*restart)(DeviceLinkState&);
        const char* sentence;
    };
    const Case cases[] = {
        {HotStart, "$PMTK101*32\r\n"}, {WarmStart, "$PMTK102*31\r\n"}, {ColdStart, "$PMTK103*30\r\n"}};
    for (const Case& c : cases) {
        DeviceLinkState link;
        WireTap wire(link);
        link.TtffCount = 37;
        c.restart(link);
        EXPECT_EQ(wire.take(), c.sentence);
        EXPECT_EQ(link.TtffCount, 0);
    }
}
} // namespace
