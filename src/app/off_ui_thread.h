// Long file work (a decode, a load, a save) runs on a thread of its own while
// the window goes on serving its events: it repaints, its timers run, the
// receive thread's hand-overs are served, and TForm1::Exclusively turns away
// the actions that would change the table meanwhile.
#pragma once

#include <QEventLoop>
#include <QThread>

#include <exception>
#include <memory>
#include <optional>

// The work must not touch anything the window shows: it gets tables of its own.
template <typename Work>
auto RunOffUiThread(Work&& work) -> decltype(work())
{
    std::optional<decltype(work())> result;
    std::exception_ptr failure;
    QEventLoop loop;
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            result.emplace(work());
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    // Queued, so an end before the loop starts still ends it.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    thread->start();
    loop.exec();
    thread->wait();
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*result);
}
