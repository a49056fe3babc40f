#include "link/port_names.h"

#include <cstdio>

namespace PortNames {
std::string ResolveDevice(const std::string& portText)
{
    const std::string portName = Canonical(portText);
    int number = 0;
    if (std::sscanf(portName.c_str(), "Com%d", &number) != 1)
        return {};
    return number <= 9 ? portName : "\\\\.\\" + portName;
}

std::string DevicePathIn(const std::string&)
{
    return {};
}

std::string ShownDevice(const std::string&)
{
    return {};
}
} // namespace PortNames
