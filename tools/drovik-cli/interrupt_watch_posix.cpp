// The signals are blocked in every thread and taken by one watching thread
// with sigwait, so what they set off runs as ordinary code, not in a handler.
#include "interrupt_watch.h"

#include <csignal>
#include <cstdlib>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace {
std::mutex watchMutex;
LoggerSession* watchedSession = nullptr; // under watchMutex

sigset_t StopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

[[noreturn]] void Watch(sigset_t signals)
{
    for (bool interrupted = false;;) {
        int signal = 0;
        if (sigwait(&signals, &signal) != 0)
            continue;
        std::lock_guard lock(watchMutex);
        if (!watchedSession)
            std::_Exit(128 + signal);
        if (interrupted)
            watchedSession->abandon(signal);
        interrupted = true;
        watchedSession->interrupt(signal);
    }
}
} // namespace

InterruptWatch::InterruptWatch(LoggerSession& session)
{
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    {
        std::lock_guard lock(watchMutex);
        watchedSession = &session;
    }
    // One watcher for the process's life: it has nothing to give back, and a
    // thread in sigwait cannot be woken to be joined.
    static const bool started = [signals] {
        std::thread(Watch, signals).detach();
        return true;
    }();
    (void)started;
}

InterruptWatch::~InterruptWatch()
{
    std::lock_guard lock(watchMutex);
    // Given back while a second signal still waits here, or ending the process
    // then would keep the port's exclusive use.
    watchedSession->close();
    watchedSession = nullptr;
}
