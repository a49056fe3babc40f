// The recording-method sub-page in the window.
#include "app/frame_method_page.h"
#include "app/pages_window_fixture.h"

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
    EXPECT_EQ(page()->GroupBox1->title(), "Recording Method");
    EXPECT_EQ(page()->GroupBox1->geometry(), QRect(24, 56, 313, 129));
    EXPECT_EQ(page()->GroupBox1->palette().color(QPalette::Window), QColor(240, 229, 225));
    EXPECT_EQ(page()->SpeedButton1->geometry(), QRect(16, 24, 280, 42));
    EXPECT_EQ(page()->SpeedButton4->geometry(), QRect(16, 72, 280, 42));
    EXPECT_FALSE(shown(page()->SpeedButton1) || shown(page()->SpeedButton2));
    EXPECT_TRUE(shown(page()->SpeedButton3) && shown(page()->SpeedButton4));
}
} // namespace
