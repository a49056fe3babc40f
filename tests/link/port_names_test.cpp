// Which device a typed port name opens.
#include "link/port_names.h"

#include "link/port_directory.h"

namespace {
using PortNamesTest = PortDirectoryTest;

TEST_F(PortNamesTest, BuiltInTableCoversTheScannedRange)
{
    const struct {
        const char* name;
        const char* device;
    } cases[] = {
        {"Com1", "/dev/ttyS0"},
        {"Com2", "/dev/ttyS1"},
        {"Com3", "/dev/ttyUSB0"},
        {"Com34", "/dev/ttyUSB31"},
        {"Com35", "/dev/ttyACM0"},
        {"Com66", "/dev/ttyACM31"},
        {"Com67", "/dev/ttyS2"},
        {"Com99", "/dev/ttyS34"},
        {"Com0", ""},
        {"Com100", ""},
        {"COM5", "/dev/ttyUSB2"},
        {"com5", "/dev/ttyUSB2"},
        {"cOm99", "/dev/ttyS34"},
        {"Com05", ""},
        {"Com5x", ""},
        {"Com", ""},
        {"Com-1", ""},
        {"Com5/../x", ""},
        {"", ""},
        {"Com99999999999", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortNames::ResolveDevice(c.name), c.device) << c.name;
}

TEST(PortNameForms, AnyCaseOfComAndDigitsIsTheOnePortName)
{
    const struct {
        const char* text;
        const char* canonical;
        bool isName;
    } cases[] = {
        {"Com5", "Com5", true},
        {"COM5", "Com5", true},
        {"com5", "Com5", true},
        {"cOM12", "Com12", true},
        {" com5 ", "Com5", true},
        {"Com05", "Com05", true},
        {"Com", "Com", false},
        {"COM", "COM", false},
        {"Com5x", "Com5x", false},
        {"COM5 (x)", "COM5 (x)", false},
        {"/dev/ttyUSB0", "/dev/ttyUSB0", false},
        {"Port5", "Port5", false},
        {"", "", false},
        {"Com-1", "Com-1", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PortNames::Canonical(c.text), c.canonical) << c.text;
        EXPECT_EQ(PortNames::IsPortName(c.text), c.isName) << c.text;
    }
}

TEST_F(PortNamesTest, EntryInThePortDirectoryWins)
{
    const auto toNull = link("Com3", "/dev/null");
    const auto toNothing = link("Com4", "/nonexistent/tty");
    const auto unusual = link("Com05", "/dev/null");
    EXPECT_EQ(PortNames::ResolveDevice("Com3"), toNull);
    EXPECT_EQ(PortNames::ResolveDevice("COM3"), toNull) << "the entry of the name's one spelling";
    EXPECT_EQ(PortNames::ResolveDevice("Com4"), toNothing);
    EXPECT_EQ(PortNames::ResolveDevice("Com05"), unusual);
    EXPECT_EQ(PortNames::ResolveDevice("Com5"), "/dev/ttyUSB2");
}

TEST_F(PortNamesTest, DevicePathsStandAsTheyAreAndScanEntriesShowTheTablesDevice)
{
    link("Com3", "/dev/null");
    EXPECT_EQ(PortNames::DevicePathIn("/dev/serial/by-id/usb-x"), "/dev/serial/by-id/usb-x");
    EXPECT_EQ(PortNames::DevicePathIn("dev/ttyUSB0"), "");
    EXPECT_EQ(PortNames::DevicePathIn("Com4"), "");
    EXPECT_EQ(PortNames::ShownDevice("Com4"), "/dev/ttyUSB1");
    EXPECT_EQ(PortNames::ShownDevice("Com3"), "") << "the user's own name says which device it is";
    EXPECT_EQ(PortNames::ShownDevice("Com5x"), "");
}

TEST_F(PortNamesTest, DirectoryComesFromTheEnvironmentOrHome)
{
    EXPECT_EQ(PortNames::PortDirectory(), directory_.string());
    unsetenv("DROVIK_PORTS");
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(PortNames::PortDirectory(), std::string(home) + "/.config/drovik/ports");
}
} // namespace
