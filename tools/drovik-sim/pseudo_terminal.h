// The simulator's end of the serial line: a pseudo-terminal whose slave end
// a client opens as if it were the logger's port.
#pragma once

#include <filesystem>
#include <string>

class PseudoTerminal {
public:
    // Opens the master end, raw on both ends, non-blocking. Throws std::runtime_error.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterFd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    std::string slavePath_;
};

// A link named ComN in the port directory pointing to the slave end; removed
// again when destroyed.
class PortLink {
public:
    // Throws std::runtime_error when the link cannot be made.
    PortLink(const std::string& name, const std::string& target);
    ~PortLink();
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // $DROVIK_PORTS when set, else ~/.config/drovik/ports.
    static std::filesystem::path PortDirectory();

private:
    std::filesystem::path path_;
};
