// The fixed points a photo's position is found between: from a track table
// (a decoded image or a loaded CSV table) or a GPX file, merged by time.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class TrackTable;

struct TrackPoint {
    std::int64_t utcMilliseconds = 0;
    double latitude = 0;          // signed degrees, north positive
    double longitude = 0;         // signed degrees, east positive
    std::optional<double> height; // metres
};

// The rows with a fix, a place and a time, in UTC whatever time shift the
// table shows; rows without any of them are no fixed point.
std::vector<TrackPoint> TrackPointsOfTable(const TrackTable& table);

// Every point of every track in order of time; of points at the same moment
// the first given is kept, so one track's point does not jump to another's.
std::vector<TrackPoint> MergeTracks(std::vector<std::vector<TrackPoint>> tracks);
