// A logger on a serial port without a window: the port, the receive thread
// and the reply handlers. The thread hands each sentence over by running its
// handler under the session's lock, so the caller touches the shared records
// only inside Locked().
//
// A session ends early when its port's device goes (every wait then throws
// PortFailure) or when it is interrupted (every wait throws
// SessionInterrupted), so a command never sits out its time-outs.
#pragma once

#include "link/device_link_state.h"
#include "link/logger_replies.h"
#include "link/logger_reply_view.h"
#include "link/logger_status.h"
#include "link/port_open.h"
#include "link/receiver_clock.h"
#include "link/receive_thread.h"
#include "logger/logger_line.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>

// The user asked the command to stop (Ctrl-C, SIGTERM).
class SessionInterrupted : public std::runtime_error {
public:
    explicit SessionInterrupted(int signal) : std::runtime_error("interrupted"), signal_(signal) {}
    int signal() const { return signal_; }

private:
    int signal_;
};

class LoggerSession : private SentenceHandlers, private HeadlessReplyView {
public:
    // The replies fill `view` when given (it must outlive the session); else nothing shows.
    explicit LoggerSession(LoggerReplyView* view = nullptr);
    ~LoggerSession() override;

    // Opens and configures the port and starts reading; on success the
    // session holds the result's port, else the result says what failed.
    PortOpenResult open(const std::string& portName, int baud);

    template <typename Job>
    auto locked(Job&& job)
    {
        std::unique_lock lock(mutex_);
        held_ = &lock;
        return job();
    }
    // Only inside Locked(): lets the handlers run while `pause` passes, as a
    // modal dialog's timer does between its ticks; ends early when the port's
    // device has gone, and throws SessionInterrupted.
    void pause(std::chrono::milliseconds pause);
    // Waits until the condition (tested under the lock) holds; false after the time-out.
    bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
    // Only inside Locked(): throws when the session has ended early.
    void throwIfEnded() const;

    // From any thread: ends every wait with SessionInterrupted.
    void interrupt(int signal);
    // From any thread, when even the interrupted command is not to be waited
    // for: gives the port back (its exclusive use included) and ends the
    // process with 128 + signal.
    [[noreturn]] void abandon(int signal);
    // Ends the reader and gives the port back; the destructor does it too.
    void close();
    // AskLogger on this session.
    bool ask(std::string_view query, const std::string& replyKind, std::chrono::milliseconds timeout);
    // The value field of the last reply of that kind since it was asked for;
    // empty when none came. Call under the lock.
    std::string replyValue(const std::string& replyKind) const { return replies_.replyValue(replyKind); }

    // The session as operations shared with the window wait on it.
    LoggerLine& line() { return line_; }
    DeviceLinkState& link() { return link_; }
    LoggerStatus& status() { return status_; }
    void attachDownload(DownloadReceiver* download) { replies_.attachDownload(download); }
    // What the receiver's RMC and ZDA said of its clock. Call under the lock.
    const ReceiverClock& receiverClock() const { return clock_; }

private:
    class Line final : public LoggerLine {
    public:
        explicit Line(LoggerSession& session) : session_(session) {}
        DeviceLinkState& link() override { return session_.link_; }
        LoggerStatus& status() override { return session_.status_; }
        LoggerReplies& replies() override { return session_.replies_; }
        const ReceiverClock& receiverClock() override { return session_.clock_; }
        void locked(const std::function<void()>& job) override { session_.locked(job); }
        bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) override
        {
            return session_.waitUntil(condition, timeout);
        }

    private:
        LoggerSession& session_;
    };

    void onGga(const IncomingSentence&) override {}
    void onGll(const IncomingSentence&) override {}
    void onGsa(const IncomingSentence&) override {}
    void onGsv(const IncomingSentence&) override {}
    void onRmc(const IncomingSentence&) override {}
    void onVtg(const IncomingSentence&) override {}
    // Every dispatched sentence passes here; only the receiver's clock is kept.
    void RefreshLiveView(const IncomingSentence& sentence) override;
    void HandleAck(const IncomingSentence& sentence) override { replies_.HandleAck(sentence); }
    void HandleLoggerReply(const IncomingSentence& sentence) override { replies_.HandleLoggerReply(sentence); }
    void HandleNmeaPeriods(const IncomingSentence& sentence) override { replies_.HandleNmeaPeriods(sentence); }
    void handleModelReply(const IncomingSentence& sentence) override { replies_.handleModelReply(sentence); }

    bool runHandler(const std::function<void()>& handler);
    void deviceGone();
    bool ended() const { return link_.PortLost || interrupted_ != 0; }

    DeviceLinkState link_;
    LoggerStatus status_;
    LoggerReplies replies_;
    ReceiverClock clock_;
    Line line_{*this};
    std::mutex mutex_;
    std::unique_lock<std::mutex>* held_ = nullptr; // the lock of the innermost Locked()
    std::condition_variable handled_;
    int interrupted_ = 0; // the signal, under the lock
    std::atomic<SerialPort::Handle> abandonablePort_{SerialPort::kNoHandle};
    std::unique_ptr<Thread1> thread_;
};
