#include "export/week_rollover_hint.h"

#include "decode/track_columns.h"
#include "decode/track_options.h"
#include "decode/track_table.h"
#include "export/row_utc.h"

#include <algorithm>

namespace {
constexpr std::int64_t kRolloverSeconds = std::int64_t{kWeekRolloverDays} * 86400;
}

std::optional<WeekRolloverHint> FindWeekRolloverHint(const TrackTable& table, std::int64_t nowUtc)
{
    const int date = table.findColumn(header::kDate);
    if (date < 0)
        return std::nullopt;
    std::optional<std::int64_t> newest;
    int newestRow = 0;
    for (int row = 1; row < table.rowCount(); ++row) {
        const auto time = RowUtcTime(table, date, row);
        if (!time)
            continue;
        const std::int64_t seconds = SecondsFromCivilTime(time->utc);
        if (!newest || seconds > *newest) {
            newest = seconds;
            newestRow = row;
        }
    }
    if (!newest || nowUtc - *newest <= kRolloverSeconds)
        return std::nullopt;
    const auto missing = static_cast<int>((nowUtc - *newest) / kRolloverSeconds);
    return WeekRolloverHint{table.cell(date, newestRow), std::min(table.weekRollovers() + missing, kMaxWeekRollovers)};
}

std::string WeekRolloverHintText(const WeekRolloverHint& hint)
{
    return "The newest DATE, " + hint.newestDate +
           ", lies more than 1024 weeks before today: the logger's receiver seems to count GPS weeks from before a "
           "week-number rollover.";
}
