// The options every command that talks to a logger takes: --port and --baud,
// read in this one place.
#pragma once

#include <string>

struct PortOptions {
    std::string port;
    int baud = 115200;
};

// The lines of a command's --help that describe them.
inline constexpr const char* kPortOptionsHelp =
    "  --port PORT     the logger's port: a name Com1 ... Com99 in any case (see\n"
    "                  drovik-cli ports) or a device path such as /dev/ttyUSB0\n"
    "  --baud N        line rate (default 115200)\n";

// Takes `value` when `option` is one of them and returns true; false for any
// other option. Throws std::invalid_argument for a bad value. A port name is
// kept in its one spelling ("COM5" as "Com5").
bool ParsePortOption(const std::string& option, const std::string& value, PortOptions& port);
// Throws std::invalid_argument when no port was named.
void RequirePort(const PortOptions& port);
// A whole number from 1 up; throws std::invalid_argument naming the option.
int PositiveNumber(const std::string& text, const std::string& option);
