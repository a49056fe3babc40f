// Writing a 100,000-row decoded track table to each file format, and loading
// the CSV file back.
#include "testbed/log_image_writer.h"
#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "export/csv_reader.h"
#include "export/csv_writer.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"
#include "support/fake_dialogs.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {
constexpr int kRows = 100000;
constexpr std::uint32_t kMask = kSampleImageMask | fieldbit::kMillisecond | fieldbit::kDistance;

const TrackTable& DecodedTable()
{
    static const TrackTable table = [] {
        TrackTable built;
        const auto columns = TrackColumnsFor(kMask);
        for (int column = 0; column < static_cast<int>(columns.size()); ++column)
            built.setCell(column, 0, columns[column].header);
        for (int row = 1; row <= kRows; ++row) {
            TrackRecord record = SampleTrackRecord(row - 1);
            record.mask = kMask;
            auto texts = TrackRowTexts(record, row);
            for (int column = 0; column < static_cast<int>(texts.size()); ++column)
                built.setCell(column, row, std::move(texts[column]));
        }
        built.setColumnCount(static_cast<int>(columns.size()));
        built.setRowCount(kRows + 1);
        return built;
    }();
    return table;
}

std::string BenchPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

void ReportSize(benchmark::State& state, const std::string& path)
{
    state.counters["rows"] = kRows;
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
}

void WriteCsv(benchmark::State& state)
{
    const TrackTable& table = DecodedTable();
    const std::string path = BenchPath("export_bench.csv");
    for (auto _ : state) {
        FakeDialogs dialogs;
        benchmark::DoNotOptimize(WriteCsvFile(path, table, dialogs));
    }
    ReportSize(state, path);
}

void WriteNmea(benchmark::State& state)
{
    const TrackTable& table = DecodedTable();
    const std::string path = BenchPath("export_bench.nma");
    for (auto _ : state) {
        FakeDialogs dialogs;
        benchmark::DoNotOptimize(WriteNmeaFile(path, table, dialogs));
    }
    ReportSize(state, path);
}

void SaveKml(benchmark::State& state)
{
    const TrackTable& table = DecodedTable();
    const std::string path = BenchPath("export_bench.kml");
    for (auto _ : state) {
        FakeDialogs dialogs;
        benchmark::DoNotOptimize(SaveKmlFile(path, table, dialogs));
    }
    ReportSize(state, path);
}

void DrawKml(benchmark::State& state)
{
    const TrackTable& table = DecodedTable();
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    DrawOptions options;
    options.indexEnd = kRows;
    for (auto _ : state) {
        FakeDialogs dialogs;
        DrawKmlTrack(table, dialogs, [&](int) { return std::optional<DrawOptions>(options); });
    }
    ReportSize(state, "data.kml");
    std::filesystem::current_path(previous);
}

void WriteGpx(benchmark::State& state)
{
    const TrackTable& table = DecodedTable();
    const std::string path = BenchPath("export_bench.gpx");
    for (auto _ : state) {
        FakeDialogs dialogs;
        benchmark::DoNotOptimize(WriteGpxFile(path, table, dialogs));
    }
    ReportSize(state, path);
}

void ReadCsv(benchmark::State& state)
{
    const std::string path = BenchPath("export_bench_read.csv");
    FakeDialogs written;
    WriteCsvFile(path, DecodedTable(), written);
    for (auto _ : state) {
        FakeDialogs dialogs;
        TrackTable table;
        benchmark::DoNotOptimize(ReadCsvFile(path, table, dialogs));
    }
    ReportSize(state, path);
}
} // namespace

BENCHMARK(WriteCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteNmea)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveKml)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawKml)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteGpx)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadCsv)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
