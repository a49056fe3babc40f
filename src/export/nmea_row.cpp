#include "export/nmea_row.h"

#include "core/number_text.h"
#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "export/text_scan.h"

#include <algorithm>
#include <string_view>

namespace {
bool ReadDate(const std::string& date, const std::string& time, NmeaRow& values)
{
    TextScanner day(date);
    if (!(day.integer(values.year, 4) && day.literal('/') && day.integer(values.month, 2) && day.literal('/') &&
          day.integer(values.day, 2)))
        return false;
    TextScanner clock(time);
    if (!(clock.integer(values.hours, 2) && clock.literal(':') && clock.integer(values.minutes, 2) &&
          clock.literal(':') && clock.integer(values.seconds, 2)))
        return false;
    if (!(clock.literal('.') && clock.integer(values.milliseconds, 3)))
        values.milliseconds = 0;
    return true;
}

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

bool ReadSatelliteCounts(const std::string& cell, NmeaRow& values)
{
    TextScanner scanner(cell);
    return scanner.integer(values.satellitesInUse) && scanner.literal('(') && scanner.integer(values.satellitesInView);
}

bool IsSatelliteSeparator(char c)
{
    return c == '#' || c == '-' || c == ';';
}

// "#05-45-123-40;12-07-310-00": the numbers between '#', '-' and ';', in order.
bool ReadSatelliteList(const std::string& cell, NmeaRow& values)
{
    int count = 0;
    std::size_t position = 0;
    while (position < cell.size()) {
        if (IsSatelliteSeparator(cell[position])) {
            ++position;
            continue;
        }
        const std::size_t start = position;
        while (position < cell.size() && !IsSatelliteSeparator(cell[position]))
            ++position;
        if (count < kSatelliteValues)
            values.satellites[count] = LeadingInteger(std::string_view(cell).substr(start, position - start));
        ++count;
    }
    return count > 0;
}
} // namespace

NmeaColumns LookUpNmeaColumns(const TrackTable& table)
{
    NmeaColumns columns;
    columns.date = table.findColumn(header::kDate);
    columns.valid = table.findColumn(header::kValid);
    columns.latitude = table.findColumn(header::kLatitude);
    columns.longitude = table.findColumn(header::kLongitude);
    columns.height = table.findColumn(header::kHeight);
    columns.speed = table.findColumn(header::kSpeed);
    columns.pdop = table.findColumn(header::kPdop);
    columns.hdop = table.findColumn(header::kHdop);
    columns.vdop = table.findColumn(header::kVdop);
    columns.nsat = table.findColumn(header::kNsat);
    columns.satinfo = table.findColumn(header::kFullSatInfo);
    return columns;
}

int FixQuality(const std::string& valid)
{
    const auto found = std::find(kFixModes.begin(), kFixModes.end(), valid);
    return found == kFixModes.end() ? 0 : static_cast<int>(found - kFixModes.begin());
}

bool ReadNmeaRow(const TrackTable& table, const NmeaColumns& columns, int row, NmeaRow& values)
{
    values = {};
    const auto cell = [&](int column) -> const std::string& { return table.cell(column, row); };
    const auto found = [](int column) { return column >= 0; };

    if (found(columns.date) && !ReadDate(cell(columns.date), cell(columns.date + 1), values))
        return false;
    if (found(columns.valid))
        values.fixQuality = FixQuality(cell(columns.valid));
    if (found(columns.latitude) && !ReadCoordinate(cell(columns.latitude), cell(columns.latitude + 1), values.latitude))
        return false;
    if (found(columns.longitude) &&
        !ReadCoordinate(cell(columns.longitude), cell(columns.longitude + 1), values.longitude))
        return false;
    if (found(columns.speed) && !ReadNumber(cell(columns.speed), values.speedKmh))
        return false;
    if (found(columns.height) && !ReadNumber(cell(columns.height), values.height))
        return false;
    if (found(columns.pdop) && !ReadNumber(cell(columns.pdop), values.pdop))
        return false;
    if (found(columns.hdop) && !ReadNumber(cell(columns.hdop), values.hdop))
        return false;
    if (found(columns.vdop) && !ReadNumber(cell(columns.vdop), values.vdop))
        return false;
    if (found(columns.nsat) && !ReadSatelliteCounts(cell(columns.nsat), values))
        return false;
    if (found(columns.satinfo) && !ReadSatelliteList(cell(columns.satinfo), values))
        return false;
    return true;
}
