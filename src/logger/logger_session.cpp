#include "logger/logger_session.h"

#include "decode/civil_time.h"
#include "link/port_failure.h"
#include "link/port_open.h"
#include "link/sentences.h"
#include "link/serial_port.h"

#include <cstdlib>

LoggerSession::LoggerSession(LoggerReplyView* view) : replies_(link_, status_, view ? *view : *this)
{
    // Until a probe says otherwise, the last sector counts as blank.
    link_.LastSectorBlank = true;
}

LoggerSession::~LoggerSession()
{
    close();
}

void LoggerSession::close()
{
    // The hand-over never waits for this thread, so the reader can simply be joined.
    thread_.reset();
    SerialPort::Close(abandonablePort_.exchange(SerialPort::kNoHandle));
}

PortOpenResult LoggerSession::open(const std::string& portName, int baud)
{
    const PortOpenResult port = OpenPortSteps(portName, std::to_string(baud));
    if (!port.succeeded())
        return port;
    link_.PortHandle = port.handle;
    link_.PortName = port.portName;
    abandonablePort_ = port.handle;
    SentenceHandlers& handlers = *this;
    thread_ = std::make_unique<Thread1>(
        port.handle, link_, handlers, [this](std::function<void()> handler) { return runHandler(handler); },
        [this] { deviceGone(); });
    thread_->start();
    return port;
}

void LoggerSession::deviceGone()
{
    {
        std::lock_guard lock(mutex_);
        link_.PortLost = true;
    }
    handled_.notify_all();
}

void LoggerSession::interrupt(int signal)
{
    {
        std::lock_guard lock(mutex_);
        interrupted_ = signal;
    }
    handled_.notify_all();
}

void LoggerSession::abandon(int signal)
{
    SerialPort::Close(abandonablePort_.exchange(SerialPort::kNoHandle));
    std::_Exit(128 + signal);
}

void LoggerSession::throwIfEnded() const
{
    if (interrupted_ != 0)
        throw SessionInterrupted(interrupted_);
    if (link_.PortLost)
        throw PortFailure(PortLostText(link_.PortName), true);
}

bool LoggerSession::runHandler(const std::function<void()>& handler)
{
    {
        std::lock_guard lock(mutex_);
        handler();
    }
    handled_.notify_all();
    return true;
}

void LoggerSession::pause(std::chrono::milliseconds pause)
{
    const auto until = std::chrono::steady_clock::now() + pause;
    while (!ended() && handled_.wait_until(*held_, until) != std::cv_status::timeout) {
    }
    if (interrupted_ != 0)
        throw SessionInterrupted(interrupted_);
}

bool LoggerSession::waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    const bool held = handled_.wait_for(lock, timeout, [&] { return ended() || condition(); });
    throwIfEnded();
    return held;
}

bool LoggerSession::ask(std::string_view query, const std::string& replyKind, std::chrono::milliseconds timeout)
{
    return AskLogger(line_, query, replyKind, timeout);
}

void LoggerSession::RefreshLiveView(const IncomingSentence& sentence)
{
    clock_.observe(sentence, NowUtcSeconds());
}
