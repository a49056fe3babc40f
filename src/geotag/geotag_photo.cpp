#include "geotag/geotag_photo.h"

#include "core/number_text.h"
#include "export/iso_time.h"
#include "geotag/track_position.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace {
namespace fs = std::filesystem;

// Files written at once: enough to keep the disk's queue busy while their
// flushes run, few enough to hold only some photos in memory.
constexpr std::size_t kWritesAtOnce = 4;

std::string PlaceText(const TrackPlace& place)
{
    std::string text;
    AppendFixed(text, place.latitude, 7);
    text += ", ";
    AppendFixed(text, place.longitude, 7);
    if (place.height) {
        text += ", ";
        AppendFixed(text, *place.height, 1);
        text += " m";
    }
    return text;
}
} // namespace

std::string OutcomeText(const PhotoPlan& plan, bool dryRun)
{
    switch (plan.outcome) {
    case PhotoOutcome::Tagged:
        return (dryRun ? "would tag " : "") + PlaceText(*plan.place) + (plan.toSidecar ? " (sidecar)" : "");
    case PhotoOutcome::AlreadyTagged:
        return "already has a position";
    case PhotoOutcome::NoTime:
        return "no time taken (DateTimeOriginal)";
    case PhotoOutcome::NotPlaced:
        return plan.noPlace == NoPlace::Gap ? "in a gap of the track" : "outside the track";
    case PhotoOutcome::Failed:
        return "failed: " + plan.failure;
    case PhotoOutcome::NotPhoto:
        break;
    }
    return "not a photo";
}

PhotoPlan PlanPhoto(const std::string& path, const std::vector<TrackPoint>& track, const GeotagOptions& options)
{
    PhotoPlan plan;
    plan.path = path;
    const PhotoFacts facts = ReadPhotoFacts(path);
    if (facts.kind == PhotoKind::NotPhoto)
        return plan;
    if (facts.kind == PhotoKind::Unreadable) {
        plan.outcome = PhotoOutcome::Failed;
        plan.failure = facts.failure;
        return plan;
    }
    plan.toSidecar = options.sidecar || facts.needsSidecar;
    if (!facts.clock) {
        plan.outcome = PhotoOutcome::NoTime;
        return plan;
    }
    plan.utcMilliseconds = PhotoUtcMilliseconds(*facts.clock, options.clock);
    if (facts.hasPosition && !options.overwrite) {
        plan.outcome = PhotoOutcome::AlreadyTagged;
        return plan;
    }
    const auto place = PlaceAt(track, *plan.utcMilliseconds, options.maxGapMilliseconds);
    if (const auto* found = std::get_if<TrackPlace>(&place)) {
        plan.place = *found;
        plan.outcome = PhotoOutcome::Tagged;
    } else {
        plan.noPlace = std::get<NoPlace>(place);
        plan.outcome = PhotoOutcome::NotPlaced;
    }
    return plan;
}

PlanWriter::PlanWriter(const GeotagOptions& options, std::function<void(const PhotoPlan&)> done)
    : options_(options), done_(std::move(done))
{
}

void PlanWriter::add(PhotoPlan plan)
{
    Pending pending{std::move(plan), {}};
    if (pending.plan.outcome == PhotoOutcome::Tagged && !options_.dryRun) {
        const PhotoPlan& tagged = pending.plan;
        PreparedFile file = PrepareGpsStamp(tagged.path, {*tagged.place, *tagged.utcMilliseconds}, tagged.toSidecar);
        pending.failure = std::async(std::launch::async, [file = std::move(file)] { return PutInPlace(file); });
    }
    pending_.push_back(std::move(pending));
    while (!pending_.empty() &&
           (pending_.size() > kWritesAtOnce || !pending_.front().failure.valid() ||
            pending_.front().failure.wait_for(std::chrono::seconds(0)) == std::future_status::ready))
        reportFirst();
}

void PlanWriter::finish()
{
    while (!pending_.empty())
        reportFirst();
}

void PlanWriter::reportFirst()
{
    Pending first = std::move(pending_.front());
    pending_.pop_front();
    if (first.failure.valid()) {
        first.plan.failure = first.failure.get();
        if (!first.plan.failure.empty())
            first.plan.outcome = PhotoOutcome::Failed;
    }
    done_(first.plan);
}

std::string PhotoLine(const PhotoPlan& plan, bool dryRun)
{
    std::string line = plan.path;
    line += "  ";
    if (plan.utcMilliseconds) {
        line += IsoTimeText(*plan.utcMilliseconds);
        line += "  ";
    }
    return line + OutcomeText(plan, dryRun);
}

void GeotagSummary::count(PhotoOutcome outcome)
{
    switch (outcome) {
    case PhotoOutcome::Tagged:
        ++tagged;
        break;
    case PhotoOutcome::AlreadyTagged:
        ++alreadyTagged;
        break;
    case PhotoOutcome::NoTime:
        ++noTime;
        break;
    case PhotoOutcome::NotPlaced:
        ++notPlaced;
        break;
    case PhotoOutcome::Failed:
        ++failed;
        break;
    case PhotoOutcome::NotPhoto:
        break;
    }
}

std::string SummaryText(const GeotagSummary& summary, bool dryRun)
{
    return std::string(dryRun ? "Would tag: " : "Tagged: ") + std::to_string(summary.tagged) +
           ", already tagged: " + std::to_string(summary.alreadyTagged) +
           ", no time: " + std::to_string(summary.noTime) +
           ", outside the track or a gap: " + std::to_string(summary.notPlaced) +
           ", failed: " + std::to_string(summary.failed) + ".";
}

std::vector<std::string> CollectPhotoPaths(const std::vector<std::string>& names, bool recursive,
                                           std::vector<std::string>& missing)
{
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        std::error_code error;
        if (fs::is_regular_file(name, error)) {
            paths.push_back(name);
            continue;
        }
        if (!fs::is_directory(name, error)) {
            missing.push_back(name);
            continue;
        }
        std::vector<std::string> found;
        const auto options = fs::directory_options::skip_permission_denied;
        if (recursive) {
            for (const auto& entry : fs::recursive_directory_iterator(name, options, error))
                if (entry.is_regular_file(error))
                    found.push_back(entry.path().string());
        } else {
            for (const auto& entry : fs::directory_iterator(name, options, error))
                if (entry.is_regular_file(error))
                    found.push_back(entry.path().string());
        }
        std::sort(found.begin(), found.end());
        paths.insert(paths.end(), found.begin(), found.end());
    }
    return paths;
}
