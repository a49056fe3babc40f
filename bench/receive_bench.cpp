// Throughput of the receive side: memory data replies (the longest sentences
// the logger sends) pushed through a pseudo-terminal, framed by the reader
// thread and handed over to a second thread standing in for the window's.
#include "link/receive_thread.h"
#include "link/sentences.h"
#include "link/serial_port.h"

#include "link/main_thread_queue.h"
#include "testbed/pseudo_terminal.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

namespace {
constexpr int kSentencesPerRound = 256; // about 1 MB

struct CountingHandlers : SentenceHandlers {
    std::atomic<int> loggerReplies{0};

    void onGga(const IncomingSentence&) override {}
    void onGll(const IncomingSentence&) override {}
    void onGsa(const IncomingSentence&) override {}
    void onGsv(const IncomingSentence&) override {}
    void onRmc(const IncomingSentence&) override {}
    void onVtg(const IncomingSentence&) override {}
    void HandleAck(const IncomingSentence&) override {}
    void HandleLoggerReply(const IncomingSentence&) override { ++loggerReplies; }
    void HandleNmeaPeriods(const IncomingSentence&) override {}
    void handleModelReply(const IncomingSentence&) override {}
    void RefreshLiveView(const IncomingSentence&) override {}
};

std::string MemoryDataReplies()
{
    std::string replies;
    for (int i = 0; i < kSentencesPerRound; ++i) {
        char address[16];
        std::snprintf(address, sizeof address, "%08X", i * 2048);
        replies += AppendChecksum("$PMTK182,8," + std::string(address) + "," + std::string(4096, 'F') + "*");
    }
    return replies;
}

void Receive(benchmark::State& state, bool downloading)
{
    PseudoTerminal line;
    const int fd = SerialPort::Open(line.devicePath());
    SerialPort::SetLineSettings(fd, *SerialPort::GetLineSettings(fd), 115200);

    DeviceLinkState link;
    link.Downloading = downloading;
    CountingHandlers handlers;
    MainThreadQueue windowQueue;
    std::atomic<bool> windowClosing{false};
    std::thread window([&] { windowQueue.serveUntil([&] { return windowClosing.load(); }, std::chrono::hours(1)); });
    Thread1 reader(fd, link, handlers, windowQueue.runner());
    reader.start();

    const std::string replies = MemoryDataReplies();
    int expected = 0;
    for (auto _ : state) {
        expected += kSentencesPerRound;
        line.send(replies);
        while (handlers.loggerReplies < expected)
            std::this_thread::yield();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(replies.size()));

    reader.requestStop();
    while (!reader.isFinished())
        std::this_thread::yield();
    reader.wait();
    windowClosing = true;
    window.join();
    SerialPort::Close(fd);
}

void BM_ReceiveDownloadReplies(benchmark::State& state)
{
    Receive(state, true);
}

void BM_ReceiveCheckedReplies(benchmark::State& state)
{
    Receive(state, false);
}
} // namespace

BENCHMARK(BM_ReceiveDownloadReplies)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveCheckedReplies)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
