#include "decode/track_options.h"

#include "core/app_error.h"
#include "decode/civil_time.h"
#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <vector>

namespace {
constexpr std::string_view kKilometresPerHour = "km/h";
constexpr std::string_view kMilesPerHour = "mph";
constexpr double kKilometresPerHourToMph = 0.62137;
constexpr double kMphToKilometresPerHour = 1.60935;

struct OptionColumns {
    int time = -1;
    int speed = -1;
};

OptionColumns FindOptionColumns(const TrackTable& table)
{
    OptionColumns columns;
    for (int column = 1; !table.cell(column, 0).empty(); ++column) {
        const std::string& header = table.cell(column, 0);
        if (header == "TIME" && columns.time < 0)
            columns.time = column;
        else if (header == "SPEED" && columns.speed < 0)
            columns.speed = column;
    }
    return columns;
}

AppError RowError(int row)
{
    return AppError("Line" + std::to_string(row) + ": Error data! Access denied!");
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t';
}

bool IsSpeedUnit(std::string_view unit)
{
    return unit == kKilometresPerHour || unit == kMilesPerHour;
}

struct SpeedText {
    double number = 0;
    std::string_view unit;
};

// A number, then one word; spaces may come before and between them.
std::optional<SpeedText> ParseSpeed(std::string_view text)
{
    std::size_t position = 0;
    while (position < text.size() && IsSpace(text[position]))
        ++position;
    SpeedText speed;
    const auto number = std::from_chars(text.data() + position, text.data() + text.size(), speed.number);
    if (number.ec != std::errc{})
        return std::nullopt;
    position = number.ptr - text.data();
    while (position < text.size() && IsSpace(text[position]))
        ++position;
    std::size_t end = position;
    while (end < text.size() && !IsSpace(text[end]))
        ++end;
    if (end == position)
        return std::nullopt;
    speed.unit = text.substr(position, end - position);
    return speed;
}

// The SPEED text in the chosen unit; unchanged when already in it.
std::string ConvertedSpeed(const std::string& cell, std::string_view unit, int row)
{
    const auto speed = ParseSpeed(cell);
    if (!speed || !IsSpeedUnit(speed->unit))
        throw RowError(row);
    if (speed->unit == unit)
        return cell;
    const double factor = unit == kMilesPerHour ? kKilometresPerHourToMph : kMphToKilometresPerHour;
    std::string text;
    AppendFixed(text, speed->number * factor, 3, 3);
    text += ' ';
    text += unit;
    return text;
}

// Characters of a cell by 0-based position; shorter when the text is.
std::string_view Part(std::string_view text, std::size_t position, std::size_t length)
{
    return position < text.size() ? text.substr(position, length) : std::string_view{};
}

std::int64_t WholeNumber(std::string_view part, int row)
{
    const auto value = ParseInteger(part);
    if (!value)
        throw AppError("Line" + std::to_string(row) + ": '" + std::string(part) + "' is not a valid integer value");
    return *value;
}

struct DateTimeTexts {
    std::string date;
    std::string time;
};

DateTimeTexts ShiftedDateTime(std::string_view date, std::string_view time, std::int64_t seconds, int row)
{
    const std::string_view parts[] = {Part(date, 0, 4), Part(date, 5, 2), Part(date, 8, 2),
                                      Part(time, 0, 2), Part(time, 3, 2), Part(time, 6, 2)};
    for (std::string_view part : parts)
        if (part.empty())
            throw RowError(row);
    const CivilTime given{WholeNumber(parts[0], row), WholeNumber(parts[1], row), WholeNumber(parts[2], row),
                          WholeNumber(parts[3], row), WholeNumber(parts[4], row), WholeNumber(parts[5], row)};
    const CivilTime shifted = CivilTimeFromSeconds(SecondsFromCivilTime(given) + seconds);

    DateTimeTexts texts;
    AppendInteger(texts.date, shifted.year, 4, ' ');
    texts.date += '/';
    AppendInteger(texts.date, shifted.month, 2);
    texts.date += '/';
    AppendInteger(texts.date, shifted.day, 2);
    AppendInteger(texts.time, shifted.hour, 2);
    texts.time += ':';
    AppendInteger(texts.time, shifted.minute, 2);
    texts.time += ':';
    AppendInteger(texts.time, shifted.second, 2);
    const std::string_view fraction = Part(time, 8, 4);
    texts.time.append(4 - fraction.size(), ' ');
    texts.time += fraction;
    return texts;
}
} // namespace

GridOptionsOutcome ApplyGridOptions(TrackTable& table, int timeShiftHours, const std::string& speedUnit,
                                    int weekRollovers)
{
    const OptionColumns columns = FindOptionColumns(table);
    const bool convertSpeed = columns.speed >= 0;
    if (convertSpeed && !IsSpeedUnit(speedUnit))
        throw AppError("Unknown speed unit \"" + speedUnit + "\": choose km/h or mph.");
    if (weekRollovers < 0 || weekRollovers > kMaxWeekRollovers)
        throw AppError("GPS week rollovers go from 0 to " + std::to_string(kMaxWeekRollovers) + ".");
    const std::int64_t addedDays = std::int64_t{weekRollovers - table.weekRollovers()} * kWeekRolloverDays;
    const std::int64_t shiftSeconds = timeShiftHours * std::int64_t{3600} + addedDays * 86400;
    const bool shiftTime = columns.time >= 0 && shiftSeconds != 0;

    // Every row is worked out before any cell changes: a table shifted only
    // down to a bad row could not say which of its times are UTC.
    struct RowUpdate {
        std::optional<std::string> speed;
        std::optional<DateTimeTexts> dateTime;
    };
    std::vector<RowUpdate> updates(std::max(table.rowCount() - 1, 0));
    for (int row = 1; row < table.rowCount(); ++row) {
        RowUpdate& update = updates[row - 1];
        if (convertSpeed)
            update.speed = ConvertedSpeed(table.cell(columns.speed, row), speedUnit, row);
        if (shiftTime)
            update.dateTime =
                ShiftedDateTime(table.cell(columns.time - 1, row), table.cell(columns.time, row), shiftSeconds, row);
    }
    for (int row = 1; row < table.rowCount(); ++row) {
        RowUpdate& update = updates[row - 1];
        if (update.speed && *update.speed != table.cell(columns.speed, row))
            table.setCell(columns.speed, row, std::move(*update.speed));
        if (update.dateTime) {
            table.setCell(columns.time - 1, row, std::move(update.dateTime->date));
            table.setCell(columns.time, row, std::move(update.dateTime->time));
        }
    }
    if (shiftTime) {
        table.setTimeShiftHours(table.timeShiftHours() + timeShiftHours);
        table.setWeekRollovers(weekRollovers);
    }
    return {convertSpeed, columns.time >= 0};
}

std::optional<double> SpeedInKilometresPerHour(std::string_view cell)
{
    const auto speed = ParseSpeed(cell);
    if (!speed || !IsSpeedUnit(speed->unit))
        return std::nullopt;
    return speed->unit == kMilesPerHour ? speed->number * kMphToKilometresPerHour : speed->number;
}
