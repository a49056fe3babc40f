// The port page against the simulated logger on a real pseudo-terminal.
#include "app/frame_live_page.h"
#include "link/sentences.h"
#include "e2e_window/sim_window_fixture.h"

#include <QPlainTextEdit>

#include <algorithm>
#include <filesystem>

using simharness::SimProcess;

class PortPageTest : public SimWindowTest {
protected:
    void SetUp() override
    {
        SimWindowTest::SetUp();
        startSim({"--no-nmea"});
    }
};

TEST_F(PortPageTest, OpeningSendsExactlyTheStatusAndFlashQueries)
{
    // Left by a logger on an earlier connection.
    window->link().Erasing = true;
    window->link().DownloadEndKnown = true;
    choosePort("Com5");
    openPort();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.lastText();
    EXPECT_TRUE(window->Connected());
    EXPECT_FALSE(window->link().Erasing);
    EXPECT_FALSE(window->link().DownloadEndKnown);
    EXPECT_EQ(window->Frame71->Shape1->fillColour(), QColor(0, 128, 0));
    EXPECT_TRUE(window->Frame31->isVisibleTo(window.get()));
    // A second open while the port is open does nothing.
    const auto handle = window->link().PortHandle;
    openPort();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText();
    EXPECT_EQ(window->link().PortHandle, handle);
    // A later sentence of our own: whatever the open sent arrived before it.
    SendSentence(window->link(), Sentences::QueryNmeaPeriods);
    ASSERT_TRUE(sim->waitForLine("$PMTK414*33"));
    auto lines = sim->receivedLines();
    lines.erase(std::find(lines.begin(), lines.end(), "$PMTK414*33"), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"$PMTK182,2,7*3C", "$PMTK182,2,9,9F*61"}));
}

TEST_F(PortPageTest, EveryFailureOfTheOpenSaysWhatWentWrong)
{
    std::filesystem::create_symlink("/nonexistent/tty", sim->portDirectory() / "Com7");
    struct Case {
        QString port, text;
        QColor shape;
    };
    const QColor white(255, 255, 255), red(255, 0, 0);
    const Case cases[] = {{"Port5", "Com Port Error!", white}, {"COM7", "Open ComPort failed.", red}};
    for (const Case& c : cases) {
        dialogs.messages.clear();
        window->Frame71->Shape1->setFillColour(white);
        choosePort(c.port);
        openPort();
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.text.toStdString();
        EXPECT_EQ(dialogs.messages[0].text, c.text.toStdString());
        EXPECT_EQ(dialogs.messages[0].caption, "Pemblet");
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(window->Frame71->Shape1->fillColour(), c.shape) << c.text.toStdString();
        EXPECT_FALSE(window->Connected());
    }
    dialogs.messages.clear();
    window->Frame71->ComboBox1->clear();
    openPort();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "No device is connected to com port!");
    EXPECT_EQ(dialogs.messages[0].caption, "Error");
}

TEST_F(PortPageTest, TheScanListsTheSimulator)
{
    window->Frame71Button1Click();
    QStringList found;
    for (int i = 0; i < window->Frame71->ComboBox1->count(); ++i)
        found << window->Frame71->ComboBox1->itemText(i);
    EXPECT_TRUE(found.contains("Com5")) << found.join(",").toStdString();
    EXPECT_EQ(window->Frame71->ComboBox1->currentText(), found.value(0));
}

TEST_F(PortPageTest, AScanWhileConnectedOnlyWarns)
{
    choosePort("Com5");
    openPort();
    const int items = window->Frame71->ComboBox1->count();
    window->Frame71Button1Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Before scanning, please disconnect first.");
    EXPECT_EQ(dialogs.messages[0].caption, "Warning");
    EXPECT_EQ(window->Frame71->ComboBox1->count(), items);
}

TEST_F(PortPageTest, ClosingStopsTheReaderAndFreesThePort)
{
    choosePort("Com5");
    openPort();
    ASSERT_TRUE(window->Connected());
    window->Frame71SpeedButton1Click();
    EXPECT_FALSE(window->Connected());
    EXPECT_EQ(window->link().PortHandle, DeviceLinkState::kNoPort);
    EXPECT_EQ(window->Frame71->Shape1->fillColour(), QColor(255, 255, 255));
    // The exclusive hold is gone: the port opens again at once.
    openPort();
    EXPECT_TRUE(window->Connected()) << dialogs.lastText();
}

// The live page is up and the logger talks when its cable is pulled: the port
// closes as the close button closes it, with one warning, and lets go of the device.
TEST_F(PortPageTest, UnpluggingTheLoggerClosesThePortWithOneWarning)
{
    SimProcess talking({"--link", "Com8"}, sim->portDirectory());
    choosePort("Com8");
    openPort();
    ASSERT_TRUE(window->Connected());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Frame31->Memo1->toPlainText().isEmpty(); }, 5000));
    ASSERT_EQ(descriptorsOn(talking.slavePath()), 1);
    talking.unplug();

    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.messages.empty(); }, 5000));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Lost the logger on Com8: it was unplugged or switched off.");
    EXPECT_EQ(dialogs.messages[0].caption, "Warning");
    EXPECT_FALSE(window->Connected());
    EXPECT_EQ(window->link().PortHandle, DeviceLinkState::kNoPort);
    EXPECT_EQ(window->Frame71->Shape1->fillColour(), QColor(255, 255, 255));
    EXPECT_FALSE(window->Frame31->restartPair(0).clickable->isVisibleTo(window->Frame31));
    EXPECT_EQ(descriptorsOn(talking.slavePath()), 0);
}

TEST_F(PortPageTest, ClosingTheWindowWhileTheLoggerTalksEndsCleanly)
{
    SimProcess talking({"--link", "Com8"}, sim->portDirectory());
    choosePort("Com8");
    openPort();
    ASSERT_TRUE(window->Connected());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Frame31->Memo1->blockCount() >= 10; }, 5000));
    window->close();
    window.reset();
    EXPECT_EQ(descriptorsOn(talking.slavePath()), 0);
}
