// The fixed points of a track file: a memory image (decoded), a CSV table
// (loaded) or a GPX file, told apart by the name's extension.
#pragma once

#include "geotag/track_points.h"

#include <optional>
#include <string>

class UserDialogs;

// weekRollovers repairs the dates of an image or table as the grid option
// does; GPX files carry real dates. Nothing when the file cannot be read,
// after saying why through the dialogs.
std::optional<std::vector<TrackPoint>> LoadTrackPoints(const std::string& path, int weekRollovers,
                                                       UserDialogs& dialogs);
