// drovik-cli ports: the port scan of the port page, one entry per line;
// with --probe, what answers on each port and at which rate.
#include "cli_texts.h"
#include "subcommand.h"

#include "link/scan_entry.h"
#include "link/sentences.h"
#include "logger/logger_session.h"
#include "logger/model_identity.h"

#include <chrono>
#include <iostream>

namespace {
constexpr const char* kHelp = "Usage: drovik-cli ports [--probe]\n"
                              "\n"
                              "Lists the ports Com3 ... Com99 that open, one per line, as the port page's\n"
                              "scan shows them: the name, then the device and what the system knows of\n"
                              "it, for example\n"
                              "  Com3 (/dev/ttyUSB0, USB-Serial Controller)\n"
                              "A port another program holds does not open and is not listed.\n"
                              "\n"
                              "  --probe   ask each port's logger for its model, at 115200 Bd and then at\n"
                              "            38400 Bd (Holux M-241 and GPsport 245), and add the rate it\n"
                              "            answered at and the model to its line\n"
                              "\n"
                              "Ends with the count of ports found on stderr.\n"
                              "\n"
                              "Exit status: 0 when a port was found, 1 when none was.\n";

constexpr int kProbeRates[] = {115200, 38400};
constexpr auto kProbeWait = std::chrono::seconds(2);

// ": <model> at <rate> Bd" for the first rate the logger answers the model query at.
std::string ProbeText(const std::string& entry)
{
    for (const int baud : kProbeRates) {
        LoggerSession session;
        if (!session.open(PortNameOfEntry(entry), baud).succeeded())
            return ": does not open";
        session.locked([&] { SendSentence(session.link(), Sentences::QueryModel); });
        if (session.waitUntil([&] { return session.link().Model.has_value(); }, kProbeWait)) {
            const LoggerModel model = session.locked([&] { return *session.link().Model; });
            return ": " + ModelText(model) + " at " + std::to_string(baud) + " Bd";
        }
    }
    return ": no answer at 115200 or 38400 Bd";
}

int RunPorts(const std::vector<std::string>& arguments)
{
    const bool probe = arguments.size() == 1 && arguments[0] == "--probe";
    if (!arguments.empty() && !probe) {
        PrintError("ports: takes only --probe; see drovik-cli ports --help");
        return kExitUsage;
    }
    const std::vector<std::string> entries = ScanPortEntries();
    for (const std::string& entry : entries) {
        std::string line = entry;
        try {
            line += probe ? ProbeText(entry) : "";
        } catch (const std::exception& failure) {
            line += std::string(": ") + failure.what();
        }
        std::cout << line << '\n';
    }
    if (entries.empty()) {
        PrintError("ports: " + CliText::NoPortsFound());
        return kExitFailure;
    }
    PrintNote(CliText::PortsFound(entries.size()));
    return kExitSuccess;
}

const SubcommandRegistration kRegistration{{"ports", "list the serial ports that open", kHelp, RunPorts}};
} // namespace
