// The log-format sub-page in the window: layout, and the clicks reaching the
// page logic.
#include "app/frame_log_format_page.h"
#include "app/pages_window_fixture.h"

#include "logger/widgets/erase_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>

namespace {
class LogFormatWindow : public PagesWindowTest {
protected:
    TFrame10* page() const { return window->Frame101; }
    std::vector<int> checkedBoxes() const
    {
        std::vector<int> boxes;
        for (int box = 1; box <= kFormatBoxCount; ++box)
            if (page()->checkBox(box)->isChecked())
                boxes.push_back(box);
        return boxes;
    }
    bool detailBoxesEnabled() const
    {
        return page()->checkBox(15)->isEnabled() && page()->checkBox(16)->isEnabled() &&
               page()->checkBox(17)->isEnabled();
    }
};

TEST_F(LogFormatWindow, StartsWithTheDesignedLayout)
{
    EXPECT_EQ(page()->geometry(), QRect(178, 0, 582, 392));
    EXPECT_TRUE(checkedBoxes().empty());
    for (int box = 1; box <= kFormatBoxCount; ++box)
        EXPECT_EQ(page()->checkBox(box)->isEnabled(), box < 15 || box > 17) << "CheckBox" << box;
    for (int group = 1; group <= TFrame10::kGroupBoxes; ++group)
        EXPECT_EQ(page()->groupBox(group)->palette().color(QPalette::Window), QColor(245, 236, 221));
    const std::tuple<int, const char*, QRect> groups[] = {{1, "UTC", QRect(16, 128, 153, 65)},
                                                          {6, "Satellite Information", QRect(368, 128, 185, 137)},
                                                          {8, "Other", QRect(192, 344, 153, 41)},
                                                          {9, "Select NMEA", QRect(16, 32, 249, 81)},
                                                          {10, "Other", QRect(280, 32, 281, 81)}};
    for (const auto& [number, caption, place] : groups) {
        EXPECT_EQ(page()->groupBox(number)->title(), caption);
        EXPECT_EQ(page()->groupBox(number)->geometry(), place);
    }
    EXPECT_EQ(page()->checkBox(20)->text(), "Mili - Second");
    EXPECT_EQ(page()->checkBox(20)->parentWidget(), page()->groupBox(1));
    EXPECT_EQ(page()->checkBox(19)->text(), "Distance");
    EXPECT_EQ(page()->checkBox(19)->parentWidget(), page()->groupBox(8));
    EXPECT_EQ(page()->checkBox(13)->toolTip(), "Number(s) of satellite in view and in used");
    EXPECT_EQ(page()->button(11)->text(), "Select for Google Earth");
    EXPECT_EQ(page()->button(11)->size(), QSize(257, 25));
    EXPECT_EQ(page()->SpeedButton1->geometry(), QRect(376, 336, 182, 42));
    // Every box lies inside its group.
    for (int box = 1; box <= kFormatBoxCount; ++box) {
        QWidget* check = page()->checkBox(box);
        EXPECT_TRUE(check->parentWidget()->rect().contains(check->geometry())) << "CheckBox" << box;
    }
}

// The preset, SID and apply rules live in the page logic; here only that
// clicks on the real buttons and boxes reach it.
TEST_F(LogFormatWindow, ClicksReachThePageLogic)
{
    openSubPage(4);
    wire();
    click(page()->button(4)); // GSV
    EXPECT_EQ(checkedBoxes(), (std::vector<int>{13, 14, 15, 16, 17}));
    click(page()->checkBox(kSidBox));
    EXPECT_FALSE(detailBoxesEnabled());
    disconnectPort();
    click(page()->SpeedButton1);
    EXPECT_EQ(onlyMessage().text, "No connecting.");
    EXPECT_EQ(wire(), "");
}

// The pipe never acknowledges the erase: its failure is told over the erase
// dialog, once, and no format goes out.
TEST_F(LogFormatWindow, AnEraseNotAcknowledgedIsToldWhileItsDialogIsUp)
{
    window->dialogTimings().eraseTick = std::chrono::milliseconds(5);
    window->dialogTimings().eraseTimeoutTicks = 2;
    openSubPage(4);
    click(page()->button(7)); // ZDA
    wire();
    bool toldOverTheDialog = false;
    dialogs.onMessage = [&](const ShownMessage&) {
        toldOverTheDialog = qobject_cast<TForm4*>(QApplication::activeModalWidget()) != nullptr;
    };
    dialogs.yesNoAnswers = {true};
    click(page()->SpeedButton1);
    EXPECT_EQ(onlyMessage().text, "Erasing fail!");
    EXPECT_EQ(onlyMessage().icon, MessageIcon::Error);
    EXPECT_TRUE(toldOverTheDialog);
    EXPECT_EQ(wire(), "$PMTK182,6,1*3E\r\n");
}
} // namespace
