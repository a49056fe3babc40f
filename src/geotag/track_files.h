// The fixed points of a track file: a memory image (decoded), a CSV table
// (loaded) or a GPX file, told apart by the name's extension.
#pragma once

#include "geotag/track_points.h"

#include <optional>
#include <string>

struct TrackFilePoints {
    std::optional<std::vector<TrackPoint>> points; // nothing when the file cannot be read
    std::string failure;                           // then why, for the user
    int recordsPassedOver = 0;                     // of an image, as its decode counted them
};

// weekRollovers repairs the dates of an image or table as the grid option
// does; GPX files carry real dates.
TrackFilePoints LoadTrackPoints(const std::string& path, int weekRollovers);
