// Each settings sub-page against the simulated logger: opened, it shows the
// logger's values; applied, the logger takes the new ones; reopened, they
// read back.
#include "app/frame_criteria_page.h"
#include "app/frame_live_page.h"
#include "app/frame_log_format_page.h"
#include "app/frame_method_page.h"
#include "app/frame_nmea_output_page.h"
#include "e2e_window/sim_window_fixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

namespace {
using Strings = std::vector<std::string>;

class PagesSimTest : public SimWindowTest {
protected:
    // Starts the simulator with these settings, opens its line and goes back
    // to the settings page.
    void connectToSim(std::vector<std::string> simArgs)
    {
        simArgs.insert(simArgs.end(), {"--no-nmea", "--erase-delay", "200"});
        ASSERT_NO_FATAL_FAILURE(connectSim(simArgs));
        window->Frame11SpeedButton1Click();
        ASSERT_TRUE(sim->waitForLine("$PMTK182,2,9,9F*61"));
    }

    // Lines the simulator received from now on.
    std::size_t mark() const { return sim->receivedLines().size(); }
    std::vector<std::string> receivedSince(std::size_t from, std::size_t count) const
    {
        sim->waitForLineCount(from + count);
        const std::vector<std::string> lines = sim->receivedLines();
        return {lines.begin() + static_cast<long>(std::min(from, lines.size())), lines.end()};
    }
};

class CriteriaOnSim : public PagesSimTest {
protected:
    TFrame9* page() const { return window->Frame91; }
    void open() { openSubPage(3); }
    bool shows(bool time, const char* timeText, bool distance, const char* distanceText, bool speed,
               const char* speedText) const
    {
        return page()->CheckBox1->isChecked() == time && page()->Edit1->text() == timeText &&
               page()->CheckBox2->isChecked() == distance && page()->Edit2->text() == distanceText &&
               page()->CheckBox3->isChecked() == speed && page()->Edit3->text() == speedText;
    }
};

TEST_F(CriteriaOnSim, ShowsTheLoggersCriteriaTakesNewOnesAndReadsThemBack)
{
    ASSERT_NO_FATAL_FAILURE(connectToSim({"--intervals", "150,0,200"}));
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(true, "15", false, "10", true, "20"); }));

    page()->Edit1->setText("5");
    page()->Edit3->setText("20");
    const std::size_t from = mark();
    dialogs.yesNoAnswers = {true};
    click(page()->SpeedButton1);
    EXPECT_EQ(dialogs.lastText(), "Setting updated!");
    EXPECT_EQ(receivedSince(from, 3), (Strings{"$PMTK182,1,3,50*12", "$PMTK182,1,4,0*20", "$PMTK182,1,5,200*23"}));
    EXPECT_TRUE(sim->waitForState("time_interval", "50"));
    EXPECT_TRUE(sim->waitForState("distance_interval", "0")) << sim->stateValue("distance_interval");
    EXPECT_TRUE(sim->waitForState("speed_interval", "200")) << sim->stateValue("speed_interval");

    page()->Edit1->setText("77");
    open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shows(true, "5", false, "10", true, "20"); }));
}

class LogFormatOnSim : public PagesSimTest {
protected:
    TFrame10* page() const { return window->Frame101; }
    void open() { openSubPage(4); }
    uint32_t shown() const { return FormatMaskFromBoxes(*page()); }
};

TEST_F(LogFormatOnSim, GoogleEarthPresetGoesOutAfterTheEraseAndReadsBack)
{
    ASSERT_NO_FATAL_FAILURE(connectToSim({"--mask", "0004E001"}));
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown() == 0x0004E001u; }));
    EXPECT_TRUE(page()->checkBox(15)->isEnabled());
    EXPECT_TRUE(page()->checkBox(20)->isChecked());

    click(page()->button(9));
    click(page()->button(11));
    const std::size_t from = mark();
    dialogs.yesNoAnswers = {true};
    click(page()->SpeedButton1);
    EXPECT_EQ(dialogs.questions, (Strings{"Confirm: This will erase all data,\nare you sre?"}));
    EXPECT_EQ(dialogs.lastText(), "Setting updated!");
    EXPECT_EQ(receivedSince(from, 2), (Strings{"$PMTK182,6,1*3E", "$PMTK182,1,2,000A003F*12"}));
    EXPECT_TRUE(sim->waitForState("mask", "000A003F"));
    EXPECT_TRUE(sim->waitForState("erases", "1")) << sim->stateValue("erases");

    click(page()->button(8));
    open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == 0x000A003Fu; }));
    EXPECT_FALSE(page()->checkBox(15)->isEnabled());
}

