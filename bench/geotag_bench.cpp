// Geotagging a card of photos: 1,000 photos of 3 MB each against the track of
// a full 2 MiB memory image, from reading the image to the last photo renamed
// into place. GEOTAG_BENCH_PHOTOS and GEOTAG_BENCH_PHOTO_BYTES make a smaller
// card, for a quick run.
#include "decode/civil_time.h"
#include "geotag/geotag_photo.h"
#include "geotag/track_files.h"
#include "support/dated_photo.h"
#include "testbed/log_image_writer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
namespace fs = std::filesystem;

// The card's size: the variable's number when set, else the default.
std::size_t CardSize(const char* variable, std::size_t fallback)
{
    const char* text = std::getenv(variable);
    return text ? std::stoul(text) : fallback;
}
const std::size_t kPhotos = CardSize("GEOTAG_BENCH_PHOTOS", 1000);
const std::size_t kPhotoBytes = CardSize("GEOTAG_BENCH_PHOTO_BYTES", 3'000'000);
constexpr std::int64_t kSampleStart = 1180000000; // the sample track's first point, UTC

std::string ExifTime(std::int64_t utcSeconds)
{
    const CivilTime time = CivilTimeFromSeconds(utcSeconds);
    char text[20];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", static_cast<int>(time.year),
                  static_cast<int>(time.month), static_cast<int>(time.day), static_cast<int>(time.hour),
                  static_cast<int>(time.minute), static_cast<int>(time.second));
    return text;
}

// A photo's worth of scan data after the tiny JPEG's header, so Exiv2 has the
// whole of a real photo to copy.
std::string PhotoBytes(const std::string& path, std::int64_t utcSeconds)
{
    WriteDatedPhoto(path, {{"Exif.Photo.DateTimeOriginal", ExifTime(utcSeconds)},
                           {"Exif.Photo.OffsetTimeOriginal", "+00:00"},
                           {"Exif.Image.Make", "BenchCam"}});
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), {});
    if (bytes.size() < kPhotoBytes)
        bytes.insert(bytes.size() - 2, std::string(kPhotoBytes - bytes.size(), '\0')); // before the end marker
    return bytes;
}

void GeotagCard(benchmark::State& state)
{
    const fs::path folder = fs::temp_directory_path() / "geotag_bench";
    fs::remove_all(folder);
    fs::create_directories(folder / "photos");
    const std::string image = (folder / "data.bin").string();
    WriteImageFile(image, MakeSampleImage({.sectorCount = 32}));
    InitializePhotoMetadata();
    GeotagSummary summary;
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < kPhotos; ++i) {
            const std::string path = (folder / "photos" / ("IMG_" + std::to_string(1000 + i) + ".JPG")).string();
            const std::string bytes = PhotoBytes(path, kSampleStart + 30 + static_cast<std::int64_t>(i) * 37);
            std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        }
        state.ResumeTiming();

        const auto track = LoadTrackPoints(image, 0).points;
        std::vector<std::string> missing;
        summary = {};
        const GeotagOptions options;
        PlanWriter writer(options, [&](const PhotoPlan& plan) { summary.count(plan.outcome); });
        for (const std::string& path : CollectPhotoPaths({(folder / "photos").string()}, false, missing))
            writer.add(PlanPhoto(path, *track, options));
        writer.finish();
        state.counters["track points"] = static_cast<double>(track->size());
    }
    state.counters["tagged"] = summary.tagged;
    state.counters["failed"] = summary.failed;
    fs::remove_all(folder);
}
BENCHMARK(GeotagCard)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
