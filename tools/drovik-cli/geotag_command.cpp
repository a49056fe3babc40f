// drovik-cli geotag: puts the track's positions into the photos taken along it.
#include "cli_texts.h"
#include "progress_line.h"
#include "subcommand.h"

#include "core/number_text.h"
#include "decode/load_result.h"
#include "decode/track_options.h"
#include "export/iso_time.h"
#include "geotag/geotag_photo.h"
#include "geotag/track_files.h"

#include <chrono>
#include <iostream>
#include <optional>

namespace {
constexpr const char* kHelp = "Usage: drovik-cli geotag --track FILE [--track FILE...] [OPTIONS] PHOTO|FOLDER...\n"
                              "\n"
                              "Writes into each photo where the track was when the photo was taken.\n"
                              "\n"
                              "A track is a logger memory image (such as data.bin), a CSV table or a GPX\n"
                              "file (by its extension: .csv, .gpx, anything else an image); several\n"
                              "tracks are merged by time. Only points with a fix count.\n"
                              "A folder gives the files in it; files that are not photos are passed over.\n"
                              "\n"
                              "The photo's time is its EXIF DateTimeOriginal (with SubSecTimeOriginal),\n"
                              "the camera's local clock. Its zone is the photo's OffsetTimeOriginal, else\n"
                              "--zone, else this computer's zone rules for the photo's date (summer time\n"
                              "included). The position is interpolated in time between the two track\n"
                              "points around the photo's time, the height too.\n"
                              "\n"
                              "Written: GPS version, latitude and longitude, altitude, the GPS date and\n"
                              "time (UTC) and the datum WGS-84; the rest of the metadata stays. Each photo\n"
                              "is written whole beside itself and renamed over itself, its modification\n"
                              "time kept. Raw formats get an XMP sidecar NAME.EXT.xmp instead.\n"
                              "\n"
                              "Options:\n"
                              "  --track FILE             a track (at least one)\n"
                              "  --zone +HH:MM            the camera's zone, for photos that do not name it\n"
                              "  --offset [+-][HH:]MM:SS  added to the camera's time: +00:30 for a camera\n"
                              "                           30 seconds slow\n"
                              "  --sync PHOTO=TIME        PHOTO shows a clock that read TIME (ISO 8601, UTC\n"
                              "                           unless an offset is given, such as\n"
                              "                           2008-05-04T12:30:15Z); the camera's offset is\n"
                              "                           found from it (instead of --offset)\n"
                              "  --max-gap SECONDS        no position for a photo further than this from\n"
                              "                           the nearest track point (default 60)\n"
                              "  --week-rollover N        add N times 1024 weeks (0 to 3) to the dates of an\n"
                              "                           image or CSV track, as for convert\n"
                              "  --overwrite              replace a position a photo already has\n"
                              "  --sidecar                write every photo's tags into NAME.EXT.xmp\n"
                              "  --dry-run                tell what would be done and write nothing\n"
                              "  --recursive              go into the folders' subfolders too\n"
                              "  -h, --help               show this text\n"
                              "\n"
                              "stdout gets a line per photo (its name, the UTC time used, and the position\n"
                              "or why it has none), then a count of each outcome. On a terminal stderr\n"
                              "shows the progress.\n"
                              "\n"
                              "Exit status: 0 when every photo that could be tagged was; 1 when a photo\n"
                              "could not be read or written, or a track cannot be read (reasons on\n"
                              "stderr); 2 wrong usage.\n";

struct GeotagRequest {
    std::vector<std::string> tracks;
    std::vector<std::string> photos;
    std::optional<std::string> sync;
    std::optional<std::int64_t> offset;
    int weekRollovers = 0;
    bool recursive = false;
    GeotagOptions options;
};

bool TakeValue(const std::string& option, const std::string& value, GeotagRequest& request)
{
    if (option == "--track") {
        request.tracks.push_back(value);
    } else if (option == "--zone") {
        request.options.clock.zoneSeconds = ParseZoneOffset(value);
        if (!request.options.clock.zoneSeconds) {
            PrintError("geotag: --zone takes +HH:MM or -HH:MM, not '" + value + "'");
            return false;
        }
    } else if (option == "--offset") {
        request.offset = ParseClockCorrection(value);
        if (!request.offset) {
            PrintError("geotag: --offset takes [+-][HH:]MM:SS, not '" + value + "'");
            return false;
        }
    } else if (option == "--sync") {
        request.sync = value;
    } else if (option == "--max-gap") {
        const auto seconds = ParseInteger(value);
        if (!seconds || *seconds < 0 || *seconds > 86400 * 365) {
            PrintError("geotag: --max-gap takes whole seconds, not '" + value + "'");
            return false;
        }
        request.options.maxGapMilliseconds = *seconds * 1000;
    } else {
        const auto periods = ParseInteger(value);
        if (!periods || *periods < 0 || *periods > kMaxWeekRollovers) {
            PrintError("geotag: --week-rollover takes 0 to 3, not '" + value + "'");
            return false;
        }
        request.weekRollovers = static_cast<int>(*periods);
    }
    return true;
}

bool TakeFlag(const std::string& flag, GeotagRequest& request)
{
    if (flag == "--overwrite")
        request.options.overwrite = true;
    else if (flag == "--dry-run")
        request.options.dryRun = true;
    else if (flag == "--sidecar")
        request.options.sidecar = true;
    else if (flag == "--recursive")
        request.recursive = true;
    else
        return false;
    return true;
}

// nullopt after telling what is wrong.
std::optional<GeotagRequest> ParseArguments(const std::vector<std::string>& arguments)
{
    GeotagRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue = argument == "--track" || argument == "--zone" || argument == "--offset" ||
                                argument == "--sync" || argument == "--max-gap" || argument == "--week-rollover";
        if (takesValue) {
            if (i + 1 == arguments.size()) {
                PrintError("geotag: " + argument + " needs a value");
                return std::nullopt;
            }
            if (!TakeValue(argument, arguments[++i], request))
                return std::nullopt;
        } else if (!TakeFlag(argument, request)) {
            if (argument.size() > 1 && argument.front() == '-') {
                PrintError("geotag: unknown option '" + argument + "'");
                return std::nullopt;
            }
            request.photos.push_back(argument);
        }
    }
    if (request.tracks.empty() || request.photos.empty()) {
        PrintError("geotag: give --track FILE and the photos; see drovik-cli geotag --help");
        return std::nullopt;
    }
    if (request.sync && request.offset) {
        PrintError("geotag: give --sync or --offset, not both");
        return std::nullopt;
    }
    request.options.clock.correctionMilliseconds = request.offset.value_or(0);
    return request;
}

