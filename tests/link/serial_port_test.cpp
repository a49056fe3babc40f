// The serial line calls, over a pseudo-terminal.
#include "link/custom_baud_rate.h"
#include "link/sentences.h"
#include "link/serial_port.h"

#include "testbed/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>

namespace {
bool WaitForQueuedBytes(int fd, int count)
{
    for (int i = 0; i < 500; ++i) {
        if (SerialPort::QueuedInputBytes(fd) >= count)
            return true;
        pollfd input{fd, POLLIN, 0};
        poll(&input, 1, 10);
    }
    return false;
}

struct OpenPort {
    explicit OpenPort(const std::string& path) : fd(SerialPort::Open(path)) {}
    ~OpenPort() { SerialPort::Close(fd); }
    int fd;
};

TEST(SerialPort, OpensAPortForThisProgramAlone)
{
    PseudoTerminal line;
    {
        OpenPort first(line.devicePath());
        ASSERT_GE(first.fd, 0);
        OpenPort second(line.devicePath());
        EXPECT_LT(second.fd, 0);
    }
    OpenPort again(line.devicePath());
    EXPECT_GE(again.fd, 0) << "closing must give the port back";
}

TEST(SerialPort, RefusesAPortHeldExclusivelyBySomeoneElse)
{
    PseudoTerminal line;
    const int other = ::open(line.devicePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(ioctl(other, TIOCEXCL), 0);
    OpenPort port(line.devicePath());
    EXPECT_LT(port.fd, 0);
    ::close(other);
}

TEST(SerialPort, RefusesMissingDevices)
{
    EXPECT_LT(SerialPort::Open("/nonexistent/ttyUSB0"), 0);
}

TEST(SerialPort, SetsRaw8N1AtAnyRateTheDriverTakes)
{
    PseudoTerminal line;
    for (int baudRate : {4800, 57600, 115200, 14400, 250000}) {
        OpenPort port(line.devicePath());
        ASSERT_GE(port.fd, 0);
        SerialPort::SetTimeouts(port.fd);
        const auto read = SerialPort::GetLineSettings(port.fd);
        ASSERT_TRUE(read);
        ASSERT_TRUE(SerialPort::SetLineSettings(port.fd, *read, baudRate)) << baudRate;

        EXPECT_EQ(ReadBaudRate(port.fd), baudRate);
        termios now{};
        ASSERT_EQ(tcgetattr(port.fd, &now), 0);
        EXPECT_EQ(now.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(now.c_cflag & (PARENB | CSTOPB), 0u);
        EXPECT_EQ(now.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(now.c_iflag & (ICRNL | IXON | ISTRIP), 0u);
        EXPECT_EQ(now.c_oflag & OPOST, 0u);
        EXPECT_EQ(now.c_cc[VMIN], 0) << "time-outs survive the line settings";
        EXPECT_EQ(now.c_cc[VTIME], 5);
    }
}

TEST(SerialPort, RefusesRatesThatAreNoRate)
{
    PseudoTerminal line;
    OpenPort port(line.devicePath());
    const auto read = SerialPort::GetLineSettings(port.fd);
    ASSERT_TRUE(read);
    EXPECT_FALSE(SerialPort::SetLineSettings(port.fd, *read, 0));
    EXPECT_FALSE(SerialPort::SetLineSettings(port.fd, *read, -9600));
}

TEST(SerialPort, QueueSizesNeedATerminal)
{
    PseudoTerminal line;
    OpenPort port(line.devicePath());
    EXPECT_TRUE(SerialPort::SetQueueSizes(port.fd, SerialPort::kInputQueueSize, SerialPort::kOutputQueueSize));
    OpenPort notATerminal("/dev/null");
    ASSERT_GE(notATerminal.fd, 0);
    EXPECT_FALSE(SerialPort::SetQueueSizes(notATerminal.fd, 1, 1));
}

TEST(SerialPort, CountsAndPurgesQueuedInput)
{
    PseudoTerminal line;
    OpenPort port(line.devicePath());
    ASSERT_TRUE(SerialPort::SetLineSettings(port.fd, *SerialPort::GetLineSettings(port.fd), 115200));
    line.send("$PMTK001,182,7,3*20\r\n");
    ASSERT_TRUE(WaitForQueuedBytes(port.fd, 21));
    EXPECT_EQ(SerialPort::QueuedInputBytes(port.fd), 21);
    EXPECT_TRUE(SerialPort::Purge(port.fd));
    EXPECT_EQ(SerialPort::QueuedInputBytes(port.fd), 0);
}

TEST(SerialPort, SentSentencesReachTheLine)
{
    PseudoTerminal line;
    OpenPort port(line.devicePath());
    ASSERT_TRUE(SerialPort::SetLineSettings(port.fd, *SerialPort::GetLineSettings(port.fd), 115200));
    DeviceLinkState link;
    link.PortHandle = port.fd;
    SendSentence(link, Sentences::QueryStatus);
    SendSentence(link, Sentences::SetTimeInterval(50));
    const std::string expected = "$PMTK182,2,7*3C\r\n$PMTK182,1,3,50*12\r\n";
    EXPECT_EQ(line.receive(expected.size()), expected);
}

TEST(SerialPort, WriteGivesUpOnAStalledLine)
{
    PseudoTerminal line; // the far end never reads
    OpenPort port(line.devicePath());
    ASSERT_TRUE(SerialPort::SetLineSettings(port.fd, *SerialPort::GetLineSettings(port.fd), 115200));
    const std::string chunk(1024, 'x');
    int accepted = 0;
    SerialPort::WriteOutcome outcome;
    while (accepted < 1024 && (outcome = SerialPort::Write(port.fd, chunk)).written())
        ++accepted;
    EXPECT_LT(accepted, 1024) << "a stalled line must refuse a write instead of blocking";
    EXPECT_GT(accepted, 0);
    EXPECT_EQ(outcome.kind, SerialPort::WriteOutcome::Kind::Refused) << "a stalled line is no device gone";
    EXPECT_FALSE(outcome.reason.empty());
}

TEST(SerialPort, CountingOnAClosedPortFails)
{
    EXPECT_EQ(SerialPort::QueuedInputBytes(-1), -1);
    EXPECT_FALSE(SerialPort::Purge(-1));
    EXPECT_FALSE(SerialPort::GetLineSettings(-1));
}
} // namespace
