// drovik-cli: the track tools of the desktop program, for batch use.
#include "subcommand.h"

#include "core/version.h"

#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

namespace {
void PrintUsage(std::ostream& out)
{
    out << "Usage: drovik-cli COMMAND [ARGUMENTS]\n"
           "       drovik-cli COMMAND --help\n"
           "       drovik-cli --version\n"
           "\n"
           "Commands:\n";
    for (const Subcommand& subcommand : RegisteredSubcommands())
        out << "  " << std::left << std::setw(12) << subcommand.name << subcommand.summary << '\n';
    out << "\n"
           "Exit status: 0 done, 1 the command failed (the reason is on stderr),\n"
           "2 wrong usage, 130 or 143 interrupted by Ctrl-C or SIGTERM (the port is\n"
           "given back; a second Ctrl-C ends at once). Only output a command is asked\n"
           "for goes to stdout.\n";
}

bool IsHelp(const std::string& argument)
{
    return argument == "--help" || argument == "-h" || argument == "help";
}
} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    if (IsHelp(arguments.front())) {
        PrintUsage(std::cout);
        return kExitSuccess;
    }
    if (arguments.front() == "--version") {
        std::cout << "drovik-cli " << VersionText() << '\n';
        return kExitSuccess;
    }
    for (const Subcommand& subcommand : RegisteredSubcommands()) {
        if (arguments.front() != subcommand.name)
            continue;
        const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
        if (!rest.empty() && IsHelp(rest.front())) {
            std::cout << subcommand.help;
            return kExitSuccess;
        }
        return subcommand.run(rest);
    }
    PrintError("unknown command '" + arguments.front() + "'; see drovik-cli --help");
    return kExitUsage;
}
