// The window's start state, page switching and error report.
#include "core/app_error.h"
#include "core/version.h"
#include "app/frame_about_page.h"
#include "app/frame_criteria_page.h"
#include "app/frame_live_page.h"
#include "app/frame_log_format_page.h"
#include "app/frame_method_page.h"
#include "app/frame_nmea_output_page.h"
#include "app/frame_settings_page.h"
#include "app/frame_log_page.h"
#include "app/frame_port_page.h"
#include "app/frame_settings_menu.h"
#include "app/frame_top_bar.h"
#include "support/window_fixture.h"
#include "support/wire_tap.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace {

int VisibleCount(const std::vector<QWidget*>& widgets)
{
    int count = 0;
    for (QWidget* widget : widgets)
        count += widget->isVisibleTo(widget->parentWidget()) ? 1 : 0;
    return count;
}
} // namespace

class ShellTest : public WindowTest {
protected:
    std::vector<QWidget*> mainPages() const
    {
        return {window->Frame21, window->Frame31, window->Frame41, window->Frame51};
    }
    std::vector<QWidget*> subPages() const
    {
        return {window->Frame71, window->Frame81, window->Frame91, window->Frame101, window->Frame111};
    }
    // A pipe stands in for the port, so whatever the window sends can be read back.
    void attachPipe() { tap = std::make_unique<WireTap>(window->link()); }
    std::string drain() { return tap->take(); }
    void TearDown() override { window->link().PortHandle = DeviceLinkState::kNoPort; }
    std::unique_ptr<WireTap> tap;
};

TEST_F(ShellTest, StartsOnThePortPageNotConnectedWithTheStartButtonStates)
{
    EXPECT_EQ(window->windowTitle(), "Pemblet");
    EXPECT_EQ(window->size(), QSize(792, 572));
    EXPECT_TRUE(window->Frame21->isVisibleTo(window.get()));
    EXPECT_TRUE(window->Frame71->isVisibleTo(window->Frame21));
    EXPECT_EQ(VisibleCount(mainPages()), 1);
    EXPECT_EQ(VisibleCount(subPages()), 1);
    EXPECT_FALSE(window->Connected());
    EXPECT_TRUE(window->Frame71->SpeedButton2->isVisibleTo(window->Frame71));  // open, clickable
    EXPECT_FALSE(window->Frame71->SpeedButton1->isVisibleTo(window->Frame71)); // close hidden
    const bool expected[] = {false, false, false, false, true, true, true};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(window->Frame41->pair(i).isActive(), expected[i]) << "log page button " << i + 1;
    EXPECT_TRUE(window->link().LastSectorBlank);
    EXPECT_FALSE(window->Timer1->isActive());
    EXPECT_EQ(window->Frame51->Label1->text(), "Update:  2007/06/14");
    EXPECT_EQ(window->Frame51->Label2->text(), "Version:  2.2");
    EXPECT_EQ(window->Frame51->Label2->toolTip().toStdString(), "Drovik " + VersionText());
}

TEST_F(ShellTest, ClicksAtThePlacesOfTheLayoutReachTheirButtons)
{
    // Top bar at (16, 88): settings, live, log, about.
    const QPoint topBar[] = {{16 + 90, 120}, {16 + 300, 120}, {16 + 500, 120}, {16 + 680, 120}};
    for (int page = 0; page < 4; ++page) {
        clickAt(topBar[page]);
        EXPECT_TRUE(mainPages()[page]->isVisibleTo(window.get())) << "page " << page;
        EXPECT_EQ(VisibleCount(mainPages()), 1);
    }
    clickAt(topBar[0]);
    // Settings menu at (16 + 4, 168 + 48 + 48 k).
    for (int sub = 0; sub < 5; ++sub) {
        clickAt({16 + 80, 168 + 48 * (sub + 1) + 15});
        EXPECT_TRUE(subPages()[sub]->isVisibleTo(window->Frame21)) << "sub-page " << sub;
        EXPECT_EQ(VisibleCount(subPages()), 1);
    }
    // The selected page's own button shows its selected twin.
    EXPECT_FALSE(window->Frame11->pair(0).isActive());
    EXPECT_TRUE(window->Frame11->pair(1).isActive());
    EXPECT_FALSE(window->Frame61->pair(4).isActive());
}

TEST_F(ShellTest, ReturningToSettingsShowsTheLastSubPageWithoutANewQuery)
{
    attachPipe();
    window->Frame61SpeedButton2Click();
    EXPECT_EQ(drain(), "$PMTK414*33\r\n");
    window->Frame11SpeedButton2Click();
    window->Frame11SpeedButton1Click();
    EXPECT_TRUE(window->Frame81->isVisibleTo(window->Frame21));
    EXPECT_EQ(drain(), "");
}

TEST_F(ShellTest, SubPagesSetTheirRequestFlagsAndSendTheirQueries)
{
    attachPipe();
    window->Frame61SpeedButton3Click();
    EXPECT_EQ(drain(), "$PMTK182,2,3*38\r\n$PMTK182,2,4*3F\r\n$PMTK182,2,5*3E\r\n");
    EXPECT_TRUE(window->link().TimeIntervalRequested && window->link().DistanceIntervalRequested &&
                window->link().SpeedIntervalRequested);
    window->Frame61SpeedButton4Click();
    EXPECT_EQ(drain(), "$PMTK182,2,2*39\r\n");
    EXPECT_TRUE(window->link().LogFormatRequested);
    window->Frame61SpeedButton5Click();
    EXPECT_EQ(drain(), "$PMTK182,2,6*3D\r\n");
    EXPECT_TRUE(window->link().MethodRequested);
}

TEST_F(ShellTest, TheLogPageStartsThePollEvenWithoutAPort)
{
    window->Frame11SpeedButton3Click();
    EXPECT_TRUE(window->Frame41->isVisibleTo(window.get()));
    EXPECT_TRUE(window->Timer1->isActive());
    EXPECT_TRUE(window->link().LogPageActive);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ShellTest, WithoutAnOpenPortTheLoggerCommandsOnlyWarn)
{
    attachPipe();
    // A pipe to watch, though no port is open.
    const SerialPort::Handle pipe = std::exchange(window->link().PortHandle, DeviceLinkState::kNoPort);
    window->Frame11SpeedButton3Click();
    const std::initializer_list<QAbstractButton*> commands = {window->Frame41->SpeedButton3,
                                                              window->Frame41->SpeedButton4, window->Frame41->Button1};
    for (QAbstractButton* command : commands)
        command->click();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    for (const auto& message : dialogs.messages) {
        EXPECT_EQ(message.text, "No connecting.");
        EXPECT_EQ(message.caption, "Warning");
    }
    EXPECT_TRUE(dialogs.questions.empty());
    window->link().PortHandle = pipe;
    EXPECT_EQ(drain(), "");
}

TEST_F(ShellTest, AnErrorEscapingAHandlerIsReportedAndTheWindowGoesOn)
{
    window->guarded([] { throw AppError("Com Port Error!"); });
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Com Port Error!");
    EXPECT_EQ(dialogs.messages[0].caption, "Pemblet");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    window->Frame11SpeedButton4Click();
    EXPECT_TRUE(window->Frame51->isVisibleTo(window.get()));
}
