// Decoding a full 2 MiB logger memory (32 sectors) into the track table.
#include "decode/log_decoder.h"
#include "testbed/log_image_writer.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {
constexpr int kFullMemorySectors = 32;

void DecodeFullMemory(benchmark::State& state, std::uint32_t mask)
{
    const std::vector<std::uint8_t> image = MakeSampleImage({.sectorCount = kFullMemorySectors, .mask = mask});
    int rows = 0;
    for (auto _ : state) {
        TrackTable table;
        DecodeLogImage(image, table);
        rows = table.rowCount() - 1;
        benchmark::DoNotOptimize(table);
    }
    state.counters["rows"] = rows;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image.size()));
}

void DecodeFullMemoryFile(benchmark::State& state)
{
    const std::string path = "decode_bench_image.bin";
    WriteImageFile(path, MakeSampleImage({.sectorCount = kFullMemorySectors, .mask = 0x0002003F}));
    for (auto _ : state) {
        TrackTable table;
        DecodeLogImageFile(path, table);
        benchmark::DoNotOptimize(table);
    }
    std::remove(path.c_str());
}
} // namespace

// The most rows: 0x0002003F records are 34 bytes, about 61,000 of them.
BENCHMARK_CAPTURE(DecodeFullMemory, Mask0002003F, 0x0002003F)->Unit(benchmark::kMillisecond);
// Every field of the sample, satellites with elevation, azimuth and SNR included.
BENCHMARK_CAPTURE(DecodeFullMemory, SampleMaskWithSatellites, kSampleImageMask)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeFullMemory, AllFields, 0x000FFFFF)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeFullMemoryFile)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
