// The window's download and erase against drovik-sim over a real
// pseudo-terminal, with the dialogs' timings shortened.
#include "e2e/download_support.h"
#include "e2e_window/sim_window_fixture.h"

#include "app/frame_log_page.h"
#include "logger/widgets/download_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace download_e2e;
using namespace simharness;
using namespace std::chrono_literals;

namespace {
class DownloadWindowTest : public SimWindowTest {
protected:
    void SetUp() override
    {
        SimWindowTest::SetUp();
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(folder.path().toStdString());
        window->dialogTimings().downloadTick = 20ms;
        window->dialogTimings().downloadTimeout = 60s;
        window->dialogTimings().eraseTick = 10ms;
        window->dialogTimings().eraseTimeoutTicks = 300; // three seconds: room for a loaded machine
    }
    void TearDown() override
    {
        SimWindowTest::TearDown();
        std::filesystem::current_path(previousDirectory);
    }
    // Opens the log page and waits until the poll has told how much to fetch.
    void openLogPage(std::uint32_t expectedDownloadEnd)
    {
        window->guarded([this] { window->Frame11SpeedButton3Click(); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->link().DownloadEnd == expectedDownloadEnd; }, 10000))
            << window->link().DownloadEnd;
    }
    // Clicks Cancel once the download dialog is up and `ready` holds.
    void cancelWhen(std::function<bool()> ready)
    {
        canceller.setInterval(2);
        QObject::connect(&canceller, &QTimer::timeout, [this, ready] {
            auto* dialog = qobject_cast<TForm2*>(QApplication::activeModalWidget());
            if (dialog && ready())
                dialog->Button1->click();
        });
        canceller.start();
    }
    std::filesystem::path previousDirectory;
    QTimer canceller;
};

const std::vector<std::uint8_t> kOlderImage{1, 2, 3};

void WriteOlderImage()
{
    std::ofstream("data.bin", std::ios::binary).write(reinterpret_cast<const char*>(kOlderImage.data()), 3);
}

// One lost acknowledgement on the way: that chunk is asked for again after
// the silence limit of the open port's rate, whatever the box says by then.
TEST_F(DownloadWindowTest, WholeMemoryArrivesDespiteALostAcknowledgementAndIsDecodedIntoTheTable)
{
    const SampleMemory sample(32, kFullMemory);
    TempFile image(sample.image);
    // Acknowledgements: the last-sector probe's, chunk 0's, then chunk 1's is lost.
    ASSERT_NO_FATAL_FAILURE(connectSim({"--image", image.path(), "--drop-ack", "3"}));
    ASSERT_NO_FATAL_FAILURE(openLogPage(kFullMemory));
    window->Frame71->ComboBox2->setEditText("300");

    window->Frame41->SpeedButton3->click();

    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText();
    EXPECT_FALSE(window->link().Downloading);
    EXPECT_EQ(FileBytes("data.bin"), sample.memory);
    EXPECT_EQ(RowsOf(window->trackTable()), DecodedRows(sample.image));
    std::map<std::uint32_t, int> expected;
    for (std::uint32_t address = 0; address < kFullMemory; address += kChunk)
        expected[address] = address == kChunk ? 2 : 1;
    EXPECT_EQ(RequestCounts(*sim), expected);
    // Logging was stopped before the first read.
    const auto lines = sim->receivedLines();
    const auto stop = std::find(lines.begin(), lines.end(), "$PMTK182,5*20");
    const auto firstRead = std::find(lines.begin(), lines.end(), "$PMTK182,7,00000000,00010000*23");
    EXPECT_LT(stop, firstRead);
    EXPECT_NE(firstRead, lines.end());
}

