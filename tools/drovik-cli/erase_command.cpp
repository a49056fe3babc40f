#include "cli_texts.h"
#include "logger_command.h"
#include "subcommand.h"

namespace {
const std::string kEraseUsage = std::string(R"(Usage: drovik-cli erase --yes --port PORT [--baud N]

Erases the logger's whole memory, as the log page's erase button does, and
waits for the logger to acknowledge it (at most about 15 seconds).

  --yes           yes, erase it: without it nothing is erased
)") + kPortOptionsHelp + R"(
Ends with "The logger's memory is erased." on stderr.

Exit status: 0 erased; 1 when refused (no --yes), when the port cannot be
opened or the logger does not acknowledge the erase; 2 for a bad command
line.
)";

int RunErase(const std::vector<std::string>& args)
{
    return RunLoggerCommand(
        "erase",
        [&] {
            PortOptions port;
            const bool yes = ParsePortAndFlag(args, port, "--yes");
            LoggerCommand command("erase", port);
            command.dialogs().setAnswer(yes);
            const bool erased = command.apply([&] { return command.ConfirmErase(); });
            if (!yes)
                PrintError("erase: " + CliText::EraseNeedsYes());
            if (erased)
                PrintNote(CliText::MemoryErased());
            return erased ? kExitSuccess : kExitFailure;
        },
        "The logger may or may not have erased its memory.");
}

const SubcommandRegistration kRegistration{{"erase", "erase the logger's memory", kEraseUsage.c_str(), RunErase}};
} // namespace
