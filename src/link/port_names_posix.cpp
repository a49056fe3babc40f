#include "link/port_names.h"

#include <sys/stat.h>

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace PortNames {
namespace {
struct DeviceRange {
    int firstPort;
    int lastPort;
    const char* devicePrefix;
    int firstDevice;
};

constexpr DeviceRange kBuiltInTable[] = {
    {1, 2, "/dev/ttyS", 0},
    {3, 34, "/dev/ttyUSB", 0},
    {35, 66, "/dev/ttyACM", 0},
    {67, 99, "/dev/ttyS", 2},
};

constexpr std::string_view kPrefix = "Com";

// The number of a name written the plain way ("Com7", not "Com07").
int PlainNumberOf(std::string_view name)
{
    const auto digits = name.substr(kPrefix.size());
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || NameOf(number) != name)
        return 0;
    return number;
}

std::string BuiltInDevice(int number)
{
    for (const auto& range : kBuiltInTable)
        if (number >= range.firstPort && number <= range.lastPort)
            return range.devicePrefix + std::to_string(range.firstDevice + number - range.firstPort);
    return {};
}

bool EntryExists(const std::string& path)
{
    struct stat entry {};
    return lstat(path.c_str(), &entry) == 0;
}

// The port directory's entry for the name, empty when it has none.
std::string PortDirectoryEntry(const std::string& portName)
{
    const std::string directory = PortDirectory();
    if (directory.empty())
        return {};
    const std::string entry = directory + "/" + portName;
    return EntryExists(entry) ? entry : std::string();
}
} // namespace

std::string PortDirectory()
{
    if (const char* ports = std::getenv("DROVIK_PORTS"); ports && *ports)
        return ports;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config/drovik/ports";
    return {};
}

std::string ResolveDevice(const std::string& portText)
{
    const std::string portName = Canonical(portText);
    if (!IsPortName(portName))
        return {};
    const std::string entry = PortDirectoryEntry(portName);
    return entry.empty() ? BuiltInDevice(PlainNumberOf(portName)) : entry;
}

std::string DevicePathIn(const std::string& portText)
{
    return portText.starts_with('/') ? portText : std::string();
}

std::string ShownDevice(const std::string& portName)
{
    if (!IsPortName(portName) || !PortDirectoryEntry(portName).empty())
        return {};
    return BuiltInDevice(PlainNumberOf(portName));
}
} // namespace PortNames
