// The logger's replies reaching the window: which widget each reply view
// call fills, the status poll's timer and the hand-over to a download. The
// reply rules themselves are tested with the reply handlers.
#include "app/frame_criteria_page.h"
#include "app/frame_log_format_page.h"
#include "app/frame_log_page.h"
#include "app/frame_method_page.h"
#include "app/frame_nmea_output_page.h"
#include "app/live_window_support.h"
#include "app/pages_window_fixture.h"
#include "link/download_receiver.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {
class LiveRepliesTest : public PagesWindowTest {
protected:
    TFrame4& logPage() const { return *window->Frame41; }
    QString label(QLabel* label) const { return label->text(); }
};

TEST_F(LiveRepliesTest, StatusRepliesFillTheLogPage)
{
    window->Frame11SpeedButton3Click();
    Feed(*window, "$PMTK182,3,7,6");
    EXPECT_EQ(label(logPage().Label6), "Log started.");
    EXPECT_EQ(label(logPage().Label11), "Stop.");
    EXPECT_FALSE(logPage().pair(0).isActive()); // start inactive while logging
    EXPECT_TRUE(logPage().pair(1).isActive());
    EXPECT_FALSE(logPage().Button1->isVisible());

    Feed(*window, "$PMTK182,3,7,1024");
    EXPECT_EQ(label(logPage().Label6), "Logger error!!");
    EXPECT_EQ(label(logPage().Label11), "Overwrite.");
    EXPECT_TRUE(logPage().pair(0).isActive());
    EXPECT_FALSE(logPage().pair(1).isActive());
    EXPECT_TRUE(logPage().Button1->isVisible());
}

TEST_F(LiveRepliesTest, CriteriaCountAndMemoryUsedOnTheLogPage)
{
    window->Frame11SpeedButton3Click();
    Feed(*window, "$PMTK182,3,9,C22015C2");
    Feed(*window, "$PMTK182,3,7,4");
    Feed(*window, "$PMTK182,3,3,15");
    Feed(*window, "$PMTK182,3,4,100");
    Feed(*window, "$PMTK182,3,5,0");
    Feed(*window, "$PMTK182,3,10,1F4");
    Feed(*window, "$PMTK182,3,8,12345");
    EXPECT_EQ(label(logPage().Label7), "1 second (s)");
    EXPECT_EQ(label(logPage().Label8), "10 meter (s)");
    EXPECT_EQ(label(logPage().Label9), "0 km/h");
    EXPECT_EQ(label(logPage().Label13), "500");
    EXPECT_EQ(logPage().CGauge1->value(), 3);
}

TEST_F(LiveRepliesTest, SubPagesAreFilledOnlyByTheFirstReplyAfterOpening)
{
    openSubPage(3);
    Feed(*window, "$PMTK182,3,3,0");
    Feed(*window, "$PMTK182,3,4,200");
    EXPECT_FALSE(window->Frame91->CheckBox1->isChecked());
    EXPECT_EQ(window->Frame91->Edit1->text(), "10");
    EXPECT_TRUE(window->Frame91->CheckBox2->isChecked());
    EXPECT_EQ(window->Frame91->Edit2->text(), "20");

    openSubPage(4);
    Feed(*window, "$PMTK182,3,2,00042000");
    EXPECT_TRUE(window->Frame101->checkBox(14)->isChecked());
    EXPECT_TRUE(window->Frame101->checkBox(20)->isChecked()); // bit 18: milliseconds
    EXPECT_FALSE(window->Frame101->checkBox(19)->isChecked());
    EXPECT_FALSE(window->Frame101->checkBox(1)->isChecked());

    openSubPage(5);
    Feed(*window, "$PMTK182,3,6,1");
    EXPECT_TRUE(window->Frame111->SpeedButton3->isVisible());
    EXPECT_TRUE(window->Frame111->SpeedButton2->isVisible());
    EXPECT_FALSE(window->Frame111->SpeedButton1->isVisible());
    EXPECT_FALSE(window->Frame111->SpeedButton4->isVisible());

    openSubPage(2);
    Feed(*window, "$PMTK514,2,1,0,10,1,1,0,0,0,0,0,0,0,0,0,0,0,5,0");
    EXPECT_EQ(window->Frame81->cSpinEdit(1)->value(), 5); // GGA 10 held to the spin edit's limit
    EXPECT_TRUE(window->Frame81->checkBox(2)->isChecked());
    EXPECT_EQ(window->Frame81->cSpinEdit(2)->value(), 2);
    EXPECT_FALSE(window->Frame81->checkBox(6)->isChecked());
    EXPECT_EQ(window->Frame81->cSpinEdit(7)->value(), 5);
}

TEST_F(LiveRepliesTest, StatusPollRunsWhileTheLogPageShows)
{
    window->link().LastSectorBlank = false;
    window->Frame11SpeedButton3Click();
    EXPECT_TRUE(window->Timer1->isActive());
    wire();

    window->Timer1Timer();
    EXPECT_EQ(wire(), "$PMTK182,2,7*3C\r\n$PMTK182,2,8*33\r\n$PMTK182,2,10*0A\r\n");

    window->Frame11SpeedButton2Click();
    window->Timer1Timer();
    EXPECT_FALSE(window->Timer1->isActive());
    EXPECT_FALSE(window->link().LogPageActive);
    EXPECT_EQ(wire(), "");

    window->Frame11SpeedButton3Click();
    EXPECT_TRUE(window->Timer1->isActive());
    EXPECT_TRUE(window->link().LogPageActive);
}

class CountingDownload : public DownloadReceiver {
public:
    int replies = 0;
    int acknowledgements = 0;
    void onMemoryData(const IncomingSentence&) override { ++replies; }
    void DownloadNextChunk() override { ++acknowledgements; }
};

TEST_F(LiveRepliesTest, MemoryDataAndAcknowledgementsReachTheAttachedDownload)
{
    CountingDownload download;
    window->attachDownload(&download);
    window->link().Downloading = true;
    window->link().LastSectorBlank = true;
    for (const char* body : {"$PMTK182,8,00000000,FFFF", "$PMTK182,8,00000800,0000", "$PMTK001,182,7,3"}) {
        IncomingSentence sentence;
        sentence.SentenceText = AppendChecksum(std::string(body) + "*");
        SplitFields(sentence);
        HandleMtkSentence(sentence, *window);
    }
    EXPECT_EQ(download.replies, 2);
    EXPECT_EQ(download.acknowledgements, 1);
    EXPECT_TRUE(window->link().LastSectorBlank);
    window->attachDownload(nullptr);
    window->link().Downloading = false;
}

} // namespace
