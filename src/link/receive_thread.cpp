#include "link/receive_thread.h"

#include "link/sentence_framer.h"

#include <algorithm>
#include <vector>

Thread1::Thread1(SerialPort::Handle port, DeviceLinkState& link, SentenceHandlers& handlers,
                 MainThreadRunner runOnMainThread, LossReport onDeviceGone)
    : port_(port), link_(link), handlers_(handlers), runOnMainThread_(std::move(runOnMainThread)),
      onDeviceGone_(std::move(onDeviceGone)), input_(port)
{
}

Thread1::~Thread1()
{
    requestStop();
    wait();
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
    input_.wake();
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
        const int queued = input_.wait();
        if (queued == SerialPort::kDeviceGone)
            return reportDeviceGone();
        if (queued <= 0 || stopRequested_)
            continue;
        const auto wanted = std::min(static_cast<std::size_t>(queued), readBuffer.size());
        const long received = SerialPort::Read(port_, readBuffer.data(), wanted);
        if (received == SerialPort::kDeviceGone)
            return reportDeviceGone();
        if (received <= 0)
            continue;
        framer.append(std::string_view(readBuffer.data(), static_cast<std::size_t>(received)));
        while (auto sentence = framer.next())
            if (!handOver(std::move(*sentence)))
                return;
    }
}

void Thread1::reportDeviceGone()
{
    if (!stopRequested_ && onDeviceGone_)
        onDeviceGone_();
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
