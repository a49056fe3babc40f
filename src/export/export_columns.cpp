#include "export/export_columns.h"

#include "decode/track_columns.h"
#include "decode/track_table.h"

#include <string_view>
#include <utility>

ExportColumns LookUpExportColumns(const TrackTable& table)
{
    ExportColumns columns;
    const std::pair<int ExportColumns::*, std::string_view> lookups[] = {
        {&ExportColumns::rcr, header::kRcr},           {&ExportColumns::date, header::kDate},
        {&ExportColumns::time, header::kTime},         {&ExportColumns::valid, header::kValid},
        {&ExportColumns::latitude, header::kLatitude}, {&ExportColumns::longitude, header::kLongitude},
        {&ExportColumns::height, header::kHeight},     {&ExportColumns::speed, header::kSpeed},
        {&ExportColumns::heading, header::kHeading},   {&ExportColumns::pdop, header::kPdop},
        {&ExportColumns::hdop, header::kHdop},         {&ExportColumns::vdop, header::kVdop},
        {&ExportColumns::nsat, header::kNsat},         {&ExportColumns::satinfo, header::kFullSatInfo},
        {&ExportColumns::track, header::kTrack},
    };
    for (const auto& [column, text] : lookups)
        columns.*column = table.findColumn(text);
    return columns;
}