class MethodOnSim : public PagesSimTest {
protected:
    TFrame11* page() const { return window->Frame111; }
    void open() { openSubPage(5); }
    // The method whose selected look is shown: true overwrite, false stop.
    bool showsOverwrite() const
    {
        return page()->SpeedButton3->isVisibleTo(page()) && page()->SpeedButton2->isVisibleTo(page());
    }
    bool showsStop() const
    {
        return page()->SpeedButton1->isVisibleTo(page()) && page()->SpeedButton4->isVisibleTo(page());
    }
};

TEST_F(MethodOnSim, ShowsTheLoggersMethodTakesOverwriteAndReadsItBack)
{
    ASSERT_NO_FATAL_FAILURE(connectToSim({"--method", "2"}));
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return showsStop(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->link().MemorySize == 0x200000u; }));

    const std::size_t from = mark();
    click(page()->SpeedButton1);
    EXPECT_EQ(dialogs.lastText(), "'Overwrite' is set.");
    EXPECT_EQ(receivedSince(from, 2), (Strings{"$PMTK182,1,6,1*23", "$PMTK182,7,001F0000,2*67"}));
    EXPECT_TRUE(sim->waitForState("method", "1"));

    window->SetMethodButtons(false, false);
    open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return showsOverwrite(); }));

    click(page()->SpeedButton2);
    EXPECT_EQ(dialogs.lastText(), "'Stop' is set.");
    EXPECT_TRUE(sim->waitForState("method", "2"));
}

class NmeaOutputOnSim : public PagesSimTest {
protected:
    TFrame8* page() const { return window->Frame81; }
    void open() { openSubPage(2); }
    bool row(int number, Qt::CheckState state, int period) const
    {
        return page()->checkBox(number)->checkState() == state && page()->cSpinEdit(number)->value() == period;
    }
};

TEST_F(NmeaOutputOnSim, ShowsTheReceiversPeriodsTakesNewOnesAndReadsThemBack)
{
    ASSERT_NO_FATAL_FAILURE(connectToSim({}));
    open();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return row(2, Qt::Checked, 1) && row(6, Qt::Checked, 1) && row(7, Qt::Checked, 1) &&
               row(1, Qt::PartiallyChecked, 1);
    }));

    page()->cSpinEdit(2)->setValue(2);
    click(page()->checkBox(6));
    page()->cSpinEdit(7)->setValue(5);
    const std::size_t from = mark();
    dialogs.yesNoAnswers = {true};
    click(page()->SpeedButton1);
    EXPECT_EQ(dialogs.lastText(), "Setting updated!");
    EXPECT_EQ(receivedSince(from, 1), (Strings{"$PMTK314,2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0*2E"}));
    EXPECT_TRUE(sim->waitForState("periods", "2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0"));

    page()->cSpinEdit(2)->setValue(4);
    open();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return row(2, Qt::Checked, 2) && row(6, Qt::Unchecked, 1) && row(7, Qt::Checked, 5) &&
               row(3, Qt::PartiallyChecked, 1);
    }));
}

TEST_F(NmeaOutputOnSim, RestartButtonsRestartTheReceiver)
{
    ASSERT_NO_FATAL_FAILURE(connectToSim({}));
    window->Frame11SpeedButton2Click();
    const std::pair<int, const char*> restarts[] = {{1, "hot"}, {2, "warm"}, {3, "cold"}};
    for (const auto& [button, kind] : restarts) {
        window->link().TtffCount = 12;
        const std::size_t from = mark();
        click(window->Frame31->restartPair(button - 1).clickable);
        EXPECT_EQ(window->link().TtffCount, 0);
        EXPECT_TRUE(sim->waitForState("last_restart", kind));
        EXPECT_EQ(receivedSince(from, 1),
                  (Strings{"$PMTK10" + std::to_string(button) + "*3" + std::to_string(3 - button)}));
    }
    EXPECT_TRUE(sim->waitForState("restarts", "3")) << sim->stateValue("restarts");
}
} // namespace
