#include "simulator.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

Simulator::Simulator(const SimOptions& options, LoggerMemory memory, int fd, int stopFd)
    : writer_(fd, stopFd, options.baud / 10, options.faults.noise),
      device_(options, std::move(memory),
              [this, silent = options.faults.silent](std::string_view sentence) {
                  if (!silent)
                      writer_.send(sentence);
              }),
      nmeaOn_(options.nmea && !options.faults.silent), statePath_(options.statePath)
{
    if (options.clockStartMs)
        clockOffset_ = std::chrono::system_clock::time_point(std::chrono::milliseconds(*options.clockStartMs)) -
                       std::chrono::system_clock::now();
    writeState();
}

void Simulator::deliver(std::string sentence)
{
    {
        std::lock_guard lock(mutex_);
        inbox_.push_back(std::move(sentence));
    }
    wake_.notify_one();
}

void Simulator::stop()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
}

void Simulator::run()
{
    Clock::time_point nextSecond = Clock::now();
    while (true) {
        std::deque<std::string> received;
        {
            Clock::time_point wakeAt = nmeaOn_ ? nextSecond : Clock::time_point::max();
            if (auto event = device_.nextEvent())
                wakeAt = std::min(wakeAt, *event);
            std::unique_lock lock(mutex_);
            wake_.wait_until(lock, wakeAt, [this] { return stopping_ || !inbox_.empty(); });
            if (stopping_)
                return;
            received.swap(inbox_);
        }
        bool erasing = device_.nextEvent().has_value();
        for (const std::string& sentence : received)
            device_.handle(sentence, Clock::now());
        device_.advance(Clock::now());
        if (!received.empty() || erasing != device_.nextEvent().has_value())
            writeState();
        if (nmeaOn_ && Clock::now() >= nextSecond)
            sendNmea(nextSecond);
    }
}

void Simulator::sendNmea(Clock::time_point& nextSecond)
{
    Clock::time_point now = Clock::now();
    const auto sentences =
        nmea_.nextSecond(device_.periods(), device_.hasFix(now), std::chrono::system_clock::now() + clockOffset_);
    for (const std::string& sentence : sentences)
        if (!device_.lineDead())
            writer_.send(sentence);
    nextSecond += std::chrono::seconds(1);
    // After a long reply on a slow line the missed seconds are skipped, not caught up.
    if (nextSecond <= now)
        nextSecond = now + std::chrono::seconds(1);
}

// Written aside and renamed, so a reader never sees half a state.
void Simulator::writeState() const
{
    if (statePath_.empty())
        return;
    std::string partial = statePath_ + ".part";
    {
        std::ofstream file(partial, std::ios::trunc);
        for (const auto& [key, value] : device_.state())
            file << key << '=' << value << '\n';
    }
    std::rename(partial.c_str(), statePath_.c_str());
}
