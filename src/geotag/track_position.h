// Where the track was at a moment: linear in time between the two fixed
// points around it, the height too.
#pragma once

#include "geotag/track_points.h"

#include <cstdint>
#include <variant>
#include <vector>

// A photo further than this from the nearest fixed point is not placed: the
// logger was off or had no sky, and a place in between would be made up.
inline constexpr int kDefaultMaxGapSeconds = 60;

struct TrackPlace {
    double latitude = 0;
    double longitude = 0;
    std::optional<double> height; // only when both points around have one
};

enum class NoPlace {
    OutsideTrack, // before the first point or after the last
    Gap,          // more than the allowed gap from the nearest point
};

// `points` in order of time (as MergeTracks gives them).
std::variant<TrackPlace, NoPlace> PlaceAt(const std::vector<TrackPoint>& points, std::int64_t utcMilliseconds,
                                          std::int64_t maxGapMilliseconds);
