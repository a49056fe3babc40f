#include "export/track_split.h"

#include "core/number_text.h"
#include "decode/track_columns.h"
#include "decode/track_table.h"
#include "export/row_utc.h"

#include <filesystem>
#include <map>

namespace {
std::optional<std::string> DayName(const TrackTable& table, int dateColumn, int row)
{
    const auto date = ShownDate(table.cell(dateColumn, row));
    if (!date)
        return std::nullopt;
    std::string name;
    AppendInteger(name, date->year, 4);
    name += '-';
    AppendInteger(name, date->month, 2);
    name += '-';
    AppendInteger(name, date->day, 2);
    return name;
}

std::vector<TrackPart> SplitByDay(const TrackTable& table, const std::vector<int>& rows)
{
    const int dateColumn = table.findColumn(header::kDate);
    std::map<std::string, std::vector<int>> days;
    std::vector<int> leading; // before the first row with a date
    std::vector<int>* current = &leading;
    for (const int row : rows) {
        if (const auto day = DayName(table, dateColumn, row))
            current = &days[*day];
        current->push_back(row);
    }
    if (days.empty())
        return leading.empty() ? std::vector<TrackPart>{} : std::vector<TrackPart>{{"undated", leading}};
    std::vector<int>& first = days.begin()->second;
    first.insert(first.begin(), leading.begin(), leading.end());
    std::vector<TrackPart> parts;
    for (auto& [day, dayRows] : days)
        parts.push_back({day, std::move(dayRows)});
    return parts;
}

std::string PartNumber(std::size_t number)
{
    std::string name;
    AppendInteger(name, static_cast<long long>(number), 3);
    return name;
}

std::vector<TrackPart> SplitByGap(const TrackTable& table, const std::vector<int>& rows, int gapMinutes)
{
    const int dateColumn = table.findColumn(header::kDate);
    const std::int64_t gap = std::int64_t{gapMinutes} * 60 * 1000;
    std::vector<TrackPart> parts;
    std::optional<std::int64_t> previous;
    for (const int row : rows) {
        const auto time = RowUtcTime(table, dateColumn, row);
        const std::optional<std::int64_t> now = time ? std::optional(UtcMilliseconds(*time)) : std::nullopt;
        const bool gapBefore = now && previous && (*now - *previous > gap || *now < *previous);
        if (parts.empty() || gapBefore)
            parts.push_back({PartNumber(parts.size() + 1), {}});
        parts.back().rows.push_back(row);
        if (now)
            previous = now;
    }
    return parts;
}
} // namespace

std::optional<std::string> MissingSplitColumn(const TrackTable& table, const TrackSplit& split)
{
    if (split.kind == SplitKind::None)
        return std::nullopt;
    const bool byDay = split.kind == SplitKind::Day;
    const std::vector<std::string_view> needed =
        byDay ? std::vector{header::kDate} : std::vector{header::kDate, header::kTime};
    for (const std::string_view header : needed)
        if (table.findColumn(header) < 0)
            return std::string(byDay ? "The split by day" : "The split at gaps") + " needs the column '" +
                   std::string(header) + "', which the table does not have.";
    return std::nullopt;
}

std::vector<TrackPart> SplitRows(const TrackTable& table, const std::vector<int>& rows, const TrackSplit& split)
{
    if (rows.empty())
        return {};
    switch (split.kind) {
    case SplitKind::Day:
        return SplitByDay(table, rows);
    case SplitKind::Gap:
        return SplitByGap(table, rows, split.gapMinutes);
    case SplitKind::None:
        break;
    }
    return {{"", rows}};
}

std::string PartPath(const std::string& path, const std::string& partName)
{
    std::filesystem::path part(path);
    part.replace_filename(part.stem().string() + "-" + partName + part.extension().string());
    return part.string();
}
