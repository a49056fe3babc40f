// The satellite pop-up of the track grid: what selecting a cell shows.
#pragma once

#include "decode/track_table.h"

#include <optional>
#include <string>

// The selected SAT INFO cell with one satellite per line; nothing for a cell
// of another column, the header row, or an empty cell.
std::optional<std::string> SatelliteInfoText(const TrackTable& table, int column, int row);
