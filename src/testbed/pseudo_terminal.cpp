#include "testbed/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {
std::runtime_error SystemError(const std::string& what)
{
    return std::runtime_error(what + ": " + std::strerror(errno));
}

void MakeRaw(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        throw SystemError("tcgetattr");
    cfmakeraw(&settings);
    if (tcsetattr(fd, TCSANOW, &settings) != 0)
        throw SystemError("tcsetattr");
}
} // namespace

PseudoTerminal::PseudoTerminal()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0)
        throw SystemError("posix_openpt");
    try {
        if (grantpt(master_) != 0 || unlockpt(master_) != 0)
            throw SystemError("grantpt/unlockpt");
        char name[128];
        if (ptsname_r(master_, name, sizeof name) != 0)
            throw SystemError("ptsname");
        devicePath_ = name;
        MakeRaw(master_);
    } catch (...) {
        closeMaster();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal()
{
    closeMaster();
}

void PseudoTerminal::awaitClients()
{
    const int device = open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (device < 0)
        throw SystemError("open " + devicePath_);
    MakeRaw(device);
    close(device);
    if (fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0)
        throw SystemError("fcntl");
}

void PseudoTerminal::send(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        if (written < 0)
            throw SystemError("pseudo-terminal write");
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string PseudoTerminal::receive(std::size_t expectedSize, std::chrono::milliseconds timeout)
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

void PseudoTerminal::closeMaster()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}
