// Calendar dates and times of the proleptic Gregorian calendar, counted in
// seconds from 1970-01-01 00:00:00, with no time zone involved.
#pragma once

#include <cstdint>

struct CivilTime {
    std::int64_t year = 1970;
    std::int64_t month = 1; // 1-12
    std::int64_t day = 1;   // 1-31
    std::int64_t hour = 0;
    std::int64_t minute = 0;
    std::int64_t second = 0;
};

CivilTime CivilTimeFromSeconds(std::int64_t seconds);
// Parts out of their ranges carry over, as with mktime: month 13 is January
// of the next year, hour 24 the next day.
std::int64_t SecondsFromCivilTime(const CivilTime& time);
// The system clock's time, in seconds from 1970 (UTC).
std::int64_t NowUtcSeconds();
