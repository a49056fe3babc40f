#include "subcommand.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace {
// A function-local list, so registrations from any file's start-up find it built.
std::vector<Subcommand>& Registry()
{
    static std::vector<Subcommand> subcommands;
    return subcommands;
}

bool quiet = false;
} // namespace

SubcommandRegistration::SubcommandRegistration(const Subcommand& subcommand)
{
    Registry().push_back(subcommand);
}

std::vector<Subcommand> RegisteredSubcommands()
{
    std::vector<Subcommand> subcommands = Registry();
    std::sort(subcommands.begin(), subcommands.end(),
              [](const Subcommand& a, const Subcommand& b) { return std::strcmp(a.name, b.name) < 0; });
    return subcommands;
}

void PrintError(const std::string& message)
{
    std::cerr << "drovik-cli: " << message << '\n';
}

void PrintNote(const std::string& line)
{
    if (!quiet)
        std::cerr << line << '\n';
}

void SetQuiet(bool beQuiet)
{
    quiet = beQuiet;
}

bool Quiet()
{
    return quiet;
}
