// Stands in for the window's thread: hand-overs from the reader are queued
// and run, one at a time, by whichever thread serves the queue, while the
// reader waits for each.
#pragma once

#include "link/receive_thread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class MainThreadQueue {
public:
    Thread1::MainThreadRunner runner()
    {
        return [this](std::function<void()> job) { return runAndWait(std::move(job)); };
    }

    bool runAndWait(std::function<void()> job)
    {
        auto pending = std::make_shared<Pending>();
        pending->job = std::move(job);
        std::unique_lock lock(mutex_);
        if (abandoned_)
            return false;
        queue_.push_back(pending);
        changed_.notify_all();
        changed_.wait(lock, [&] { return pending->finished; });
        return pending->ran;
    }

    // Runs queued jobs on the calling thread until `done` holds or the time runs out.
    bool serveUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            serveOne(std::chrono::milliseconds(1));
        }
        return true;
    }

    // Wakes every waiting reader without running its job; later hand-overs fail.
    void abandon()
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
        for (auto& pending : queue_)
            pending->finished = true;
        queue_.clear();
        changed_.notify_all();
    }

    // Waits, without serving, until `count` hand-overs are queued.
    bool awaitQueued(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return queue_.size() >= count; });
    }

private:
    struct Pending {
        std::function<void()> job;
        bool finished = false;
        bool ran = false;
    };

    void serveOne(std::chrono::milliseconds wait)
    {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, wait, [&] { return !queue_.empty(); }))
            return;
        auto pending = queue_.front();
        queue_.pop_front();
        lock.unlock();
        pending->job();
        lock.lock();
        pending->ran = pending->finished = true;
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Pending>> queue_;
    bool abandoned_ = false;
};
