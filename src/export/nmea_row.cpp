#include "export/nmea_row.h"

#include "core/number_text.h"
#include "decode/track_table.h"
#include "export/column_lookup.h"
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
    columns.date = LookUpColumn(table, "DATE");
    columns.valid = LookUpColumn(table, "VALID");
    columns.latitude = LookUpColumn(table, "LATITUDE");
    columns.longitude = LookUpColumn(table, "LONGITUDE");
    columns.height = LookUpColumn(table, "HEIGHT");
    columns.speed = LookUpColumn(table, "SPEED");
    columns.pdop = LookUpColumn(table, "PDOP");
    columns.hdop = LookUpColumn(table, "HDOP");
    columns.vdop = LookUpColumn(table, "VDOP");
    columns.nsat = LookUpColumn(table, "NSAT (USED/VIEW)");
    columns.satinfo = LookUpColumn(table, "SAT INFO (SID-ELE-AZI-SNR)");
    return columns;
}

int FixQuality(const std::string& valid)
{
    static constexpr std::string_view kModes[] = {
        "No fix", "SPS", "DGPS", "PPS", "RTK", "FRTK", "Estimated mode", "Manual input mode", "Simulator"};
    const auto* found = std::find(std::begin(kModes), std::end(kModes), valid);
    return found == std::end(kModes) ? 0 : static_cast<int>(found - std::begin(kModes));
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
