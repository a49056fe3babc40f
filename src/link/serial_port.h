// The serial line on a POSIX terminal device: one call for each step of
// bringing a port up, and the few operations the link needs on it.
//
// The descriptor is kept non-blocking for its whole life. Reads never wait:
// the receive thread waits for input with poll() for at most the read
// time-out and then reads only what is queued. A write waits for room in the
// output queue for at most the write time-out and then gives up.
#pragma once

#include <termios.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace SerialPort {
inline constexpr int kReadTimeoutMs = 500;
inline constexpr int kWriteTimeoutMs = 50;
inline constexpr std::size_t kInputQueueSize = 8192;
inline constexpr std::size_t kOutputQueueSize = 1024;

// Opens the device for reading and writing, for this program alone: a device
// already held exclusively (terminal exclusive mode or an flock) fails, and
// an opened terminal is put in exclusive mode. -1 on failure.
int Open(const std::string& devicePath);
// A blocking read returns what has arrived, or nothing after the read time-out.
void SetTimeouts(int fd);
// Linux terminal drivers fix their own buffer sizes (the line discipline holds
// 4 KiB of input, the driver's flip buffers up to 64 KiB) and offer no call
// to change them. This only checks that the device is a terminal, the
// condition under which the step can be done at all.
bool SetQueueSizes(int fd, std::size_t inputBytes, std::size_t outputBytes);
std::optional<termios> GetLineSettings(int fd);
// Raw 8N1 at any baud rate the driver accepts (non-standard rates through
// the termios2 interface). Flow control and the time-outs stay as in
// `settings`, the settings read from the port.
bool SetLineSettings(int fd, termios settings, int baudRate);
// Discards everything queued in both directions.
bool Purge(int fd);
// Bytes waiting in the input queue, -1 when the port cannot tell.
int QueuedInputBytes(int fd);
// Writes all bytes unless the line does not take them within the write
// time-out. True when everything was written.
bool Write(int fd, std::string_view bytes);
void Close(int fd);
} // namespace SerialPort
