// The points a logger's owner marked with the button (RCR "B"), as the named
// waypoints of a GPX document; they stay points of the track as well.
#pragma once

#include "export/gpx_points.h"

#include <string>
#include <vector>

struct GpxWaypoint {
    GpxPoint point;
    std::string name; // WP001, WP002, ... in order of time
};

// In order of time, those without a readable time last; a row whose
// coordinates cannot be read gives none. Empty without an RCR column.
std::vector<GpxWaypoint> ButtonWaypoints(const TrackTable& table, const ExportColumns& columns);
