#include "export/week_rollover_hint.h"

#include "decode/track_columns.h"
#include "decode/track_options.h"
#include "decode/track_table.h"

#include <algorithm>

std::optional<WeekRolloverHint> FindWeekRolloverHint(const TrackTable& table,
                                                     const std::optional<ClockReading>& reading)
{
    if (!reading || table.findColumn(header::kDate) < 0)
        return std::nullopt;
    const auto behind = RolloversBehind(*reading);
    if (!behind)
        return std::nullopt;
    const int repair = std::min(*behind, kMaxWeekRollovers);
    if (table.weekRollovers() == repair)
        return std::nullopt;
    return WeekRolloverHint{*behind, repair};
}

std::string WeekRolloverHintText(const WeekRolloverHint& hint)
{
    return "The logger's receiver dates its fixes " + std::to_string(hint.receiverRollovers * 1024) +
           " weeks before the computer's clock: it counts GPS weeks from before a week-number rollover.";
}
