// drovik-sim's own timings over a pseudo-terminal: how close its emulated line
// comes to the rate it is given (one chunk at 1,000,000 Bd, against the time
// its bytes take on such a line), and how long it takes to stop while its
// reader stalls.
// Needs drovik-sim built in the same build folder.
#include "support/sim_harness.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {
using namespace simharness;

void BM_SimLineRate(benchmark::State& state)
{
    SimProcess sim({"--baud", "1000000", "--no-nmea", "--generate", "1"});
    SimClient client(sim.slavePath());
    // 32 replies of 4,121 bytes and the 21-byte acknowledgement, 10 bits a byte.
    const auto lineTime = std::chrono::microseconds((32 * 4121 + 21) * 10);
    double overLine = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const MemoryRead read = ReadMemory(client, "$PMTK182,7,00000000,00010000*");
        if (read.replies.size() != 32)
            state.SkipWithError("the chunk did not arrive whole");
        overLine += std::chrono::duration<double>(Clock::now() - start) / lineTime;
    }
    state.counters["of_line_time"] = overLine / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SimLineRate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Two chunks asked for and never read: SIGTERM to exit.
void BM_SimStopsWhileItsReaderStalls(benchmark::State& state)
{
    for (auto _ : state) {
        SimProcess sim({"--generate", "2"});
        SimClient client(sim.slavePath());
        client.sendCommand("$PMTK182,7,00000000,00010000*");
        client.sendCommand("$PMTK182,7,00010000,10000*");
        if (!sim.waitForLineCount(2) || !client.waitForQueued(SimClient::kTerminalInputBuffer))
            state.SkipWithError("the simulator did not take the reads");
        const auto start = Clock::now();
        const int status = sim.stop();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("the simulator did not stop cleanly");
    }
}
BENCHMARK(BM_SimStopsWhileItsReaderStalls)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
} // namespace

BENCHMARK_MAIN();
