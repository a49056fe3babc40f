#include "export/nmea_row.h"

#include "core/number_text.h"
#include "decode/track_columns.h"
#include "decode/track_options.h"
#include "decode/track_table.h"
#include "core/text_scan.h"
#include "export/cell_values.h"

#include <algorithm>
#include <string_view>

namespace {
// "24.123456" -> 24 degrees and the minutes text "07.407360".
bool ReadCoordinate(const std::string& cell, const std::string& hemisphere, NmeaCoordinate& coordinate)
{
    TextScanner scanner(cell);
    double fraction = 0;
    if (!(scanner.integer(coordinate.degrees) && scanner.decimal(fraction)))
        return false;
    const double minutes = fraction * 60;
    coordinate.minutes.clear();
    if (minutes < 10)
        coordinate.minutes += '0';
    AppendFixed(coordinate.minutes, minutes, 6);
    coordinate.hemisphere = hemisphere;
    return true;
}

bool ReadNumber(const std::string& cell, double& value)
{
    return TextScanner(cell).decimal(value);
}

bool ReadNumber(const std::string& cell, float& value)
{
    double number = 0;
    if (!ReadNumber(cell, number))
        return false;
    value = static_cast<float>(number);
    return true;
}

bool ReadSpeed(const std::string& cell, double& kmh)
{
    const auto speed = SpeedInKilometresPerHour(cell);
    kmh = speed.value_or(0);
    return speed.has_value();
}

// "#05-45-123-40" or "12--7-310-00": in use when marked, then ID, signed elevation, azimuth, SNR.
bool ReadSatellite(std::string_view text, NmeaSatellite& satellite)
{
    TextScanner scanner(text);
    satellite.inUse = scanner.literal('#');
    return scanner.integer(satellite.id) && scanner.literal('-') && scanner.integer(satellite.elevation) &&
           scanner.literal('-') && scanner.integer(satellite.azimuth) && scanner.literal('-') &&
           scanner.integer(satellite.snr) && scanner.rest().empty();
}

// Satellites joined by ";". A zero-filled entry ("00-00-00-00") ends the list.
bool ReadSatelliteList(std::string_view cell, NmeaRow& values)
{
    values.satelliteCount = 0;
    for (;;) {
        const std::size_t end = std::min(cell.find(';'), cell.size());
        NmeaSatellite satellite;
        if (!ReadSatellite(cell.substr(0, end), satellite))
            return false;
        if (satellite.id == 0)
            return true;
        if (values.satelliteCount < kMaxNmeaSatellites)
            values.satellites[values.satelliteCount++] = satellite;
        if (end == cell.size())
            return true;
        cell.remove_prefix(end + 1);
    }
}
} // namespace

unsigned FoundNmeaFields(const ExportColumns& columns)
{
    const std::pair<int, NmeaField> fields[] = {
        {columns.date, kNmeaTime},           {columns.valid, kNmeaValid}, {columns.latitude, kNmeaLatitude},
        {columns.longitude, kNmeaLongitude}, {columns.speed, kNmeaSpeed}, {columns.pdop, kNmeaPdop},
        {columns.hdop, kNmeaHdop},           {columns.vdop, kNmeaVdop},   {columns.nsat, kNmeaSatelliteCounts},
        {columns.satinfo, kNmeaSatellites},
    };
    unsigned found = kNmeaHeight;
    for (const auto& [column, field] : fields)
        if (column >= 0)
            found |= field;
    return found;
}

int FixQuality(const std::string& valid)
{
    const auto found = std::find(kFixModes.begin(), kFixModes.end(), valid);
    return found == kFixModes.end() ? 0 : static_cast<int>(found - kFixModes.begin());
}

void ReadNmeaRow(const TrackTable& table, const ExportColumns& columns, int row, NmeaRow& values)
{
    values = {};
    values.zoneHours = table.timeShiftHours();
    const auto cell = [&](int column) -> const std::string& { return table.cell(column, row); };
    // Sets the field's bit when its column was found and the cell read.
    const auto read = [&](int column, NmeaField field, auto reader) {
        if (column >= 0 && reader())
            values.fields |= field;
    };

    read(columns.date, kNmeaTime, [&] {
        const auto time = RowUtcTime(table, columns.date, row);
        values.time = time.value_or(RowTime{});
        return time.has_value();
    });
    read(columns.valid, kNmeaValid, [&] {
        values.fixQuality = FixQuality(cell(columns.valid));
        return true;
    });
    read(columns.latitude, kNmeaLatitude,
         [&] { return ReadCoordinate(cell(columns.latitude), cell(columns.latitude + 1), values.latitude); });
    read(columns.longitude, kNmeaLongitude,
         [&] { return ReadCoordinate(cell(columns.longitude), cell(columns.longitude + 1), values.longitude); });
    read(columns.speed, kNmeaSpeed, [&] { return ReadSpeed(cell(columns.speed), values.speedKmh); });
    if (columns.height < 0)
        values.fields |= kNmeaHeight;
    read(columns.height, kNmeaHeight, [&] { return ReadNumber(cell(columns.height), values.height); });
    read(columns.pdop, kNmeaPdop, [&] { return ReadNumber(cell(columns.pdop), values.pdop); });
    read(columns.hdop, kNmeaHdop, [&] { return ReadNumber(cell(columns.hdop), values.hdop); });
    read(columns.vdop, kNmeaVdop, [&] { return ReadNumber(cell(columns.vdop), values.vdop); });
    read(columns.nsat, kNmeaSatelliteCounts,
         [&] { return ReadSatelliteCounts(cell(columns.nsat), values.satellitesInUse, values.satellitesInView); });
    read(columns.satinfo, kNmeaSatellites, [&] { return ReadSatelliteList(cell(columns.satinfo), values); });
}
