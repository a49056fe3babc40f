// The UTC date and time of a track table row: the one rule every writer of
// UTC fields follows, so a table shifted to local time is written back in UTC.
#pragma once

#include "decode/civil_time.h"

#include <cstdint>
#include <optional>
#include <string_view>

class TrackTable;

struct RowTime {
    CivilTime utc;
    std::optional<int> milliseconds; // when the TIME text has them
};

// DATE read as "%4d/%2d/%2d" and TIME, the column right of it, as hh:mm:ss
// with an optional ".mmm"; taken back by the hours the table has been shifted.
// Nothing when either text cannot be read.
std::optional<RowTime> RowUtcTime(const TrackTable& table, int dateColumn, int row);
// Milliseconds from 1970 of a row's time.
std::int64_t UtcMilliseconds(const RowTime& time);

// The day a DATE cell shows, read as RowUtcTime reads it: the user's own day
// once the table is shifted to local time.
std::optional<CivilTime> ShownDate(std::string_view dateCell);
