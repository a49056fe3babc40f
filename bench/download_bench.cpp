// Download speed against drovik-sim over a pseudo-terminal: the whole 2 MiB
// memory from the unthrottled simulator, a few chunks over an emulated
// 115200-baud line, timed against the line-rate bound (bytes on the wire
// divided by 11,520 bytes/s), and at that rate a download again of a full
// memory that gained its last chunk since, reusing the file or not, and a
// download whose cable is pulled; and how soon a download on a line that
// goes dead gives up.
// Needs drovik-sim built in the same build folder.
#include "testbed/log_image_writer.h"
#include "logger/log_download.h"
#include "logger/logger_session.h"

#include "support/sim_harness.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {
using namespace std::chrono_literals;

constexpr uint32_t kChunk = LogDownload::kChunkSize;
constexpr int kBaud = 115200;
// What the logger sends for one chunk: 32 replies of 4,121 characters
// ("$PMTK182,8,AAAAAAAA," + 4,096 hex + "*CS\r\n") and the 21-character acknowledgement.
constexpr double kWireBytesPerChunk = 32 * 4121 + 21;

struct ServedSample {
    ServedSample(int sectors, std::vector<std::string> simArgs)
        : image([sectors] {
              SampleImageOptions options;
              options.sectorCount = sectors;
              return MakeSampleImage(options);
          }()),
          sim([&] {
              simArgs.insert(simArgs.end(), {"--link", "Com5", "--image", image.path()});
              return simArgs;
          }())
    {
        setenv("DROVIK_PORTS", sim.portDirectory().c_str(), 1);
    }
    simharness::TempFile image;
    simharness::SimProcess sim;
};

// One download of `bytes` of a 2 MiB memory into the simulator's folder;
// false when it did not complete.
bool Download(const ServedSample& served, uint32_t bytes, bool reuse = false)
{
    LoggerSession session;
    if (!session.open("Com5", kBaud).succeeded())
        return false;
    LogDownload download(session.link(), (served.sim.directory() / "data.bin").string(), {ChunkSilenceLimit(kBaud)});
    session.attachDownload(&download);
    session.locked([&] {
        session.link().MemorySize = 0x200000;
        session.link().DownloadEnd = bytes;
        session.link().DownloadEndKnown = true;
        download.start(reuse);
    });
    session.waitUntil([&] { return !download.running(); }, 10min);
    const bool complete = session.locked([&] { return download.finish() && download.complete(); });
    session.attachDownload(nullptr);
    return complete;
}

void BM_DownloadWholeMemory(benchmark::State& state)
{
    const ServedSample served(32, {});
    constexpr uint32_t kMemory = 0x200000;
    for (auto _ : state)
        if (!Download(served, kMemory))
            state.SkipWithError("the download did not complete");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kMemory);
}
BENCHMARK(BM_DownloadWholeMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_DownloadAtLineRate(benchmark::State& state)
{
    const int chunks = static_cast<int>(state.range(0));
    const ServedSample served(chunks, {"--baud", std::to_string(kBaud), "--no-nmea"});
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!Download(served, chunks * kChunk))
            state.SkipWithError("the download did not complete");
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double bound = chunks * kWireBytesPerChunk / (kBaud / 10.0);
    state.counters["bound_s"] = bound;
    state.counters["over_bound_pct"] = (seconds / static_cast<double>(state.iterations()) / bound - 1) * 100;
}
BENCHMARK(BM_DownloadAtLineRate)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// data.bin holds the first 31 chunks of the memory, which is full now.
// Argument 1: reuse them (check samples, fetch the last two chunks); 0: fetch all.
void BM_DownloadAgainAtLineRate(benchmark::State& state)
{
    constexpr uint32_t kMemory = 0x200000;
    const ServedSample served(32, {"--baud", std::to_string(kBaud), "--no-nmea"});
    const std::vector<uint8_t> memory = MakeSampleImage({32});
    const auto image = served.sim.directory() / "data.bin";
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(image, std::ios::binary).write(reinterpret_cast<const char*>(memory.data()), kMemory - kChunk);
        state.ResumeTiming();
        if (!Download(served, kMemory, state.range(0) != 0))
            state.SkipWithError("the download did not complete");
    }
}
BENCHMARK(BM_DownloadAgainAtLineRate)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
// The cable of a logger with a full 2 MiB memory is pulled once two chunks
// are in: how long drovik-cli takes to say so and end (the time measured),
// and how much of what it kept the next download reuses.
void BM_PulledCableAtLineRate(benchmark::State& state)
{
    const ServedSample served(32, {"--baud", std::to_string(kBaud), "--no-nmea"});
    const auto image = served.sim.directory() / "data.bin";
    const auto part = LogDownload::partPath(image.string());
    for (auto _ : state) {
        simharness::CliProcess cli(served.sim, {"download", "--port", "Com5", "-o", image.string()});
        const bool twoChunks = simharness::PollFor<bool>(2min, [&]() -> std::optional<bool> {
                                   std::error_code missing;
                                   const auto size = std::filesystem::file_size(part, missing);
                                   return !missing && size >= 2 * kChunk ? std::optional(true) : std::nullopt;
                               }).has_value();
        const auto pulled = std::chrono::steady_clock::now();
        served.sim.unplug();
        if (!twoChunks || cli.wait() != std::optional(1))
            state.SkipWithError("the download did not end as unplugged");
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - pulled).count());
    }
    const simharness::SimProcess replugged({"--link", "Com5", "--image", served.image.path(), "--no-nmea"},
                                           served.sim.portDirectory());
    const simharness::CliRun again =
        simharness::RunCli(replugged, {"download", "--port", "Com5", "-o", image.string()});
    const auto reusing = again.errors.find("Reusing ");
    state.counters["reused_bytes"] = reusing == std::string::npos ? 0 : std::stod(again.errors.substr(reusing + 8));
    if (again.exitCode != 0)
        state.SkipWithError("the next download did not complete");
}
BENCHMARK(BM_PulledCableAtLineRate)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// The line goes dead in the third chunk of an unthrottled download: how long
// drovik-cli takes to give up and end.
void BM_DeadLineGivesUp(benchmark::State& state)
{
    for (auto _ : state) {
        const ServedSample served(4, {"--no-nmea", "--dead-after", "75"});
        const auto start = std::chrono::steady_clock::now();
        const simharness::CliRun cut = simharness::RunCli(
            served.sim, {"download", "--port", "Com5", "-o", (served.sim.directory() / "data.bin").string()});
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (cut.exitCode != 1)
            state.SkipWithError("the download did not end as cut off");
    }
}
BENCHMARK(BM_DeadLineGivesUp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
} // namespace

BENCHMARK_MAIN();
