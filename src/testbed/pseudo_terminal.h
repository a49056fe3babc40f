// A pseudo-terminal standing in for the logger's serial line: a program opens
// the device end by its path as if it were the port, while a test, benchmark
// or the simulator plays the logger on the master end.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

class PseudoTerminal {
public:
    // Opens the master end, raw. Throws std::runtime_error.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int master() const { return master_; }
    const std::string& devicePath() const { return devicePath_; }

    // For a long-lived logger: opens and closes the device end once, which makes
    // its raw settings stick and leaves the master hung up (nobody listening)
    // until a client opens it; the master stops blocking.
    void awaitClients();

    // What the logger sends; blocks until the line has taken it all.
    void send(std::string_view bytes);
    // What the program sent, collected until `expectedSize` bytes or the time-out.
    std::string receive(std::size_t expectedSize, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // The logger goes away: the program's end sees the line hang up.
    void closeMaster();

private:
    int master_ = -1;
    std::string devicePath_;
};
