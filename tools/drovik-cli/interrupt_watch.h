// Ctrl-C and SIGTERM while a command holds the logger's port: the first asks
// the session to end, so the command gives the port back and says what state
// it leaves; a second ends the process at once, giving the port back first.
#pragma once

#include "logger/logger_session.h"

#include <string>

class InterruptWatch {
public:
    // Made before the session opens its port, so the threads it starts leave
    // the signals to the watch.
    explicit InterruptWatch(LoggerSession& session);
    // After it, a signal ends the process as if nothing were watching.
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
};

// What an interrupted command says: the port is free again, and then the state
// it leaves (empty when it changed nothing).
inline std::string InterruptedText(const std::string& state)
{
    return "interrupted; the port is free again." + (state.empty() ? "" : " " + state);
}
