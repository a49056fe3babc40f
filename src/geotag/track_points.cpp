#include "geotag/track_points.h"

#include "decode/track_table.h"
#include "export/export_columns.h"
#include "export/gpx_points.h"

#include <algorithm>

std::vector<TrackPoint> TrackPointsOfTable(const TrackTable& table)
{
    const ExportColumns columns = LookUpExportColumns(table);
    std::vector<TrackPoint> points;
    for (int row = 1; row < table.rowCount() && !table.cell(0, row).empty(); ++row) {
        const auto point = ReadGpxPoint(table, columns, row);
        if (!point || !point->time)
            continue;
        points.push_back({UtcMilliseconds(*point->time), point->latitude, point->longitude, point->elevation});
    }
    return points;
}

std::vector<TrackPoint> MergeTracks(std::vector<std::vector<TrackPoint>> tracks)
{
    std::vector<TrackPoint> merged;
    for (auto& track : tracks)
        merged.insert(merged.end(), track.begin(), track.end());
    std::stable_sort(merged.begin(), merged.end(),
                     [](const TrackPoint& a, const TrackPoint& b) { return a.utcMilliseconds < b.utcMilliseconds; });
    merged.erase(
        std::unique(merged.begin(), merged.end(),
                    [](const TrackPoint& a, const TrackPoint& b) { return a.utcMilliseconds == b.utcMilliseconds; }),
        merged.end());
    return merged;
}
