// drovik-cli ports: the port scan of the port page, one entry per line.
#include "subcommand.h"

#include "link/scan_entry.h"

#include <iostream>

namespace {
constexpr const char* kHelp = "Usage: drovik-cli ports\n"
                              "\n"
                              "Lists the ports Com3 ... Com99 that open, one per line, as the port page's\n"
                              "scan shows them: the name, then the device and what the system knows of\n"
                              "it, for example\n"
                              "  Com3 (/dev/ttyUSB0, USB-Serial Controller)\n"
                              "A port another program holds does not open and is not listed.\n"
                              "\n"
                              "Exit status: 0 when a port was found, 1 when none was.\n";

int RunPorts(const std::vector<std::string>& arguments)
{
    if (!arguments.empty()) {
        PrintError("ports: takes no arguments; see drovik-cli ports --help");
        return kExitUsage;
    }
    const std::vector<std::string> entries = ScanPortEntries();
    for (const std::string& entry : entries)
        std::cout << entry << '\n';
    if (entries.empty()) {
        PrintError("ports: No com port had found out.");
        return kExitFailure;
    }
    return kExitSuccess;
}

const SubcommandRegistration kRegistration{{"ports", "list the serial ports that open", kHelp, RunPorts}};
} // namespace
