// One photo's geotagging, the same in the window and on the command line:
// its time and place are found first (the plan, shown before anything is
// written), then the plan is carried out.
#pragma once

#include "geotag/photo_metadata.h"
#include "geotag/track_points.h"

#include <deque>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct GeotagOptions {
    ClockSettings clock;
    std::int64_t maxGapMilliseconds = std::int64_t{kDefaultMaxGapSeconds} * 1000;
    bool overwrite = false; // replace a position the photo already has
    bool dryRun = false;
    bool sidecar = false; // every photo's tags into NAME.EXT.xmp
};

enum class PhotoOutcome { Tagged, AlreadyTagged, NoTime, NotPlaced, Failed, NotPhoto };

struct PhotoPlan {
    std::string path;
    PhotoOutcome outcome = PhotoOutcome::NotPhoto; // Tagged: to be tagged, until carried out
    std::optional<std::int64_t> utcMilliseconds;
    std::optional<TrackPlace> place;
    std::optional<NoPlace> noPlace;
    bool toSidecar = false;
    std::string failure; // with Failed
};

PhotoPlan PlanPhoto(const std::string& path, const std::vector<TrackPoint>& track, const GeotagOptions& options);

// Carries out plans in the order given: the tags of each photo planned
// Tagged are prepared on the calling thread and the files written by a few
// threads at once, so one photo's flush to disk overlaps the next one's work
// (nothing is written on a dry run). A write that fails turns the outcome
// into Failed. `done` runs on the calling thread, once per plan, in order.
class PlanWriter {
public:
    PlanWriter(const GeotagOptions& options, std::function<void(const PhotoPlan&)> done);

    void add(PhotoPlan plan);
    // Waits for every write and reports it.
    void finish();

private:
    struct Pending {
        PhotoPlan plan;
        std::future<std::string> failure; // not valid when nothing is written
    };
    void reportFirst();

    GeotagOptions options_;
    std::function<void(const PhotoPlan&)> done_;
    std::deque<Pending> pending_; // a write's future waits for it when dropped
};

// The position written (or to be written, on a dry run) or the reason there is none.
std::string OutcomeText(const PhotoPlan& plan, bool dryRun);
// "IMG_0001.JPG  2008-05-04T12:30:15Z  52.5200080, 13.4049540, 35.0 m", or
// the reason the photo was not tagged.
std::string PhotoLine(const PhotoPlan& plan, bool dryRun);

struct GeotagSummary {
    int tagged = 0;
    int alreadyTagged = 0;
    int noTime = 0;
    int notPlaced = 0;
    int failed = 0;

    void count(PhotoOutcome outcome);
};

// "Tagged: 12, already tagged: 1, no time: 0, outside the track or a gap: 2, failed: 0."
std::string SummaryText(const GeotagSummary& summary, bool dryRun);

// The files named and, for folders, the files in them (in their subfolders
// too when recursive), each folder's in order of name. Names that are
// neither go to `missing`.
std::vector<std::string> CollectPhotoPaths(const std::vector<std::string>& names, bool recursive,
                                           std::vector<std::string>& missing);
