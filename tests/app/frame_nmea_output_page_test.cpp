// The NMEA output sub-page in the window: grayed boxes that cannot change,
// spin edits that clamp, the period report and apply.
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
        QCheckBox* box = page()->CheckBox(number);
        EXPECT_EQ(box->text(), captions[number - 1]);
        EXPECT_EQ(box->geometry(), QRect(80, 104 + 32 * (number - 1), 97, 21));
        EXPECT_EQ(box->palette().color(QPalette::Window), QColor(236, 225, 207));
        EXPECT_EQ(box->checkState(), isFixed(number) ? Qt::PartiallyChecked : Qt::Unchecked);
        EXPECT_EQ(page()->CSpinEdit(number)->geometry(), QRect(248, 104 + 32 * (number - 1), 81, 22));
        EXPECT_EQ(page()->CSpinEdit(number)->isEnabled(), !isFixed(number));
        EXPECT_EQ(page()->CSpinEdit(number)->value(), 1);
    }
    EXPECT_EQ(page()->Label2->text(), "Period (second)");
    EXPECT_EQ(page()->SpeedButton1->geometry(), QRect(416, 320, 127, 42));
}

TEST_F(NmeaOutputWindow, ClickingAFixedBoxDoesNotChangeIt)
{
    for (int click = 0; click < 3; ++click) {
        PagesWindowTest::click(page()->CheckBox(3));
        EXPECT_EQ(page()->CheckBox(3)->checkState(), Qt::PartiallyChecked);
    }
    PagesWindowTest::click(page()->CheckBox(2));
    EXPECT_EQ(page()->CheckBox(2)->checkState(), Qt::Checked);
}

TEST_F(NmeaOutputWindow, ATypedNineBecomesFiveWhenTheSpinEditIsLeft)
{
    PeriodSpinEdit* spin = page()->CSpinEdit(2);
    spin->setFocus(Qt::MouseFocusReason);
    spin->selectAll();
    QTest::keyClicks(spin, "9");
    EXPECT_EQ(spin->text(), "9");
    page()->CSpinEdit(6)->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(spin->text(), "5");
    EXPECT_EQ(spin->value(), 5);
}

TEST_F(NmeaOutputWindow, TheReportFillsThePageAndFixedBoxesStayGrayed)
{
    Sentences::NmeaPeriods report;
    report.gga = 0;
    report.gll = 3;
    report.rmc = 10;
    report.zda = 10;
    page()->FillNmeaPeriods(report);
    EXPECT_EQ(page()->CheckBox(1)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(page()->CheckBox(2)->checkState(), Qt::Checked);
    EXPECT_EQ(page()->CSpinEdit(2)->value(), 3);
    EXPECT_EQ(page()->CheckBox(5)->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(page()->CSpinEdit(5)->value(), 5);
    EXPECT_EQ(page()->CheckBox(6)->checkState(), Qt::Unchecked);
    EXPECT_EQ(page()->CSpinEdit(7)->value(), 5);
}

TEST_F(NmeaOutputWindow, PeriodExampleGoesOutAfterYesAndNoRecovers)
{
    connectPort();
    wire();
    click(page()->CheckBox(2));
    page()->CSpinEdit(2)->setValue(2);
    click(page()->CheckBox(7));
    page()->CSpinEdit(7)->setValue(5);
    dialogs.yesNoAnswers = {true, false};
    click(page()->SpeedButton1);
    EXPECT_EQ(wire(), "$PMTK314,2,1,0,1,1,1,0,0,0,0,0,0,0,0,0,0,1,5,0*2E\r\n");
    EXPECT_EQ(onlyMessage().text, "Setting updated!");
    dialogs.messages.clear();
    window->link().NmeaPeriodsRequested = false;
    click(page()->SpeedButton1);
    EXPECT_EQ(onlyMessage().text, "Recover setting!");
    EXPECT_EQ(wire(), "$PMTK414*33\r\n");
    EXPECT_TRUE(window->link().NmeaPeriodsRequested);
    EXPECT_TRUE(page()->isVisible());
}

TEST_F(NmeaOutputWindow, ATypedPeriodCountsEvenWhileItsEditIsStillFocused)
{
    connectPort();
    wire();
    click(page()->CheckBox(6));
    PeriodSpinEdit* spin = page()->CSpinEdit(6);
    spin->setFocus(Qt::MouseFocusReason);
    spin->selectAll();
    QTest::keyClicks(spin, "7");
    dialogs.yesNoAnswers = {true};
    click(page()->SpeedButton1);
    EXPECT_EQ(wire(), AppendChecksum("$PMTK314,0,1,5,1,1,1,0,0,0,0,0,0,0,0,0,0,1,0,0*"));
}

TEST_F(NmeaOutputWindow, NotConnectedIsRefused)
{
    wire();
    click(page()->SpeedButton1);
    EXPECT_EQ(onlyMessage().text, "No connecting.");
    EXPECT_EQ(onlyMessage().caption, "Warning");
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(wire(), "");
}
} // namespace
