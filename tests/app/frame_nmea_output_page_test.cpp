// The NMEA output sub-page in the window: layout, and clicks and typed periods
// reaching the page logic.
#include "app/frame_nmea_output_page.h"
#include "app/pages_window_fixture.h"
#include "link/sentences.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {
class NmeaOutputWindow : public PagesWindowTest {
protected:
    void SetUp() override
    {
        PagesWindowTest::SetUp();
        openSubPage(2);
    }
    TFrame8* page() const { return window->Frame81; }
    static bool isFixed(int number) { return IsFixedPeriodRow(static_cast<NmeaRow>(number)); }
};

TEST_F(NmeaOutputWindow, StartsWithTheDesignedLayoutAndAsksForThePeriods)
{
    EXPECT_EQ(wire(), "$PMTK414*33\r\n");
    EXPECT_TRUE(window->link().NmeaPeriodsRequested);
    const char* captions[] = {"GGA", "GLL", "GSA", "GSV", "RMC", "VTG", "ZDA"};
    for (int number = 1; number <= TFrame8::kRows; ++number) {
        SCOPED_TRACE(captions[number - 1]);
        QCheckBox* box = page()->checkBox(number);
        EXPECT_EQ(box->text(), captions[number - 1]);
        EXPECT_EQ(box->geometry(), QRect(80, 104 + 32 * (number - 1), 97, 21));
        EXPECT_EQ(box->palette().color(QPalette::Window), QColor(236, 225, 207));
        EXPECT_EQ(box->checkState(), isFixed(number) ? Qt::PartiallyChecked : Qt::Unchecked);
        EXPECT_EQ(page()->cSpinEdit(number)->geometry(), QRect(248, 104 + 32 * (number - 1), 81, 22));
        EXPECT_EQ(page()->cSpinEdit(number)->isEnabled(), !isFixed(number));
        EXPECT_EQ(page()->cSpinEdit(number)->value(), 1);
    }
    EXPECT_EQ(page()->Label2->text(), "Period (second)");
    EXPECT_EQ(page()->SpeedButton1->geometry(), QRect(416, 320, 127, 42));
}

// The period rules live in the page logic; here only that real clicks, typed
// periods and the spin edits' limits reach it and the wire.
TEST_F(NmeaOutputWindow, ClicksAndTypedPeriodsReachThePageLogic)
{
    click(page()->checkBox(3));
    EXPECT_EQ(page()->checkBox(3)->checkState(), Qt::PartiallyChecked);

    PeriodSpinEdit* spin = page()->cSpinEdit(2);
    spin->setFocus(Qt::MouseFocusReason);
    spin->selectAll();
    QTest::keyClicks(spin, "9");
    page()->cSpinEdit(6)->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(spin->text(), "5"); // clamped when left

    connectPort();
    wire();
    click(page()->checkBox(6));
    page()->cSpinEdit(6)->selectAll();
    QTest::keyClicks(page()->cSpinEdit(6), "7");
    dialogs.yesNoAnswers = {true};
    click(page()->SpeedButton1); // the typed period counts while its edit still has the focus
    EXPECT_EQ(wire(), AppendChecksum("$PMTK314,0,1,5,1,1,1,0,0,0,0,0,0,0,0,0,0,1,0,0*"));
}

TEST_F(NmeaOutputWindow, AnsweringNoIsToldBeforeThePeriodsAreAskedForAgain)
{
    connectPort();
    wire();
    std::string sentWhileTold = "<not told>";
    dialogs.onMessage = [&](const ShownMessage&) { sentWhileTold = wire(); };
    dialogs.yesNoAnswers = {false};
    click(page()->SpeedButton1);
    EXPECT_EQ(onlyMessage().text, "Recover setting!");
    EXPECT_EQ(sentWhileTold, "");
    EXPECT_EQ(wire(), "$PMTK414*33\r\n");
}
} // namespace
