// Writing a 100,000-row decoded track table to each file format, and loading
// the CSV file back; and a GPX file a day of the rows the filters keep.
#include "testbed/log_image_writer.h"
#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "export/csv_reader.h"
#include "export/csv_writer.h"
#include "export/filtered_save.h"
#include "export/gpx_writer.h"
#include "export/kml_export.h"
#include "export/nmea_writer.h"

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
        benchmark::DoNotOptimize(WriteCsvFile(path, table));
    }
    ReportSize(state, path);
}

void WriteNmea(benchmark::State& state)
{
    const TrackTable& table = DecodedTable();
    const std::string path = BenchPath("export_bench.nma");
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteNmeaFile(path, table));
    }
    ReportSize(state, path);
}

void SaveKml(benchmark::State& state)
{
    const TrackTable& table = DecodedTable();
    const std::string path = BenchPath("export_bench.kml");
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveKmlFile(path, table));
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
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteDrawKmlFile(table, options));
    ReportSize(state, "data.kml");
    std::filesystem::current_path(previous);
}

void WriteGpx(benchmark::State& state)
{
    const TrackTable& table = DecodedTable();
    const std::string path = BenchPath("export_bench.gpx");
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteGpxFile(path, table));
    }
    ReportSize(state, path);
}

// The sample track's 100,000 points span six days.
void WriteGpxFilteredByDay(benchmark::State& state)
{
    const TrackTable& table = DecodedTable();
    const std::filesystem::path folder = BenchPath("export_bench_days");
    std::filesystem::create_directory(folder);
    ExportFilter filter;
    filter.rows.maxHdop = 1.0;
    filter.rows.minSatellites = 4;
    filter.rows.maxSpeedKmh = 200;
    filter.split.kind = SplitKind::Day;
    for (auto _ : state) {
        const SavePlan plan = PlanFilteredSave((folder / "trip.gpx").string(), table, filter, true);
        benchmark::DoNotOptimize(WriteFilteredSave(plan, table, WriteGpxFile));
        state.counters["files"] = static_cast<double>(plan.paths.size());
        state.counters["kept"] = static_cast<double>(plan.selection.rows - plan.selection.leftOutCount());
    }
    state.counters["rows"] = kRows;
    std::filesystem::remove_all(folder);
}

void ReadCsv(benchmark::State& state)
{
    const std::string path = BenchPath("export_bench_read.csv");
    WriteCsvFile(path, DecodedTable());
    for (auto _ : state) {
        TrackTable table;
        benchmark::DoNotOptimize(ReadCsvFile(path, table));
    }
    ReportSize(state, path);
}
} // namespace

BENCHMARK(WriteCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteNmea)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveKml)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawKml)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteGpx)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteGpxFilteredByDay)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadCsv)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
