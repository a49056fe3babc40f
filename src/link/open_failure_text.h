// What the port box or the command line says when a port does not open.
#pragma once

#include <string>

inline constexpr const char* kOpenPortFailedText = "Open ComPort failed.";

// "Open ComPort failed.", and on POSIX systems what to do about it when the
// device refused for lack of permission (join the group that owns it) or is
// held by another program. `error` is the errno of the failed open.
std::string OpenFailureText(const std::string& device, int error);
