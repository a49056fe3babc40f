// The points of a GPX file that carry a time: track points, route points and
// waypoints, as other loggers' tools and Drovik's own GPX export write them.
#pragma once

#include "geotag/track_points.h"

#include <optional>
#include <string>

// Nothing when the file cannot be read or is not well-formed XML; `failure`
// then says why. Points without a time or a place are passed over.
std::optional<std::vector<TrackPoint>> ReadGpxTrackPoints(const std::string& path, std::string& failure);
