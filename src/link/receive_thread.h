// The receive side of the serial line: a thread that reads whatever the port
// has queued, cuts it into sentences and hands each one to the window's
// thread, waiting until it has been handled.
//
// Stopping, as the window does it when it closes the port:
//   thread.requestStop();
//   while (!thread.isFinished()) serve events;   // the reader may be waiting
//   thread.wait();                                // in a hand-over to us
//   close the port;
// The window must never call wait() (nor destroy the thread) while the reader
// may be blocked handing a sentence over to it: that would wait forever.
// After a stop request the reader makes no more hand-overs and no port call
// once it has finished.
//
// When the port reports its device gone, the reader ends by itself and says
// so, on its own thread and outside any hand-over, so whoever is told may
// close the port (from its own thread) without waiting on the reader.
#pragma once

#include "link/device_link_state.h"
#include "link/incoming_sentence.h"
#include "link/sentence_dispatch.h"
#include "link/serial_port.h"

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class Thread1 {
public:
    // Runs a job on the window's thread and returns once it has run; false
    // when the job was abandoned without running.
    using MainThreadRunner = std::function<bool(std::function<void()>)>;

    static constexpr std::size_t kReadBufferSize = 10000;

    // Told on the reader's thread, once, after it ended because the device has gone.
    using LossReport = std::function<void()>;

    Thread1(SerialPort::Handle port, DeviceLinkState& link, SentenceHandlers& handlers,
            MainThreadRunner runOnMainThread, LossReport onDeviceGone = {});
    ~Thread1(); // stops and joins; see the rule above
    Thread1(const Thread1&) = delete;
    Thread1& operator=(const Thread1&) = delete;

    // One run per object: a stopped thread does not start again.
    void start();
    void requestStop();
    // True once the read loop has ended, and before start().
    bool isFinished() const { return finished_; }
    void wait();

private:
    void Execute();
    // False when the reader is to end: stop requested or hand-over abandoned.
    bool handOver(std::string sentenceText);
    void reportDeviceGone();

    const SerialPort::Handle port_;
    DeviceLinkState& link_;
    SentenceHandlers& handlers_;
    MainThreadRunner runOnMainThread_;
    LossReport onDeviceGone_;
    IncomingSentence sentence_; // written here only while no handler runs
    SerialPort::InputWait input_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> finished_{true};
    std::thread thread_;
};
