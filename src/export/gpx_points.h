// The track points of a GPX document, read from the track table's cells by
// header text, and where the track breaks into segments.
#pragma once

#include "export/export_columns.h"

#include "export/row_utc.h"

#include <cstdint>
#include <optional>
#include <string_view>

class TrackTable;

// A value the row's cell did not give stays empty and is not written.
struct GpxPoint {
    double latitude = 0;  // signed degrees, north positive
    double longitude = 0; // signed degrees, east positive
    std::optional<double> elevation;
    std::optional<RowTime> time; // UTC
    std::string_view fix;        // a GPX fix type ("none" for a row without a fix), empty when VALID does not tell one
    std::optional<int> satellites;
    std::optional<double> hdop, vdop, pdop;
    std::optional<double> speed;  // metres per second
    std::optional<double> course; // degrees from north, 0 up to 360
    std::string_view track;       // the TRACK cell, empty without the column
};

// Points further apart in time than this belong to different segments: the
// logger was off or lost the sky in between, and a line across would be made up.
inline constexpr std::int64_t kGpxSegmentGapSeconds = 10 * 60;

// Nothing for a row marked "No fix" or without readable coordinates: both
// interrupt the track.
std::optional<GpxPoint> ReadGpxPoint(const TrackTable& table, const ExportColumns& columns, int row);
// The same, a row marked "No fix" included: the logger still gives the place
// it last knew, which is where a button was pressed without a fix.
std::optional<GpxPoint> ReadGpxPlace(const TrackTable& table, const ExportColumns& columns, int row);
// The receiver had no position for the row, so the row holds no point to lose.
bool MarkedNoFix(const TrackTable& table, const ExportColumns& columns, int row);

// After a gap of more than kGpxSegmentGapSeconds, or when time runs backwards.
bool StartsNewSegment(const GpxPoint& previous, const GpxPoint& point);
