// The recording-method sub-page and the restart buttons in the window.
#include "app/frame_live_page.h"
#include "app/frame_method_page.h"
#include "app/pages_window_fixture.h"
#include "link/sentences.h"

#include <QGroupBox>

namespace {
class MethodWindow : public PagesWindowTest {
protected:
    void SetUp() override
    {
        PagesWindowTest::SetUp();
        openSubPage(5);
    }
    TFrame11* page() const { return window->Frame111; }
    bool shown(QWidget* button) const { return button->isVisibleTo(page()); }
};

TEST_F(MethodWindow, StartsWithBothMethodsInTheirSelectedLook)
{
    EXPECT_EQ(wire(), "$PMTK182,2,6*3D\r\n");
    EXPECT_TRUE(window->link().MethodRequested);
    EXPECT_EQ(page()->GroupBox1->title(), "Recording Method");
    EXPECT_EQ(page()->GroupBox1->geometry(), QRect(24, 56, 313, 129));
    EXPECT_EQ(page()->GroupBox1->palette().color(QPalette::Window), QColor(240, 229, 225));
    EXPECT_EQ(page()->SpeedButton1->geometry(), QRect(16, 24, 280, 42));
    EXPECT_EQ(page()->SpeedButton4->geometry(), QRect(16, 72, 280, 42));
    EXPECT_FALSE(shown(page()->SpeedButton1) || shown(page()->SpeedButton2));
    EXPECT_TRUE(shown(page()->SpeedButton3) && shown(page()->SpeedButton4));
}

TEST_F(MethodWindow, ChoosingStopThenOverwrite)
{
    window->SetMethodButtons(true, true);
    window->link().MemorySize = 0x200000;
    wire();
    click(page()->SpeedButton2);
    EXPECT_EQ(wire(), "$PMTK182,1,6,2*20\r\n");
    EXPECT_EQ(onlyMessage().text, "'Stop' is set.");
    EXPECT_TRUE(shown(page()->SpeedButton1) && shown(page()->SpeedButton4));
    EXPECT_FALSE(shown(page()->SpeedButton2) || shown(page()->SpeedButton3));

    dialogs.messages.clear();
    click(page()->SpeedButton1);
    EXPECT_EQ(wire(), "$PMTK182,1,6,1*23\r\n" + AppendChecksum("$PMTK182,7,001F0000,2*"));
    EXPECT_EQ(onlyMessage().text, "'Overwrite' is set.");
    EXPECT_TRUE(shown(page()->SpeedButton3) && shown(page()->SpeedButton2));
}
} // namespace
