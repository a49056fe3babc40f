// The logger as an operation that waits on it reaches it: its records, and
// waits during which its replies are handled. The window serves the waits from
// its event loop; the command line's session from its receive thread, handing
// each reply over under a lock.
#pragma once

#include "link/device_link_state.h"
#include "link/logger_replies.h"
#include "link/logger_status.h"
#include "link/receiver_clock.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

class LoggerLine {
public:
    virtual ~LoggerLine() = default;

    // The records below are touched only inside locked() or a condition of waitUntil().
    virtual DeviceLinkState& link() = 0;
    virtual LoggerStatus& status() = 0;
    virtual LoggerReplies& replies() = 0;
    // What the receiver's RMC and ZDA said of its clock.
    virtual const ReceiverClock& receiverClock() = 0;

    // Runs the job with the records to itself.
    virtual void locked(const std::function<void()>& job) = 0;
    // Handles replies until the condition holds; false after the time-out.
    // Throws when the line has ended (the device gone, the user interrupting).
    virtual bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) = 0;
};

// Sends the query, once a second, until a reply of that kind arrived; false
// after the time-out, or at once when the logger says it does not support the
// query. Kinds: "3,<type>" for a value reply, "8" for memory data.
bool AskLogger(LoggerLine& line, std::string_view query, const std::string& replyKind,
               std::chrono::milliseconds timeout);
