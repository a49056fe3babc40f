// The simulated logger at work: answers the sentences handed over by the
// reader, sends the NMEA output each second, and records its state.
#pragma once

#include "line_writer.h"
#include "logger_device.h"
#include "nmea_output.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>

class Simulator {
public:
    // Writes the state file before it returns. fd is the terminal's master end;
    // stopFd becomes readable at shut-down.
    Simulator(const SimOptions& options, LoggerMemory memory, int fd, int stopFd);

    // Called from the reader's thread.
    void deliver(std::string sentence);
    void stop();

    // Runs until stop().
    void run();

private:
    using Clock = LoggerDevice::Clock;

    void sendNmea(Clock::time_point& nextSecond);
    void writeState() const;

    LineWriter writer_;
    LoggerDevice device_;
    NmeaOutput nmea_;
    std::chrono::system_clock::duration clockOffset_{}; // the receiver's clock minus the computer's
    bool nmeaOn_;
    std::string statePath_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::string> inbox_;
    bool stopping_ = false;
};
