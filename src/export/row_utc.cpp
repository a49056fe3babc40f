#include "export/row_utc.h"

#include "decode/track_table.h"
#include "core/text_scan.h"

namespace {
// Three numbers joined by a separator, as "%<width>d/%2d/%2d" reads them.
bool ReadThree(TextScanner& scanner, int firstWidth, char separator, std::int64_t& first, std::int64_t& second,
               std::int64_t& third)
{
    int values[3] = {};
    if (!(scanner.integer(values[0], firstWidth) && scanner.literal(separator) && scanner.integer(values[1], 2) &&
          scanner.literal(separator) && scanner.integer(values[2], 2)))
        return false;
    first = values[0];
    second = values[1];
    third = values[2];
    return true;
}
} // namespace

std::optional<CivilTime> ShownDate(std::string_view dateCell)
{
    CivilTime date;
    TextScanner scanner(dateCell);
    if (!ReadThree(scanner, 4, '/', date.year, date.month, date.day))
        return std::nullopt;
    return date;
}

std::int64_t UtcMilliseconds(const RowTime& time)
{
    return SecondsFromCivilTime(time.utc) * 1000 + time.milliseconds.value_or(0);
}

std::optional<RowTime> RowUtcTime(const TrackTable& table, int dateColumn, int row)
{
    RowTime time;
    CivilTime& utc = time.utc;
    TextScanner date(table.cell(dateColumn, row));
    TextScanner clock(table.cell(dateColumn + 1, row));
    if (!ReadThree(date, 4, '/', utc.year, utc.month, utc.day) ||
        !ReadThree(clock, 2, ':', utc.hour, utc.minute, utc.second))
        return std::nullopt;
    int milliseconds = 0;
    if (clock.literal('.') && clock.integer(milliseconds, 3))
        time.milliseconds = milliseconds;
    const std::int64_t shift = std::int64_t{table.timeShiftHours()} * 3600;
    utc = CivilTimeFromSeconds(SecondsFromCivilTime(utc) - shift);
    return time;
}
