#include "pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

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
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        throw SystemError("posix_openpt");
    try {
        if (grantpt(master_) != 0 || unlockpt(master_) != 0)
            throw SystemError("grantpt/unlockpt");
        char name[128];
        if (ptsname_r(master_, name, sizeof name) != 0)
            throw SystemError("ptsname");
        slavePath_ = name;
        MakeRaw(master_);
        // Opening and closing the slave once makes the settings stick and puts
        // the master into the hung-up state, which tells "nobody listening".
        int slave = open(name, O_RDWR | O_NOCTTY);
        if (slave < 0)
            throw SystemError("open " + slavePath_);
        MakeRaw(slave);
        close(slave);
        if (fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK) != 0)
            throw SystemError("fcntl");
    } catch (...) {
        close(master_);
        throw;
    }
}

PseudoTerminal::~PseudoTerminal()
{
    close(master_);
}

PortLink::PortLink(const std::string& name, const std::string& target)
{
    std::filesystem::path directory = PortDirectory();
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error)
        throw std::runtime_error("cannot create " + directory.string() + ": " + error.message());
    path_ = directory / name;
    // A link left behind by a simulator that was killed is replaced.
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path_)))
        std::filesystem::remove(path_, error);
    std::filesystem::create_symlink(target, path_, error);
    if (error)
        throw std::runtime_error("cannot create link " + path_.string() + ": " + error.message());
}

PortLink::~PortLink()
{
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

std::filesystem::path PortLink::PortDirectory()
{
    if (const char* ports = std::getenv("DROVIK_PORTS"); ports && *ports)
        return ports;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : ".") / ".config" / "drovik" / "ports";
}
