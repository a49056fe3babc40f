// The console's control handler runs on a thread of its own, so what a
// Ctrl-C sets off runs as ordinary code.
#include "interrupt_watch.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <csignal>
#include <cstdlib>
#include <mutex>

namespace {
std::mutex watchMutex;
LoggerSession* watchedSession = nullptr; // under watchMutex
bool interrupted = false;

BOOL WINAPI OnControl(DWORD event)
{
    const int signal = event == CTRL_C_EVENT ? SIGINT : SIGTERM;
    std::lock_guard lock(watchMutex);
    if (!watchedSession)
        return FALSE; // the default: the process ends
    if (interrupted)
        watchedSession->abandon(signal);
    interrupted = true;
    watchedSession->interrupt(signal);
    return TRUE;
}
} // namespace

InterruptWatch::InterruptWatch(LoggerSession& session)
{
    std::lock_guard lock(watchMutex);
    watchedSession = &session;
    SetConsoleCtrlHandler(OnControl, TRUE);
}

InterruptWatch::~InterruptWatch()
{
    std::lock_guard lock(watchMutex);
    // Given back while a second signal still waits here, or ending the process
    // then would keep the port's exclusive use.
    watchedSession->close();
    watchedSession = nullptr;
}
