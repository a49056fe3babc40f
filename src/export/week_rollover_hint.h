// Noticing, after a decode, dates that look one or more GPS week-number
// rollovers early. Nothing is changed: the user is told how to repair them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class TrackTable;

struct WeekRolloverHint {
    std::string newestDate; // the newest DATE text
    int weekRollovers = 0;  // the grid option that brings it within 1024 weeks of today
};

// Given when the newest readable DATE lies more than 1024 weeks before
// `nowUtc` (seconds from 1970).
std::optional<WeekRolloverHint> FindWeekRolloverHint(const TrackTable& table, std::int64_t nowUtc);

// What looks wrong, as a sentence; the window and the command line each add
// how to set hint.weekRollovers.
std::string WeekRolloverHintText(const WeekRolloverHint& hint);
