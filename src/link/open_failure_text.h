// What the system said when a port's device did not open, and what to do
// about it: the window and the command line each put these in their own words.
#pragma once

#include <string>

inline constexpr const char* kOpenPortFailedText = "Open ComPort failed.";

// The system's number for why the open call that just failed did: errno, or
// GetLastError() on Windows.
int LastOpenError();
// The system's own words for it ("No such file or directory").
std::string SystemErrorText(int error);
// On POSIX systems what to do when the device refused for lack of permission
// (join the group that owns it) or is held by another program; empty for any
// other reason and on Windows.
std::string OpenFailureAdvice(const std::string& device, int error);
// The port box's text: "Open ComPort failed.", then the advice when there is one.
std::string OpenFailureText(const std::string& device, int error);
