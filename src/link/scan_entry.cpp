#include "link/scan_entry.h"

#include "link/port_names.h"
#include "link/port_open.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
// From the terminal's own node up to its USB device: the interface sits one
// or two levels up, the device with its texts one above that.
constexpr int kLevelsToUsbDevice = 4;

std::string FirstLineOf(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

bool HasUsbTexts(const fs::path& folder)
{
    std::error_code error;
    return fs::is_regular_file(folder / "product", error) || fs::is_regular_file(folder / "serial", error);
}
} // namespace

std::string PortNameOfEntry(const std::string& text)
{
    const auto space = text.find(' ');
    if (!text.starts_with("Com") || space == std::string::npos || text.compare(space, 2, " (") != 0 ||
        !text.ends_with(')'))
        return text;
    return text.substr(0, space);
}

std::string ScanEntryText(const std::string& portName, const std::string& device,
                          const std::vector<std::string>& usbTexts)
{
    if (device.empty())
        return portName;
    std::string entry = portName + " (" + device;
    for (const std::string& text : usbTexts)
        entry += ", " + text;
    return entry + ")";
}

std::vector<std::string> UsbTextsOf(const std::string& device, const std::string& sysRoot)
{
    std::error_code error;
    const fs::path name = fs::path(device).filename();
    fs::path folder = fs::canonical(fs::path(sysRoot) / "class/tty" / name / "device", error);
    for (int level = 0; !error && level < kLevelsToUsbDevice && !HasUsbTexts(folder); ++level)
        folder = folder.parent_path();
    std::vector<std::string> texts;
    if (error || !HasUsbTexts(folder))
        return texts;
    for (const char* file : {"product", "serial"})
        if (std::string text = FirstLineOf(folder / file); !text.empty())
            texts.push_back(text);
    return texts;
}

std::vector<std::string> ScanPortEntries(const std::string& sysRoot)
{
    std::vector<std::string> entries;
    for (const std::string& name : ScanPortNames()) {
        const std::string device = PortNames::ShownDevice(name);
        entries.push_back(
            ScanEntryText(name, device, device.empty() ? std::vector<std::string>{} : UsbTextsOf(device, sysRoot)));
    }
    return entries;
}
