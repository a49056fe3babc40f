// The "My Places" folder of a KML export: one point placemark per stamped
// track row, labelled with the distance travelled along the track.
#pragma once

#include "export/geodesy.h"

#include <optional>

class OutputFile;
class TrackTable;
struct ExportColumns;

enum class KmlExportKind { SaveAs, Draw };

// Rows numbered as in the table (1 for the first record), both ends included.
struct RowRange {
    int first = 1;
    int last = 1;
};

// The distance summed along the track during one export.
struct TrackDistance {
    Ecef PreviousEcef; // all zero: no previous point
    double RunningDistance = 0;

    // Adds the leg from the previous point, unless that point has a zero coordinate.
    void advance(const Ecef& point);
};

// Writes the placemarks of the track's rows; with a range,
// only rows inside it get placemarks, though every row counts for the distance.
void WriteKmlPlacemarks(OutputFile& file, const TrackTable& table, const ExportColumns& columns, KmlExportKind kind,
                        std::optional<RowRange> placemarkRows);
