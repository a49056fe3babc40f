// Opening a port from the port page's texts, and the port scan.
#include "link/port_open.h"
#include "link/serial_port.h"

#include "link/port_directory.h"
#include "testbed/pseudo_terminal.h"

#include <sys/ioctl.h>

#include <algorithm>

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

TEST_F(PortOpenTest, EachFailingStepGivesItsOwnText)
{
    PseudoTerminal line;
    link("Com5", line.devicePath());
    link("Com7", "/nonexistent/tty");
    link("Com8", "/dev/null");
    const struct {
        int items;
        std::string port;
        std::string baud;
        std::string text;
        bool red;
        bool errorBox;
    } cases[] = {
        {0, "Com5", "115200", "No device is connected to com port!", false, true},
        {30, "COM5", "115200", "Com Port Error!", false, false},
        {30, "", "115200", "Com Port Error!", false, false},
        {30, "Port5", "115200", "Com Port Error!", false, false},
        {30, "Com7", "115200", "Open ComPort failed.", true, false},
        {30, "Com5x", "115200", "Open ComPort failed.", true, false},
        {30, "Com8", "115200", "SetupComm failed.", true, false},
        {30, "Com5", "", "Error baud rate.", false, false},
        {30, "Com5", "abc", "Error baud rate.", false, false},
        {30, "Com5", "0", "Error baud rate.", false, false},
        {30, "Com5", "9600 baud", "Error baud rate.", false, false},
        {30, "Com5", "99999999999", "Error baud rate.", false, false},
        {30, "Com5", "-9600", "SetCommState failed.", true, false},
    };
    for (const auto& c : cases) {
        const auto result = OpenPortSteps(c.items, c.port, c.baud);
        EXPECT_FALSE(result.succeeded()) << c.port << " " << c.baud;
        EXPECT_EQ(result.failureText, c.text) << c.port << " " << c.baud;
        EXPECT_EQ(result.turnsShapeRed, c.red) << c.text;
        EXPECT_EQ(result.isErrorBox, c.errorBox) << c.text;
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
    const auto result = OpenPortSteps(1, "Com12", "57600");
    ASSERT_TRUE(result.succeeded()) << result.failureText;
    EXPECT_EQ(result.failureText, "");
    EXPECT_FALSE(result.turnsShapeRed);
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
    const auto result = OpenPortSteps(1, "Com3", "115200");
    ASSERT_TRUE(result.succeeded());
    EXPECT_EQ(SerialPort::QueuedInputBytes(result.handle), 0);
    SerialPort::Close(result.handle);
}

TEST_F(PortOpenTest, ADevicePathOrAScanEntryOpensItsPort)
{
    PseudoTerminal line;
    link("Com5", line.devicePath());
    for (const std::string& text : {line.devicePath(), std::string("Com5 (/dev/ttyUSB2, GPS Logger)")}) {
        const auto result = OpenPortSteps(1, text, "115200");
        ASSERT_TRUE(result.succeeded()) << text << ": " << result.failureText;
        const auto held = OpenPortSteps(1, line.devicePath(), "115200");
        EXPECT_NE(held.failureText.find(line.devicePath() + " is in use by another program"), std::string::npos)
            << held.failureText;
        EXPECT_TRUE(held.turnsShapeRed);
        SerialPort::Close(result.handle);
    }
    EXPECT_EQ(OpenPortSteps(1, "/nonexistent/tty", "115200").failureText, "Open ComPort failed.");
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
