#include "cli_texts.h"
#include "logger_command.h"
#include "subcommand.h"

#include "logger/receiver_restart.h"

#include <map>

namespace {
const std::string kRestartUsage = std::string(R"(Usage: drovik-cli restart hot|warm|cold --port PORT [--baud N]

Restarts the logger's GPS receiver, as the live page's three restart buttons
do: hot keeps what it knows of the sky, warm keeps less, cold starts afresh.

)") + kPortOptionsHelp + R"(
Ends with "Cold restart sent." (or hot, warm) on stderr.

Exit status: 0 sent; 1 when the port cannot be opened or did not take the
command; 2 for a bad command line.
)";

const std::map<std::string, void (*)(DeviceLinkState&)> kRestarts{
    {"hot", HotStart}, {"warm", WarmStart}, {"cold", ColdStart}};

int RunRestart(const std::vector<std::string>& args)
{
    return RunLoggerCommand("restart", [&] {
        const auto restart = args.empty() ? kRestarts.end() : kRestarts.find(args.front());
        if (restart == kRestarts.end())
            throw std::invalid_argument("say hot, warm or cold");
        PortOptions port;
        ParsePortAndFlag({args.begin() + 1, args.end()}, port, "");
        LoggerCommand command("restart", port);
        const bool sent = command.run([&] { restart->second(command.session().link()); });
        if (sent)
            PrintNote(CliText::RestartSent(restart->first));
        return sent ? kExitSuccess : kExitFailure;
    });
}

const SubcommandRegistration kRegistration{
    {"restart", "restart the GPS receiver hot, warm or cold", kRestartUsage.c_str(), RunRestart}};
} // namespace
