// The logging-criteria sub-page in the window: real focus changes, typed keys
// and slider moves, and apply through its button.
#include "app/frame_criteria_page.h"
#include "app/pages_window_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

namespace {
class CriteriaWindow : public PagesWindowTest {
protected:
    void SetUp() override
    {
        PagesWindowTest::SetUp();
        openSubPage(3);
    }
    TFrame9* page() const { return window->Frame91; }
    void focus(QWidget* widget)
    {
        widget->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }
    void typeInto(IntervalEdit* edit, const char* keys)
    {
        focus(edit);
        edit->selectAll();
        QTest::keyClicks(edit, keys);
    }
};

TEST_F(CriteriaWindow, StartsWithTheDesignedLayout)
{
    const IntervalEdit* edits[] = {page()->Edit1, page()->Edit2, page()->Edit3};
    const QCheckBox* boxes[] = {page()->CheckBox1, page()->CheckBox2, page()->CheckBox3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(edits[i]->text(), "10");
        EXPECT_EQ(edits[i]->geometry(), QRect(160, 76 + 40 * i, 49, 14));
        EXPECT_EQ(edits[i]->maxLength(), 6);
        EXPECT_FALSE(edits[i]->hasFrame());
        EXPECT_EQ(boxes[i]->geometry(), QRect(64, 72 + 40 * i, 289, 21));
        EXPECT_EQ(boxes[i]->palette().color(QPalette::Window), QColor(217, 241, 244));
        // The edit sits in the gap of its caption, above the box.
        EXPECT_EQ(page()->childAt(QPoint(170, 82 + 40 * i)), edits[i]);
    }
    EXPECT_EQ(page()->CheckBox1->text(), "Log every                second(s)");
    EXPECT_EQ(page()->Label2->text(), "10 <= Distance Interval <= 9999");
    EXPECT_FALSE(page()->ScrollBar1->isVisibleTo(page()));
    EXPECT_EQ(page()->ScrollBar1->size(), QSize(153, 16));
    EXPECT_EQ(page()->SpeedButton1->geometry(), QRect(376, 176, 190, 27));
}

// The rules of keys, slider and repair live in the page logic; here only
// that real keys, focus changes and slider moves reach it.
TEST_F(CriteriaWindow, KeysFocusAndSliderReachThePageLogic)
{
    typeInto(page()->Edit1, "1a0-0");
    EXPECT_EQ(page()->Edit1->text(), "100");
    EXPECT_EQ(page()->ScrollBar1->value(), 10); // follows the text before the key
    QTest::keyClick(page()->Edit1, '0');
    focus(page()->Edit2);
    EXPECT_EQ(page()->Edit1->text(), "999"); // repaired on leaving
    EXPECT_EQ(page()->ScrollBar1->pos(), QPoint(160, 132));
    page()->ScrollBar1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(page()->Edit2->text(), "11");
}

TEST_F(CriteriaWindow, AnsweringNoIsToldBeforeTheCriteriaAreAskedForAgain)
{
    page()->CheckBox1->setChecked(true);
    wire();
    std::string sentWhileTold = "<not told>";
    dialogs.onMessage = [&](const ShownMessage&) { sentWhileTold = wire(); };
    dialogs.yesNoAnswers = {false};
    page()->SpeedButton1->click();
    EXPECT_EQ(onlyMessage().text, "Recover setting!");
    EXPECT_EQ(onlyMessage().icon, MessageIcon::None);
    EXPECT_EQ(sentWhileTold, "");
    EXPECT_EQ(wire(), "$PMTK182,2,3*38\r\n$PMTK182,2,4*3F\r\n$PMTK182,2,5*3E\r\n");
}
} // namespace
