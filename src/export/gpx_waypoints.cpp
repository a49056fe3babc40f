#include "export/gpx_waypoints.h"

#include "core/number_text.h"
#include "decode/track_table.h"

#include <algorithm>

std::vector<GpxWaypoint> ButtonWaypoints(const TrackTable& table, const ExportColumns& columns)
{
    std::vector<GpxWaypoint> waypoints;
    if (columns.rcr < 0)
        return waypoints;
    for (int row = 1; row < table.rowCount(); ++row)
        if (table.cell(columns.rcr, row).find('B') != std::string::npos)
            if (auto point = ReadGpxPlace(table, columns, row))
                waypoints.push_back({std::move(*point), {}});
    std::stable_sort(waypoints.begin(), waypoints.end(), [](const GpxWaypoint& a, const GpxWaypoint& b) {
        if (!a.point.time || !b.point.time)
            return a.point.time.has_value() && !b.point.time;
        return UtcMilliseconds(*a.point.time) < UtcMilliseconds(*b.point.time);
    });
    for (std::size_t i = 0; i < waypoints.size(); ++i) {
        waypoints[i].name = "WP";
        AppendInteger(waypoints[i].name, static_cast<long long>(i + 1), 3);
    }
    return waypoints;
}
