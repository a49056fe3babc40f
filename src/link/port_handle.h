// The handle of an open serial port: a file descriptor on POSIX systems, a
// Win32 HANDLE on Windows, kept as an integer there so that code holding a
// handle needs no system header.
#pragma once

#include <cstdint>

namespace SerialPort {
#ifdef _WIN32
using Handle = std::intptr_t;
#else
using Handle = int;
#endif
// No port: what a failed open gives on both (-1, INVALID_HANDLE_VALUE).
inline constexpr Handle kNoHandle = -1;
} // namespace SerialPort
