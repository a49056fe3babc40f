// The reader thread over a pseudo-terminal, handing over to a stand-in for
// the window's thread.
#include "link/port_open.h"
#include "link/receive_thread.h"
#include "link/serial_port.h"

#include "link/main_thread_queue.h"
#include "link/port_directory.h"
#include "testbed/pseudo_terminal.h"
#include "link/recording_handlers.h"

#include <unistd.h>

#include <atomic>

namespace {
using Calls = std::vector<std::string>;

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
const std::string kAck = "$PMTK001,182,7,3*20\r\n";
const std::string kZda = "$GPZDA,201530.00,04,07,2002,00,00*60\r\n";
const std::string kGsv = "$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74\r\n";

class ReceiveThreadTest : public PortDirectoryTest {
protected:
    void SetUp() override
    {
        PortDirectoryTest::SetUp();
        link("Com3", line_.devicePath());
        const auto opened = OpenPortSteps("Com3", "115200");
        ASSERT_TRUE(opened.succeeded()) << opened.device;
        fd_ = opened.handle;
        reader_ = std::make_unique<Thread1>(fd_, link_, handlers_, queue_.runner(), [this] { ++lossReports_; });
        reader_->start();
    }

    void TearDown() override
    {
        stopReader();
        SerialPort::Close(fd_);
        PortDirectoryTest::TearDown();
    }

    // As the window closes the port: stop, keep serving until the reader is done.
    void stopReader()
    {
        reader_->requestStop();
        EXPECT_TRUE(queue_.serveUntil([&] { return reader_->isFinished(); }));
        reader_->wait();
    }

    bool serveUntilCalls(std::size_t count)
    {
        return queue_.serveUntil([&] { return handlers_.calls.size() >= count; });
    }

    PseudoTerminal line_;
    int fd_ = -1;
    DeviceLinkState link_;
    RecordingHandlers handlers_;
    MainThreadQueue queue_;
    std::unique_ptr<Thread1> reader_;
    std::atomic<int> lossReports_{0};
};

TEST_F(ReceiveThreadTest, HandsOverEverySentenceOfOneDelivery)
{
    line_.send(kGga + kAck + kZda);
    ASSERT_TRUE(serveUntilCalls(5));
    EXPECT_EQ(handlers_.calls, (Calls{"OnGga GPGGA", "RefreshLiveView GPGGA", "HandleAck PMTK001",
                                      "RefreshLiveView PMTK001", "RefreshLiveView GPZDA"}));
}

// On a pipe, unlike a terminal, what was written is queued at once: once the
// pipe is empty again the reader has taken the piece, so each piece is a read of its own.
TEST_F(ReceiveThreadTest, JoinsASentenceSentInPieces)
{
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    Thread1 reader(pipeEnds[0], link_, handlers_, queue_.runner());
    reader.start();
    for (std::size_t at = 0; at < kGga.size(); at += 7) {
        const std::string piece = kGga.substr(at, 7);
        ASSERT_EQ(write(pipeEnds[1], piece.data(), piece.size()), static_cast<ssize_t>(piece.size()));
        ASSERT_TRUE(queue_.serveUntil([&] { return SerialPort::QueuedInputBytes(pipeEnds[0]) == 0; }));
    }
    ASSERT_TRUE(serveUntilCalls(2));
    EXPECT_EQ(handlers_.sentenceTexts.front(), kGga);
    reader.requestStop();
    EXPECT_TRUE(queue_.serveUntil([&] { return reader.isFinished(); }));
    reader.wait();
    close(pipeEnds[0]);
    close(pipeEnds[1]);
}

TEST_F(ReceiveThreadTest, ModeIsReadAfreshForEachSentence)
{
    line_.send(kAck);
    ASSERT_TRUE(serveUntilCalls(2));
    link_.Downloading = true;
    line_.send(kGsv + kAck);
    ASSERT_TRUE(serveUntilCalls(3));
    link_.Downloading = false;
    line_.send(kGsv);
    ASSERT_TRUE(serveUntilCalls(5));
    EXPECT_EQ(handlers_.calls, (Calls{"HandleAck PMTK001", "RefreshLiveView PMTK001", "HandleAck PMTK001",
                                      "OnGsv GPGSV", "RefreshLiveView GPGSV"}));
}

TEST_F(ReceiveThreadTest, StopsWhileIdle)
{
    stopReader();
    EXPECT_TRUE(reader_->isFinished());
}

TEST_F(ReceiveThreadTest, StopRequestedDuringAHandOverEndsBeforeTheNextSentence)
{
    line_.send(kAck + kZda);
    ASSERT_TRUE(queue_.awaitQueued(1));
    reader_->requestStop();
    ASSERT_TRUE(queue_.serveUntil([&] { return reader_->isFinished(); }));
    EXPECT_EQ(handlers_.calls, (Calls{"HandleAck PMTK001", "RefreshLiveView PMTK001"}));
}

TEST_F(ReceiveThreadTest, AbandonedHandOverEndsTheReader)
{
    line_.send(kAck);
    ASSERT_TRUE(queue_.awaitQueued(1));
    queue_.abandon();
    ASSERT_TRUE(queue_.serveUntil([&] { return reader_->isFinished(); }));
    EXPECT_TRUE(handlers_.calls.empty());
}

// A pulled cable: the reader ends by itself and says so once; a reader asked
// to stop says nothing.
TEST_F(ReceiveThreadTest, EndsAndSaysSoWhenTheDeviceGoes)
{
    line_.send(kAck);
    ASSERT_TRUE(serveUntilCalls(2));
    line_.closeMaster();
    ASSERT_TRUE(queue_.serveUntil([&] { return reader_->isFinished(); }));
    EXPECT_EQ(lossReports_, 1);
    stopReader();
    EXPECT_EQ(lossReports_, 1);
}

TEST_F(ReceiveThreadTest, AStoppedReaderReportsNoLoss)
{
    stopReader();
    line_.closeMaster();
    EXPECT_EQ(lossReports_, 0);
}

TEST(Thread1, NeverStartedCountsAsFinished)
{
    DeviceLinkState link;
    RecordingHandlers handlers;
    Thread1 reader(-1, link, handlers, [](std::function<void()>) { return true; });
    EXPECT_TRUE(reader.isFinished());
    reader.wait();
}
} // namespace
