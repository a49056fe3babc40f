// Noticing that a track's dates are one or more GPS week-number rollovers
// early. The dates themselves cannot tell (an old track is simply old); the
// receiver's clock can, as the download read it. Nothing is changed: the user
// is told how to repair them.
#pragma once

#include "link/receiver_clock.h"

#include <optional>
#include <string>

class TrackTable;

struct WeekRolloverHint {
    int receiverRollovers = 0; // periods of 1024 weeks the receiver's clock was behind
    int weekRollovers = 0;     // the grid option that repairs the dates
};

// Given when the reading shows the receiver behind by whole rollovers and the
// table's dates do not yet carry that many; never without a reading, nor for
// a table without DATE.
std::optional<WeekRolloverHint> FindWeekRolloverHint(const TrackTable& table,
                                                     const std::optional<ClockReading>& reading);

// What the receiver's clock shows, as a sentence; the window and the command
// line each add how to set hint.weekRollovers.
std::string WeekRolloverHintText(const WeekRolloverHint& hint);
