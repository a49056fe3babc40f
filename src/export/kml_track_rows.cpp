#include "export/kml_track_rows.h"

#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "core/text_scan.h"
#include "export/cell_values.h"

namespace {
int StampFlags(std::string_view reasons)
{
    int flags = 0;
    for (char letter : reasons) {
        switch (letter) {
        case 'T':
            flags |= kStampTime;
            break;
        case 'D':
            flags |= kStampDistance;
            break;
        case 'S':
            flags |= kStampSpeed;
            break;
        case 'B':
            flags |= kStampMix;
            break;
        default:
            break;
        }
    }
    return flags;
}
} // namespace

bool ReadTrackRow(const TrackTable& table, const ExportColumns& columns, int row, TrackPoint& point)
{
    const auto cell = [&](int column) -> std::string_view { return table.cell(column, row); };
    if (cell(columns.valid) == kFixModes[0])
        return false;
    point.latitudeText = cell(columns.latitude);
    point.northSouth = cell(columns.latitude + 1);
    point.longitudeText = cell(columns.longitude);
    point.eastWest = cell(columns.longitude + 1);
    const auto latitude = SignedDegrees(point.latitudeText, point.northSouth, "N");
    const auto longitude = SignedDegrees(point.longitudeText, point.eastWest, "E");
    if (!latitude || !longitude)
        return false;
    point.latitude = *latitude;
    point.longitude = *longitude;
    point.height = columns.height >= 0 ? LeadingDecimal(cell(columns.height)) : 0;
    point.stampFlags = StampFlags(cell(1));
    point.date = cell(columns.date);
    point.time = cell(columns.time);
    point.speed = cell(columns.speed);
    point.track = cell(columns.track);
    return true;
}
