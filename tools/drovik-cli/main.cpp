// drovik-cli: the track tools of the desktop program, for batch use.
#include "subcommand.h"

#include "core/version.h"

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

namespace {
void PrintUsage(std::ostream& out)
{
    out << "Usage: drovik-cli [--quiet] COMMAND [ARGUMENTS]\n"
           "       drovik-cli COMMAND --help\n"
           "       drovik-cli --version\n"
           "\n"
           "Commands:\n";
    for (const Subcommand& subcommand : RegisteredSubcommands())
        out << "  " << std::left << std::setw(12) << subcommand.name << subcommand.summary << '\n';
    out << "\n"
           "Options:\n"
           "  --quiet     print only failures, not the line saying what the command did,\n"
           "              counts, hints or progress (also taken after the command)\n"
           "\n"
           "Every command ends with one line on stderr: what it did, or what failed and\n"
           "why. The progress of a download is shown only on a terminal.\n"
           "Exit status: 0 done, 1 the command failed (the reason is on stderr; one\n"
           "that did part of its work says what it did and what it did not), 2 wrong usage, 130 or 143 interrupted by "
           "Ctrl-C or SIGTERM (the port is\n"
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
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const auto quiet = std::remove(arguments.begin(), arguments.end(), std::string("--quiet"));
    SetQuiet(quiet != arguments.end());
    arguments.erase(quiet, arguments.end());
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
