// The serial line: one call for each step of bringing a port up, and the few
// operations the link needs on it. Each platform has its own implementation:
// serial_port_posix.cpp on a terminal device, serial_port_win32.cpp on a COM
// port of Windows. Nothing else in the core talks to the operating system's
// serial calls.
#pragma once

#include "link/port_handle.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <termios.h>
#endif

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace SerialPort {
inline constexpr int kReadTimeoutMs = 500;
inline constexpr int kWriteTimeoutMs = 50;
inline constexpr std::size_t kInputQueueSize = 8192;
inline constexpr std::size_t kOutputQueueSize = 1024;

// The port's line settings as the driver keeps them.
#ifdef _WIN32
using LineSettings = DCB;
#else
using LineSettings = termios;
#endif

// Opens the device for reading and writing, for this program alone: a port
// another program holds does not open. kNoHandle on failure; on POSIX systems
// errno then says why, EBUSY for a port another program holds.
Handle Open(const std::string& device);
// A read returns what has arrived, or nothing after the read time-out; a
// write gives up after the write time-out.
void SetTimeouts(Handle port);
bool SetQueueSizes(Handle port, std::size_t inputBytes, std::size_t outputBytes);
std::optional<LineSettings> GetLineSettings(Handle port);
// Raw 8N1 at the given rate; everything else (flow control, special
// characters, time-outs) stays as in `settings`, the settings read from the
// port. False for a rate of 0 or less.
bool SetLineSettings(Handle port, LineSettings settings, int baudRate);
// Discards everything queued in both directions.
bool Purge(Handle port);
// Bytes waiting in the input queue, -1 when the port cannot tell.
int QueuedInputBytes(Handle port);

// What a read or a wait for input gives when the device itself has gone
// (unplugged, switched off): every later call would say the same.
inline constexpr int kDeviceGone = -2;

// Reads at most `size` bytes; the number read, 0 when none were, or
// kDeviceGone.
long Read(Handle port, char* buffer, std::size_t size);

struct WriteOutcome {
    enum class Kind { Written, Refused, DeviceGone };
    Kind kind = Kind::Written;
    std::string reason; // the system's words when not written

    bool written() const { return kind == Kind::Written; }
};
// One synchronous write of all the bytes, never repeated.
WriteOutcome Write(Handle port, std::string_view bytes);
void Close(Handle port);

// The receive thread's wait for input. Wake() ends a wait early from another
// thread, so a reader asked to stop need not sit out the read time-out.
class InputWait {
public:
    explicit InputWait(Handle port);
    ~InputWait();
    InputWait(const InputWait&) = delete;
    InputWait& operator=(const InputWait&) = delete;

    // Waits at most the read time-out; the number of bytes queued, 0 when
    // none arrived or the wait was woken, kDeviceGone when the device has gone.
    int wait();
    void wake();

private:
    Handle port_;
    Handle wake_; // an event the waiting thread also watches
};
} // namespace SerialPort
