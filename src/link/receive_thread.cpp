#include "link/receive_thread.h"

#include "link/sentence_framer.h"
#include "link/serial_port.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {
// A port that hung up (device gone, other end closed) reports itself ready
// at once and forever; the reader then tries again only this often.
constexpr int kHangUpPauseMs = 20;
} // namespace

Thread1::Thread1(int portFd, DeviceLinkState& link, SentenceHandlers& handlers, MainThreadRunner runOnMainThread)
    : portFd_(portFd),
      link_(link),
      handlers_(handlers),
      runOnMainThread_(std::move(runOnMainThread)),
      wakeFd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

Thread1::~Thread1()
{
    requestStop();
    wait();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void Thread1::start()
{
    if (thread_.joinable())
        return;
    finished_ = false;
    thread_ = std::thread([this] {
        Execute();
        finished_ = true;
    });
}

void Thread1::requestStop()
{
    stopRequested_ = true;
    if (wakeFd_ < 0)
        return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

void Thread1::wait()
{
    if (thread_.joinable())
        thread_.join();
}

void Thread1::Execute()
{
    SentenceFramer framer;
    std::vector<char> readBuffer(kReadBufferSize);
    while (!stopRequested_) {
        const int queued = waitForQueuedBytes();
        if (queued <= 0)
            continue;
        const auto wanted = std::min(static_cast<std::size_t>(queued), readBuffer.size());
        const ssize_t received = ::read(portFd_, readBuffer.data(), wanted);
        if (received <= 0)
            continue;
        framer.append(std::string_view(readBuffer.data(), static_cast<std::size_t>(received)));
        while (auto sentence = framer.next())
            if (!handOver(std::move(*sentence)))
                return;
    }
}

// Waits up to the read time-out for input or a stop request; the number of
// queued bytes, 0 when there are none.
int Thread1::waitForQueuedBytes()
{
    pollfd waits[] = {{portFd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    if (poll(waits, 2, SerialPort::kReadTimeoutMs) <= 0 || stopRequested_)
        return 0;
    const int queued = SerialPort::QueuedInputBytes(portFd_);
    if (queued <= 0 && (waits[0].revents & (POLLHUP | POLLERR | POLLNVAL)))
        pauseAfterHangUp();
    return queued;
}

void Thread1::pauseAfterHangUp()
{
    pollfd wake{wakeFd_, POLLIN, 0};
    poll(&wake, 1, kHangUpPauseMs);
}

bool Thread1::handOver(std::string sentenceText)
{
    if (stopRequested_)
        return false;
    sentence_.SentenceText = std::move(sentenceText);
    if (link_.Downloading) {
        SplitFields(sentence_);
        return runOnMainThread_([this] { HandleMtkSentence(sentence_, handlers_); });
    }
    return runOnMainThread_([this] { DispatchSentence(sentence_, handlers_); });
}
