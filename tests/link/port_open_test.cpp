// Opening a port from the port page's texts, and the port scan.
#include "link/port_open.h"
#include "link/serial_port.h"

#include "link/port_directory.h"
#include "testbed/pseudo_terminal.h"

#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>

namespace {
class PortOpenTest : public PortDirectoryTest {
protected:
    // Every scanned name leads nowhere unless a test links it to a line.
    void linkAllScannedPortsToNothing(const std::vector<std::string>& except)
    {
        for (int n = kFirstScannedPort; n <= kLastScannedPort; ++n) {
            const std::string name = "Com" + std::to_string(n);
            if (std::find(except.begin(), except.end(), name) == except.end())
                link(name, "/nonexistent/tty" + std::to_string(n));
        }
    }
};

TEST_F(PortOpenTest, EachFailingStepSaysWhichDeviceAndWhy)
{
    PseudoTerminal line;
    link("Com5", line.devicePath());
    link("Com7", "/nonexistent/tty");
    link("Com8", "/dev/null");
    const std::string dir = directory_.string();
    const struct {
        std::string port;
        std::string baud;
        PortOpenStep step;
        std::string portName;
        std::string device;
        int error;
    } cases[] = {
        {"", "115200", PortOpenStep::ReadPortText, "", "", 0},
        {"Port5", "115200", PortOpenStep::ReadPortText, "Port5", "", 0},
        {"Com100", "115200", PortOpenStep::FindDevice, "Com100", "", 0},
        {"Com5x", "115200", PortOpenStep::FindDevice, "Com5x", "", 0},
        {"Com7", "115200", PortOpenStep::OpenDevice, "Com7", dir + "/Com7", ENOENT},
        {"COM7", "115200", PortOpenStep::OpenDevice, "Com7", dir + "/Com7", ENOENT},
        {"/nonexistent/tty", "115200", PortOpenStep::OpenDevice, "/nonexistent/tty", "/nonexistent/tty", ENOENT},
        {"Com8", "115200", PortOpenStep::SetQueueSizes, "Com8", dir + "/Com8", 0},
        {"Com5", "", PortOpenStep::ReadBaudRate, "Com5", dir + "/Com5", 0},
        {"Com5", "abc", PortOpenStep::ReadBaudRate, "Com5", dir + "/Com5", 0},
        {"Com5", "0", PortOpenStep::ReadBaudRate, "Com5", dir + "/Com5", 0},
        {"Com5", "9600 baud", PortOpenStep::ReadBaudRate, "Com5", dir + "/Com5", 0},
        {"Com5", "99999999999", PortOpenStep::ReadBaudRate, "Com5", dir + "/Com5", 0},
        {"Com5", "-9600", PortOpenStep::SetLineSettings, "Com5", dir + "/Com5", 0},
    };
    for (const auto& c : cases) {
        const auto result = OpenPortSteps(c.port, c.baud);
        EXPECT_FALSE(result.succeeded()) << c.port << " " << c.baud;
        EXPECT_EQ(result.failedStep, c.step) << c.port << " " << c.baud;
        EXPECT_EQ(result.portName, c.portName) << c.port;
        EXPECT_EQ(result.device, c.device) << c.port;
        EXPECT_EQ(result.systemError, c.error) << c.port;
        // A port opened on the way is closed again.
        const int reopened = SerialPort::Open(line.devicePath());
        EXPECT_GE(reopened, 0) << c.port << " " << c.baud << " left the line open";
        SerialPort::Close(reopened);
    }
}

TEST_F(PortOpenTest, OpensAtATypedRate)
{
    PseudoTerminal line;
    link("Com12", line.devicePath());
    const auto result = OpenPortSteps("com12", "57600");
    ASSERT_TRUE(result.succeeded()) << result.device;
    EXPECT_EQ(result.failedStep, PortOpenStep::Done);
    EXPECT_EQ(result.portName, "Com12");
    const auto settings = SerialPort::GetLineSettings(result.handle);
    ASSERT_TRUE(settings);
    EXPECT_EQ(cfgetospeed(&*settings), static_cast<speed_t>(B57600));
    EXPECT_EQ(settings->c_lflag & ICANON, 0u);
    EXPECT_LT(SerialPort::Open(line.devicePath()), 0) << "the open port is held exclusively";
    SerialPort::Close(result.handle);
}

TEST_F(PortOpenTest, OpenedPortStartsWithEmptyQueues)
{
    PseudoTerminal line;
    link("Com3", line.devicePath());
    line.send("stale bytes from before the open");
    const auto result = OpenPortSteps("Com3", "115200");
    ASSERT_TRUE(result.succeeded());
    EXPECT_EQ(SerialPort::QueuedInputBytes(result.handle), 0);
    SerialPort::Close(result.handle);
}

TEST_F(PortOpenTest, ADevicePathOrAScanEntryOpensItsPort)
{
    PseudoTerminal line;
    link("Com5", line.devicePath());
    for (const std::string& text : {line.devicePath(), std::string("Com5 (/dev/ttyUSB2, GPS Logger)")}) {
        const auto result = OpenPortSteps(text, "115200");
        ASSERT_TRUE(result.succeeded()) << text << ": " << result.device;
        const auto held = OpenPortSteps(line.devicePath(), "115200");
        EXPECT_EQ(held.failedStep, PortOpenStep::OpenDevice);
        EXPECT_EQ(held.device, line.devicePath());
        EXPECT_EQ(held.systemError, EBUSY);
        SerialPort::Close(result.handle);
    }
}

TEST_F(PortOpenTest, ScanListsThePortsThatOpenInRisingOrderSkippingThoseHeldByOthers)
{
    PseudoTerminal fourth, seventh;
    link("Com7", seventh.devicePath());
    link("Com4", fourth.devicePath());
    linkAllScannedPortsToNothing({"Com4", "Com7"});
    EXPECT_EQ(ScanPortNames(), (std::vector<std::string>{"Com4", "Com7"}));
    const int held = SerialPort::Open(seventh.devicePath());
    ASSERT_GE(held, 0) << "the scan closes what it opened";
    EXPECT_EQ(ScanPortNames(), std::vector<std::string>{"Com4"});
    SerialPort::Close(held);
}

TEST_F(PortOpenTest, ScanOfNothingFindsNothing)
{
    linkAllScannedPortsToNothing({});
    EXPECT_TRUE(ScanPortNames().empty());
}
} // namespace