// An M-1000C that does not report its memory use: the model, asked once per
// connection, decides the dialect, the memory is read until a blank chunk,
// and the dialog says both.
TEST_F(DownloadWindowTest, AHoluxModelDecidesTheDialectAndAMemoryNotReportedIsReadUntilBlank)
{
    const std::vector<std::uint8_t> image = HoluxImage(LogDialect::M1000C, 1000);
    ASSERT_NO_FATAL_FAILURE(
        connectSim({"--no-nmea", "--dialect", "m1000c", "--refuse-status", "--records", "1000", "--baud", "3000000"}));
    window->guarded([this] { window->Frame11SpeedButton3Click(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->link().QueryRefusals > 0; }, 10000));
    std::string note;
    cancelWhen([&] {
        auto* dialog = qobject_cast<TForm2*>(QApplication::activeModalWidget());
        if (note.empty())
            note = dialog->Label2->text().toStdString();
        return false;
    });

    window->Frame41->SpeedButton3->click();
    window->Frame41->SpeedButton3->click();

    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText();
    EXPECT_EQ(note, "Logger: Holux M-1000C; no memory report: reading to a blank chunk.");
    EXPECT_EQ(FileBytes("data.bin"), image);
    EXPECT_EQ(RowsOf(window->trackTable()), DecodedRows(image, LogDialect::M1000C));
    EXPECT_EQ(window->trackTable().usedRowCount(), 1001);
    EXPECT_EQ(ChunkRequests(*sim), (std::vector<std::uint32_t>{0, kChunk, 2 * kChunk, 0, kChunk, 2 * kChunk}));
    const auto lines = sim->receivedLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "$PMTK605*31"), 1);
}

TEST_F(DownloadWindowTest, ReuseIsAskedOnceAndThenOnlyTheRestIsFetched)
{
    const SampleMemory sample(4, kFullMemory); // what the simulator generates by default
    const std::vector<std::uint8_t>& memory = sample.image;
    std::ofstream("data.bin", std::ios::binary).write(reinterpret_cast<const char*>(memory.data()), 2 * kChunk);
    ASSERT_NO_FATAL_FAILURE(connectSim({"--no-nmea"}));
    ASSERT_NO_FATAL_FAILURE(openLogPage(4 * kChunk));
    dialogs.yesNoAnswers = {true};

    window->Frame41->SpeedButton3->click();
    window->Frame41->SpeedButton3->click();

    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].rfind("Confirm: Reuse up to 65536 bytes", 0), 0u) << dialogs.questions[0];
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText();
    EXPECT_EQ(FileBytes("data.bin"), memory);
    // The second download kept all but the chunk that held the end.
    EXPECT_EQ(ChunkRequests(*sim), (std::vector<std::uint32_t>{kChunk, 2 * kChunk, 3 * kChunk, 3 * kChunk}));
}

TEST_F(DownloadWindowTest, CancelKeepsOnlyWholeVerifiedChunksAndLeavesTheMemoryFiguresAlone)
{
    // Half of a 4 MiB memory written, so the last sector is blank.
    const SampleMemory sample(32, kFullMemory);
    TempFile image(sample.image);
    ASSERT_NO_FATAL_FAILURE(connectSim({"--image", image.path(), "--memory", "4M", "--no-nmea"}));
    ASSERT_NO_FATAL_FAILURE(openLogPage(kFullMemory));

    cancelWhen([] {
        std::error_code ignored;
        return std::filesystem::file_size("data.bin.part", ignored) >= 3 * kChunk;
    });
    window->Frame41->SpeedButton3->click();
    canceller.stop();

    const auto saved = FileBytes("data.bin");
    ASSERT_GE(saved.size(), 3 * kChunk);
    ASSERT_LT(saved.size(), kFullMemory);
    EXPECT_EQ(saved.size() % kChunk, 0u);
    EXPECT_TRUE(std::equal(saved.begin(), saved.end(), sample.memory.begin()));
    EXPECT_EQ(RowsOf(window->trackTable()), DecodedRows(saved));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Warning");
    EXPECT_NE(dialogs.lastText().find(std::to_string(saved.size()) + " of 2097152 bytes"), std::string::npos)
        << dialogs.lastText();

    // No request follows the cancel, up to the poll's next query; at most the
    // chunk in flight was asked for.
    const auto requests = ChunkRequests(*sim);
    const std::size_t linesAtCancel = sim->receivedLines().size();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const auto lines = sim->receivedLines();
            return lines.size() > linesAtCancel &&
                   std::find(lines.begin() + linesAtCancel, lines.end(), "$PMTK182,2,10*0A") != lines.end();
        },
        5000));
    EXPECT_EQ(ChunkRequests(*sim), requests);
    EXPECT_LE(requests.back(), saved.size());
    // The rest of that chunk is not taken for the last sector's contents.
    EXPECT_TRUE(window->link().LastSectorBlank);
    EXPECT_EQ(window->link().DownloadEnd, kFullMemory);
}

