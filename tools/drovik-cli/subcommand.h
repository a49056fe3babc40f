// The subcommands of drovik-cli. Each lives in its own file and registers
// itself there with one line:
//     const SubcommandRegistration kRegistration{{"name", "summary", kHelp, RunName}};
#pragma once

#include <string>
#include <vector>

struct Subcommand {
    const char* name;
    const char* summary; // one line for the program's help
    const char* help;    // the subcommand's own --help text
    // Arguments after the name; returns the exit status.
    int (*run)(const std::vector<std::string>& arguments);
};

// Exit statuses shared by every subcommand.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

class SubcommandRegistration {
public:
    explicit SubcommandRegistration(const Subcommand& subcommand);
};

// Every registered subcommand, by name.
std::vector<Subcommand> RegisteredSubcommands();

// "drovik-cli: " before a message on stderr: a failure, which --quiet keeps.
void PrintError(const std::string& message);
// A line on stderr that is not a failure (what a command did, a count, a
// hint); --quiet leaves it out.
void PrintNote(const std::string& line);
// --quiet: from now on only failures are printed.
void SetQuiet(bool quiet);
bool Quiet();
