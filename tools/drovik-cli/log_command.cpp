#include "cli_texts.h"
#include "logger_command.h"
#include "subcommand.h"

#include "logger/logging_switch.h"

namespace {
const std::string kLogUsage = std::string(R"(Usage: drovik-cli log on|off --port PORT [--baud N]

Starts (on) or stops (off) the logger's recording, as the log page's start
and stop buttons do.

)") + kPortOptionsHelp + R"(
Ends with "Logging switched on." or "Logging switched off." on stderr.

Exit status: 0 sent; 1 when the port cannot be opened or did not take the
command; 2 for a bad command line.
)";

int RunLog(const std::vector<std::string>& args)
{
    return RunLoggerCommand("log", [&] {
        if (args.empty() || (args.front() != "on" && args.front() != "off"))
            throw std::invalid_argument("say on or off");
        PortOptions port;
        ParsePortAndFlag({args.begin() + 1, args.end()}, port, "");
        LoggerCommand command("log", port);
        const bool on = args.front() == "on";
        const bool sent = command.run([&] {
            const DeviceLinkState& link = command.session().link();
            on ? SwitchLoggingOn(link) : SwitchLoggingOff(link);
        });
        if (sent)
            PrintNote(CliText::LoggingSwitched(on));
        return sent ? kExitSuccess : kExitFailure;
    });
}

const SubcommandRegistration kRegistration{{"log", "start or stop logging", kLogUsage.c_str(), RunLog}};
} // namespace
