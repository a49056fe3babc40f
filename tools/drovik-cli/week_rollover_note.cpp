#include "week_rollover_note.h"

#include "subcommand.h"

#include "export/week_rollover_hint.h"

void PrintWeekRolloverHint(const std::string& image, const TrackTable& table,
                           const std::optional<ClockReading>& reading)
{
    if (const auto hint = FindWeekRolloverHint(table, reading))
        PrintNote(image + ": " + WeekRolloverHintText(*hint) +
                  " To correct the dates, convert it with --week-rollover " + std::to_string(hint->weekRollovers) +
                  ".");
}
