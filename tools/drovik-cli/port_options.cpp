#include "port_options.h"

#include "cli_texts.h"

#include "core/number_text.h"
#include "link/port_names.h"

#include <limits>
#include <stdexcept>

int PositiveNumber(const std::string& text, const std::string& option)
{
    const auto value = ParseInteger(text);
    if (!value || *value <= 0 || *value > std::numeric_limits<int>::max())
        throw std::invalid_argument("bad value for " + option + ": " + text);
    return static_cast<int>(*value);
}

bool ParsePortOption(const std::string& option, const std::string& value, PortOptions& port)
{
    if (option == "--port") {
        port.port = PortNames::Canonical(value);
        if (!PortNames::IsPortName(port.port) && PortNames::DevicePathIn(port.port).empty())
            throw std::invalid_argument(CliText::NotAPort(value));
    } else if (option == "--baud")
        port.baud = PositiveNumber(value, option);
    else
        return false;
    return true;
}

void RequirePort(const PortOptions& port)
{
    if (port.port.empty())
        throw std::invalid_argument("--port is required");
}
