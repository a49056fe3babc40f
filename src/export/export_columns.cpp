#include "export/export_columns.h"

#include "decode/track_columns.h"
#include "decode/track_table.h"

ExportColumns LookUpExportColumns(const TrackTable& table)
{
    ExportColumns columns;
    columns.date = table.findColumn(header::kDate);
    columns.time = table.findColumn(header::kTime);
    columns.valid = table.findColumn(header::kValid);
    columns.latitude = table.findColumn(header::kLatitude);
    columns.longitude = table.findColumn(header::kLongitude);
    columns.height = table.findColumn(header::kHeight);
    columns.speed = table.findColumn(header::kSpeed);
    columns.heading = table.findColumn(header::kHeading);
    columns.pdop = table.findColumn(header::kPdop);
    columns.hdop = table.findColumn(header::kHdop);
    columns.vdop = table.findColumn(header::kVdop);
    columns.nsat = table.findColumn(header::kNsat);
    columns.satinfo = table.findColumn(header::kFullSatInfo);
    return columns;
}
