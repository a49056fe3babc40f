// The row filter both KML walks share: which rows of the track table are track
// points and which are passed over.
#pragma once

#include "export/export_columns.h"

#include <string_view>

class TrackTable;

// Record reasons of a row, from the letters T, D, S and B.
enum StampFlag { kStampTime = 1, kStampDistance = 2, kStampSpeed = 4, kStampMix = 8 };

// One visited row. The texts point into the table and live as long as its cells.
struct TrackPoint {
    double latitude = 0;  // signed degrees, north positive
    double longitude = 0; // signed degrees, east positive
    double height = 0;    // metres
    int stampFlags = 0;
    std::string_view date, time, speed;
    std::string_view latitudeText, northSouth;
    std::string_view longitudeText, eastWest;
    std::string_view track; // the TRACK cell, empty without the column
};

// Rows marked "No fix" and rows whose coordinates do not read as numbers are
// passed over; counting them would put a point at 0 and add its legs to the
// distance. Fills the point for a row that is one.
bool ReadTrackRow(const TrackTable& table, const ExportColumns& columns, int row, TrackPoint& point);