// The correction --sync gives; nullopt after telling what is wrong.
std::optional<std::int64_t> SyncCorrection(const std::string& sync, const ClockSettings& clock)
{
    const std::size_t equals = sync.rfind('=');
    const auto trueTime = equals == std::string::npos ? std::nullopt : ParseIsoTime(sync.substr(equals + 1));
    if (!trueTime) {
        PrintError("geotag: --sync takes PHOTO=TIME with an ISO 8601 TIME, not '" + sync + "'");
        return std::nullopt;
    }
    const std::string photo = sync.substr(0, equals);
    const PhotoFacts facts = ReadPhotoFacts(photo);
    if (!facts.clock) {
        PrintError("geotag: --sync: " + photo + " has no time taken (DateTimeOriginal)" +
                   (facts.failure.empty() ? "" : ": " + facts.failure));
        return std::nullopt;
    }
    return SyncCorrectionMilliseconds(*facts.clock, *trueTime, clock);
}

std::optional<std::vector<TrackPoint>> LoadTracks(const GeotagRequest& request)
{
    std::vector<std::vector<TrackPoint>> tracks;
    for (const std::string& path : request.tracks) {
        TrackFilePoints loaded = LoadTrackPoints(path, request.weekRollovers);
        if (!loaded.points) {
            PrintError(CliText::ForFailure(loaded.failure));
            return std::nullopt;
        }
        if (const std::string passedOver = PassedOverText({.recordsPassedOver = loaded.recordsPassedOver});
            !passedOver.empty())
            PrintNote(path + ": " + passedOver);
        tracks.push_back(std::move(*loaded.points));
    }
    auto merged = MergeTracks(std::move(tracks));
    if (merged.empty()) {
        PrintError("geotag: the tracks hold no point with a fix and a time");
        return std::nullopt;
    }
    return merged;
}

// The progress line on a terminal, taken away before each photo's line.
class PhotoProgress {
public:
    explicit PhotoProgress(std::size_t total) : total_(total), terminal_(StderrIsTerminal() && !Quiet()) {}
    ~PhotoProgress()
    {
        if (shown_)
            std::cerr << "\r\033[K" << std::flush;
    }
    PhotoProgress(const PhotoProgress&) = delete;
    PhotoProgress& operator=(const PhotoProgress&) = delete;

    void clear()
    {
        if (shown_) {
            std::cerr << "\r\033[K" << std::flush;
            shown_ = false;
        }
    }
    void show(std::size_t done)
    {
        if (!terminal_)
            return;
        std::cerr << '\r' << CountProgressLine(done, total_, "photos", std::chrono::steady_clock::now() - start_)
                  << std::flush;
        shown_ = true;
    }

private:
    std::size_t total_;
    bool terminal_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

int RunGeotag(const std::vector<std::string>& arguments)
{
    auto request = ParseArguments(arguments);
    if (!request)
        return kExitUsage;
    InitializePhotoMetadata();
    std::vector<std::string> missing;
    const std::vector<std::string> photos = CollectPhotoPaths(request->photos, request->recursive, missing);
    for (const std::string& name : missing)
        PrintError("geotag: no such file or folder: '" + name + "'");
    if (!missing.empty())
        return kExitUsage;
    if (request->sync) {
        const auto correction = SyncCorrection(*request->sync, request->options.clock);
        if (!correction)
            return kExitUsage;
        request->options.clock.correctionMilliseconds = *correction;
    }
    const auto track = LoadTracks(*request);
    if (!track)
        return kExitFailure;

    GeotagSummary summary;
    PhotoProgress progress(photos.size());
    std::size_t done = 0;
    PlanWriter writer(request->options, [&](const PhotoPlan& plan) {
        summary.count(plan.outcome);
        if (plan.outcome != PhotoOutcome::NotPhoto) {
            progress.clear();
            std::cout << PhotoLine(plan, request->options.dryRun) << '\n' << std::flush;
        }
        progress.show(++done);
    });
    for (const std::string& photo : photos)
        writer.add(PlanPhoto(photo, *track, request->options));
    writer.finish();
    progress.clear();
    std::cout << SummaryText(summary, request->options.dryRun) << '\n';
    return summary.failed > 0 ? kExitFailure : kExitSuccess;
}

const SubcommandRegistration kRegistration{{"geotag", "write the track's positions into photos", kHelp, RunGeotag}};
} // namespace