TEST_F(DownloadWindowTest, CancelBeforeAnyChunkLeavesDataBinAsItWas)
{
    ASSERT_NO_FATAL_FAILURE(connectSim({"--baud", "115200", "--no-nmea"}));
    ASSERT_NO_FATAL_FAILURE(openLogPage(4 * kChunk));
    WriteOlderImage();

    cancelWhen([] { return true; });
    window->Frame41->SpeedButton3->click();
    canceller.stop();

    EXPECT_EQ(FileBytes("data.bin"), kOlderImage);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Download incomplete: nothing arrived; data.bin is unchanged.");
}

// The cable is pulled after two chunks: the dialog closes at once, the image
// already there is not touched, the verified chunks wait in its part file and
// show in the table, and the port closes as the close button closes it.
TEST_F(DownloadWindowTest, UnpluggedDuringADownloadKeepsTheChunksAndClosesThePort)
{
    const SampleMemory sample(4, 4 * kChunk); // what the simulator generates by default
    ASSERT_NO_FATAL_FAILURE(connectSim({"--baud", "460800", "--no-nmea"}));
    ASSERT_NO_FATAL_FAILURE(openLogPage(4 * kChunk));
    WriteOlderImage();
    QTimer puller;
    puller.setInterval(2);
    QObject::connect(&puller, &QTimer::timeout, [&] {
        if (HoldsAtLeast("data.bin.part", 2 * kChunk)) {
            sim->unplug();
            puller.stop();
        }
    });
    puller.start();

    window->Frame41->SpeedButton3->click();

    EXPECT_EQ(FileBytes("data.bin"), kOlderImage);
    const auto kept = FileBytes("data.bin.part");
    ASSERT_GE(kept.size(), 2 * kChunk);
    EXPECT_EQ(kept.size() % kChunk, 0u);
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), sample.memory.begin()));
    EXPECT_EQ(RowsOf(window->trackTable()), DecodedRows(kept));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.messages.size() >= 2; }, 5000)) << dialogs.lastText();
    EXPECT_EQ(dialogs.messages[0].text, "Download incomplete: " + std::to_string(kept.size()) +
                                            " of 262144 bytes are in data.bin.part; data.bin is unchanged; the next "
                                            "download resumes from them.");
    EXPECT_EQ(dialogs.messages[1].text, "Lost the logger on Com5: it was unplugged or switched off.");
    EXPECT_FALSE(window->Connected());
    EXPECT_EQ(descriptorsOn(sim->slavePath()), 0);
}

TEST_F(DownloadWindowTest, AnEmptyLoggerHasNothingToDownload)
{
    ASSERT_NO_FATAL_FAILURE(connectSim({"--generate", "0", "--no-nmea"}));
    // Pressed at once: the download waits for the poll's first report.
    window->guarded([this] { window->Frame11SpeedButton3Click(); });
    window->Frame41->SpeedButton3->click();

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "There is no log data to download.");
    EXPECT_EQ(dialogs.messages[0].caption, "Warning");
    EXPECT_TRUE(ChunkRequests(*sim).empty());
}

TEST_F(DownloadWindowTest, AcknowledgedEraseClosesTheDialogQuietly)
{
    ASSERT_NO_FATAL_FAILURE(connectSim({"--erase-delay", "100"}));
    dialogs.yesNoAnswers = {true};

    window->Frame41->SpeedButton4->click();

    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText();
    EXPECT_FALSE(window->link().Erasing);
    EXPECT_TRUE(window->link().LastSectorBlank);
    EXPECT_TRUE(sim->waitForState("erases", "1"));
}

TEST_F(DownloadWindowTest, ResetSendsResetThenEraseWithoutAsking)
{
    ASSERT_NO_FATAL_FAILURE(connectSim({"--fault", "--erase-delay", "50", "--no-nmea"}));
    ASSERT_TRUE(sim->waitForState("fault", "1"));
    window->guarded([this] { window->Frame41Button1Click(); });

    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(window->Frame41->Button1->isVisible());
    ASSERT_TRUE(sim->waitForLine("$PMTK182,6,1*3E"));
    const auto lines = sim->receivedLines();
    const auto reset = std::find(lines.begin(), lines.end(), "$PMTK182,9*2C");
    EXPECT_LT(reset, std::find(lines.begin(), lines.end(), "$PMTK182,6,1*3E"));
    EXPECT_TRUE(sim->waitForState("erases", "1"));
    EXPECT_TRUE(sim->waitForState("fault", "0")) << "the reset clears the logger's fault";
}
} // namespace
