// The serial line on a POSIX terminal device.
//
// The descriptor is kept non-blocking for its whole life. Reads never wait:
// the receive thread waits for input with poll() for at most the read
// time-out and then reads only what is queued. A write waits for room in the
// output queue for at most the write time-out and then gives up.
#include "link/serial_port.h"

#include "link/custom_baud_rate.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>

namespace SerialPort {
namespace {
// What a terminal device answers once it is gone: a USB adapter pulled, or
// the far end of a pseudo-terminal closed (a hang-up).
bool IsDeviceGoneError(int error)
{
    return error == EIO || error == ENXIO || error == ENODEV;
}

struct StandardSpeed {
    int baudRate;
    speed_t code;
};

// clang-format off
constexpr StandardSpeed kStandardSpeeds[] = {
    {50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200},
    {300, B300}, {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400},
    {4800, B4800}, {9600, B9600}, {19200, B19200}, {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800},
    {500000, B500000}, {576000, B576000}, {921600, B921600},
    {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};
// clang-format on

std::optional<speed_t> StandardSpeedCode(int baudRate)
{
    for (const auto& speed : kStandardSpeeds)
        if (speed.baudRate == baudRate)
            return speed.code;
    return std::nullopt;
}

bool ClaimExclusively(int fd)
{
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    if (!isatty(fd))
        return true;
    // Exclusive mode does not stop a privileged opener, so ask for it first.
    int heldExclusively = 0;
    if (ioctl(fd, TIOCGEXCL, &heldExclusively) == 0 && heldExclusively)
        return false;
    return ioctl(fd, TIOCEXCL) == 0;
}

int MillisecondsUntil(std::chrono::steady_clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}
} // namespace

// A device already held exclusively (terminal exclusive mode or an flock)
// fails; an opened terminal is put in exclusive mode.
Handle Open(const std::string& device)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return kNoHandle;
    if (!ClaimExclusively(fd)) {
        ::close(fd);
        errno = EBUSY;
        return kNoHandle;
    }
    return fd;
}

// Only matters to blocking reads; the reader never makes one.
void SetTimeouts(Handle fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = kReadTimeoutMs / 100; // tenths of a second
    tcsetattr(fd, TCSANOW, &settings);
}

// Linux terminal drivers fix their own buffer sizes (the line discipline holds
// 4 KiB of input, the driver's flip buffers up to 64 KiB) and offer no call
// to change them. This only checks that the device is a terminal, the
// condition under which the step can be done at all.
bool SetQueueSizes(Handle fd, std::size_t, std::size_t)
{
    return isatty(fd);
}

std::optional<LineSettings> GetLineSettings(Handle fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return std::nullopt;
    return settings;
}

// Non-standard rates go through the termios2 interface.
bool SetLineSettings(Handle fd, LineSettings settings, int baudRate)
{
    if (baudRate <= 0)
        return false;
    const cc_t minimum = settings.c_cc[VMIN];
    const cc_t time = settings.c_cc[VTIME];
    cfmakeraw(&settings); // 8 data bits, no parity, bytes passed untouched
    settings.c_cflag &= ~CSTOPB;
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cc[VMIN] = minimum;
    settings.c_cc[VTIME] = time;
    const auto code = StandardSpeedCode(baudRate);
    if (code && cfsetspeed(&settings, *code) != 0)
        return false;
    if (tcsetattr(fd, TCSANOW, &settings) != 0)
        return false;
    return code || SetCustomBaudRate(fd, baudRate);
}

bool Purge(Handle fd)
{
    return tcflush(fd, TCIOFLUSH) == 0;
}

int QueuedInputBytes(Handle fd)
{
    int queued = 0;
    return ioctl(fd, FIONREAD, &queued) == 0 ? queued : -1;
}

long Read(Handle fd, char* buffer, std::size_t size)
{
    const ssize_t received = ::read(fd, buffer, size);
    if (received >= 0)
        return received;
    return IsDeviceGoneError(errno) ? kDeviceGone : 0;
}

// Written when everything went out within the write time-out.
WriteOutcome Write(Handle fd, std::string_view bytes)
{
    const auto failed = [](int error) {
        return WriteOutcome{IsDeviceGoneError(error) ? WriteOutcome::Kind::DeviceGone : WriteOutcome::Kind::Refused,
                            std::strerror(error)};
    };
    const WriteOutcome timedOut{WriteOutcome::Kind::Refused,
                                "the line took nothing for " + std::to_string(kWriteTimeoutMs) + " ms"};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN)
            return failed(errno);
        pollfd port{fd, POLLOUT, 0};
        const int waitMs = MillisecondsUntil(deadline);
        if (waitMs == 0)
            return timedOut;
        const int ready = poll(&port, 1, waitMs);
        if (ready < 0 && errno != EINTR)
            return failed(errno);
        if (ready == 0)
            return timedOut;
        if (port.revents & (POLLHUP | POLLERR))
            return {WriteOutcome::Kind::DeviceGone, std::strerror(EIO)};
    }
    return {};
}

void Close(Handle fd)
{
    if (fd < 0)
        return;
    if (isatty(fd))
        ioctl(fd, TIOCNXCL);
    ::close(fd);
}

InputWait::InputWait(Handle port) : port_(port), wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

InputWait::~InputWait()
{
    if (wake_ >= 0)
        ::close(wake_);
}

// A hung-up device keeps reporting itself ready; once what it left queued
// has been read, that is the device gone.
int InputWait::wait()
{
    pollfd waits[] = {{port_, POLLIN, 0}, {wake_, POLLIN, 0}};
    if (poll(waits, 2, kReadTimeoutMs) <= 0 || waits[1].revents)
        return 0;
    const int queued = QueuedInputBytes(port_);
    if (queued <= 0 && (waits[0].revents & (POLLHUP | POLLERR | POLLNVAL)))
        return kDeviceGone;
    return std::max(queued, 0);
}

void InputWait::wake()
{
    if (wake_ < 0)
        return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_, &one, sizeof one);
}
} // namespace SerialPort
