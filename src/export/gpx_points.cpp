#include "export/gpx_points.h"

#include "decode/track_columns.h"
#include "decode/track_options.h"
#include "decode/track_table.h"
#include "export/cell_values.h"
#include "core/text_scan.h"

namespace {
// Only these VALID texts say which GPX fix type the point had; SPS and the
// others do not tell a 2D from a 3D fix.
std::string_view GpxFix(std::string_view valid)
{
    if (valid == kFixModes[0])
        return "none";
    if (valid == "DGPS")
        return "dgps";
    if (valid == "PPS")
        return "pps";
    return {};
}

std::optional<double> Number(const std::string& cell)
{
    double value = 0;
    return TextScanner(cell).decimal(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> MetresPerSecond(const std::string& cell)
{
    const auto kmh = SpeedInKilometresPerHour(cell);
    if (!kmh || *kmh < 0)
        return std::nullopt;
    return *kmh / 3.6;
}

std::optional<double> Course(const std::string& cell)
{
    const auto degrees = Number(cell);
    return degrees && *degrees >= 0 && *degrees < 360 ? degrees : std::nullopt;
}

std::optional<int> SatellitesInUse(const std::string& cell)
{
    int inUse = 0, inView = 0;
    return ReadSatelliteCounts(cell, inUse, inView) && inUse >= 0 ? std::optional<int>(inUse) : std::nullopt;
}
} // namespace

std::optional<GpxPoint> ReadGpxPoint(const TrackTable& table, const ExportColumns& columns, int row)
{
    if (MarkedNoFix(table, columns, row))
        return std::nullopt;
    return ReadGpxPlace(table, columns, row);
}

std::optional<GpxPoint> ReadGpxPlace(const TrackTable& table, const ExportColumns& columns, int row)
{
    const auto cell = [&](int column) -> const std::string& { return table.cell(column, row); };
    if (columns.latitude < 0 || columns.longitude < 0)
        return std::nullopt;
    const auto latitude = SignedDegrees(cell(columns.latitude), cell(columns.latitude + 1), "N");
    const auto longitude = SignedDegrees(cell(columns.longitude), cell(columns.longitude + 1), "E");
    if (!latitude || !longitude)
        return std::nullopt;

    // A missing column reads as the empty cell, which gives no value.
    GpxPoint point;
    point.latitude = *latitude;
    point.longitude = *longitude;
    point.elevation = Number(cell(columns.height));
    if (columns.date >= 0)
        point.time = RowUtcTime(table, columns.date, row);
    point.fix = GpxFix(cell(columns.valid));
    point.satellites = SatellitesInUse(cell(columns.nsat));
    point.hdop = Number(cell(columns.hdop));
    point.vdop = Number(cell(columns.vdop));
    point.pdop = Number(cell(columns.pdop));
    point.speed = MetresPerSecond(cell(columns.speed));
    point.course = Course(cell(columns.heading));
    point.track = cell(columns.track);
    return point;
}

bool StartsNewSegment(const GpxPoint& previous, const GpxPoint& point)
{
    if (!previous.time || !point.time)
        return false;
    const std::int64_t step = UtcMilliseconds(*point.time) - UtcMilliseconds(*previous.time);
    return step < 0 || step > kGpxSegmentGapSeconds * 1000;
}

bool MarkedNoFix(const TrackTable& table, const ExportColumns& columns, int row)
{
    return table.cell(columns.valid, row) == kFixModes[0];
}
