// A pseudo-terminal standing in for a serial line: the program opens the
// device end by its path, the test plays the logger on the master end.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

class PseudoTerminal {
public:
    PseudoTerminal()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        char path[128] = {};
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0
            || ptsname_r(master_, path, sizeof path) != 0)
            throw std::runtime_error("no pseudo-terminal");
        devicePath_ = path;
        termios raw{};
        tcgetattr(master_, &raw);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
    }
    ~PseudoTerminal() { closeMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& devicePath() const { return devicePath_; }
    int master() const { return master_; }

    // What the logger sends; blocks until the line has taken it all.
    void send(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(master_, bytes.data(), bytes.size());
            if (written < 0)
                throw std::runtime_error("pseudo-terminal write failed");
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    // What the program sent, collected until `expectedSize` bytes or the time-out.
    std::string receive(std::size_t expectedSize, std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::string received;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (received.size() < expectedSize && std::chrono::steady_clock::now() < deadline) {
            pollfd input{master_, POLLIN, 0};
            if (poll(&input, 1, 10) <= 0)
                continue;
            char buffer[4096];
            const ssize_t count = ::read(master_, buffer, sizeof buffer);
            if (count > 0)
                received.append(buffer, static_cast<std::size_t>(count));
        }
        return received;
    }

    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    std::string devicePath_;
};
