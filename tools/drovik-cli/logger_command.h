// What the commands that drive a logger share: the open port with the
// settings pages behind it, the questions they ask it, and how their outcome
// becomes an exit status.
#pragma once

#include "console_dialogs.h"
#include "headless_pages.h"
#include "interrupt_watch.h"
#include "port_options.h"

#include "logger/logger_session.h"
#include "logger/settings_result.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// The command cannot go on; the message goes to stderr and the exit status is 1.
struct LoggerFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class LoggerCommand {
public:
    // Opens the port; throws LoggerFailure when it cannot.
    LoggerCommand(const std::string& name, const PortOptions& port);

    LoggerSession& session() { return session_; }
    HeadlessPages& pages() { return pages_; }
    ConsoleDialogs& dialogs() { return dialogs_; }

    // Throws LoggerFailure when the reply does not come.
    void ask(std::string_view query, const std::string& replyKind);
    // What the log page's poll learns: status, flash size, the last-sector
    // probe when the memory-use rule asks for it, memory used, record count.
    void readLogPage();
    // Opening a settings page: its request goes out (again, once a second)
    // until the reply has filled the page and cleared the request flags.
    void openCriteriaPage();
    void openLogFormatPage();
    void openMethodPage();
    void openNmeaOutputPage();

    // Runs an operation under the session's lock; false when it failed (the
    // error, the lost port's included, is on stderr).
    bool run(const std::function<void()>& operation);
    // Runs a settings page's apply or an erase so, and tells why it did not
    // apply; true when it did.
    bool apply(const std::function<SettingsResult()>& operation);
    // The erase question, then the erase as its dialog runs it: ticks and
    // the 15 s limit. Inside Apply() only.
    SettingsResult ConfirmErase();

private:
    void openPage(const std::function<void()>& request, const std::function<bool()>& answered);

    std::string name_;
    std::string port_;
    HeadlessPages pages_;
    LoggerSession session_;
    InterruptWatch watch_{session_}; // after the session, before its port opens
    ConsoleDialogs dialogs_;
};

// Runs the command: 0 when it ends, 1 on a LoggerFailure (or any error of the
// core), 2 on std::invalid_argument (a bad command line), 128 + the signal
// when interrupted; `interruptedState` says what an interrupted run leaves on
// the logger.
int RunLoggerCommand(const std::string& name, const std::function<int()>& command,
                     const std::string& interruptedState = "");

// The port's options and at most one option without a value (such as
// "--yes"; none when empty): returns whether it was given. Throws
// std::invalid_argument for anything else.
bool ParsePortAndFlag(const std::vector<std::string>& args, PortOptions& port, const std::string& flag);
// The same with options that take a value: `take` returns false for one it does not know.
bool ParsePortAndFlag(const std::vector<std::string>& args, PortOptions& port, const std::string& flag,
                      const std::function<bool(const std::string& option, const std::string& value)>& take);
