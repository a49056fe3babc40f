// The scan's entries and the USB texts they show, over a made-up device tree.
#include "link/scan_entry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
TEST(ScanEntry, TextAndThePortItStandsFor)
{
    EXPECT_EQ(ScanEntryText("Com3", "/dev/ttyUSB0", {"USB-Serial Controller"}),
              "Com3 (/dev/ttyUSB0, USB-Serial Controller)");
    EXPECT_EQ(ScanEntryText("Com35", "/dev/ttyACM0", {"GPS Logger", "A9K2"}), "Com35 (/dev/ttyACM0, GPS Logger, A9K2)");
    EXPECT_EQ(ScanEntryText("Com67", "/dev/ttyS2", {}), "Com67 (/dev/ttyS2)");
    EXPECT_EQ(ScanEntryText("Com5", "", {}), "Com5");

    const struct {
        const char* text;
        const char* port;
    } cases[] = {
        {"Com3 (/dev/ttyUSB0, USB-Serial Controller)", "Com3"},
        {"Com67 (/dev/ttyS2)", "Com67"},
        {"Com5", "Com5"},
        {"Com5 x", "Com5 x"},
        {"Com5 (/dev/ttyUSB2", "Com5 (/dev/ttyUSB2"},
        {"/dev/my port (2)", "/dev/my port (2)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortNameOfEntry(c.text), c.port) << c.text;
}

class UsbTexts : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "drovik-sys-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
    }
    void TearDown() override { fs::remove_all(root_); }

    // A terminal node at `node` (below devices/), linked from class/tty as the kernel does.
    void addTerminal(const std::string& name, const std::string& node)
    {
        fs::create_directories(root_ / "devices" / node);
        fs::create_directories(root_ / "class/tty" / name);
        fs::create_directory_symlink(root_ / "devices" / node, root_ / "class/tty" / name / "device");
    }
    void write(const std::string& file, const std::string& text)
    {
        std::ofstream(root_ / "devices" / file) << text << '\n';
    }
    std::vector<std::string> textsOf(const std::string& device) { return UsbTextsOf(device, root_.string()); }

    fs::path root_;
};

TEST_F(UsbTexts, ComeFromTheUsbDeviceAboveTheTerminal)
{
    // A USB serial converter: terminal node, interface, then the device with its texts.
    addTerminal("ttyUSB0", "usb1/1-1/1-1:1.0/ttyUSB0");
    write("usb1/1-1/product", "USB-Serial Controller");
    write("usb1/1-1/serial", "A9K2L1");
    // A modem-class logger: the terminal's device is the interface itself; no serial text.
    addTerminal("ttyACM0", "usb1/1-2/1-2:1.0");
    write("usb1/1-2/product", "GPS Logger");
    // A built-in port has neither.
    addTerminal("ttyS2", "platform/serial8250/tty/ttyS2");

    EXPECT_EQ(textsOf("/dev/ttyUSB0"), (std::vector<std::string>{"USB-Serial Controller", "A9K2L1"}));
    EXPECT_EQ(textsOf("/dev/ttyACM0"), std::vector<std::string>{"GPS Logger"});
    EXPECT_TRUE(textsOf("/dev/ttyS2").empty());
    EXPECT_TRUE(textsOf("/dev/ttyUSB7").empty()) << "a device the tree does not know";
}
} // namespace
