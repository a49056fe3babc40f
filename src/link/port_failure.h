// A port that failed the program: a command the line did not take, or the
// device itself gone. It is the application's error, so whatever shows
// errors shows it; the window and the command line also close a port whose
// device has gone.
#pragma once

#include "core/app_error.h"

#include <string>

class PortFailure : public AppError {
public:
    PortFailure(const std::string& text, bool deviceGone) : AppError(text), deviceGone_(deviceGone) {}

    bool deviceGone() const { return deviceGone_; }

private:
    bool deviceGone_;
};

// What the user is told once the port's device has gone.
inline std::string PortLostText(const std::string& portName)
{
    return "Lost the logger on " + portName + ": it was unplugged or switched off.";
}
