// The columns of the track table: which ones a LogFormatMask shows, their
// headers and width hints, and the cell texts of a record.
#pragma once

#include "decode/log_image.h"

#include <string>
#include <string_view>
#include <vector>

struct TrackColumn {
    std::string header;
    int width = 0;  // pixels; 0 keeps the grid's default
};

// INDEX first, then the columns of the set bits in table order.
std::vector<TrackColumn> TrackColumnsFor(std::uint32_t mask);

// The row of a record under the mask it was read with: one text per column
// of TrackColumnsFor(record.mask), the INDEX cell showing `index`.
std::vector<std::string> TrackRowTexts(const TrackRecord& record, int index);

// The fix-mode name of the lowest set bit of a VALID value; empty if none.
std::string_view FixModeText(std::uint16_t valid);
// The SAT INFO cell: blocks joined by ";" ("#" marks a satellite in use).
std::string SatelliteText(const TrackRecord& record);
