// Times as ISO 8601 texts in UTC, the form GPX files and the command line use.
#pragma once

#include "decode/civil_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "2008-05-04T12:30:15Z", with ".mmm" before the Z when milliseconds are given.
void AppendIsoTime(std::string& out, const CivilTime& time, std::optional<int> milliseconds);
// The same of a time in milliseconds from 1970.
std::string IsoTimeText(std::int64_t utcMilliseconds);

// Whether a date given alone stands for the first or the last moment of its day.
enum class DateAlone { StartOfDay, EndOfDay };

// Milliseconds from 1970 of "YYYY-MM-DD", optionally followed by "T" (or a
// blank) and "hh:mm", ":ss" and a fraction of a second, then "Z" or an offset
// from UTC ("+02:00", "-0530"); without either the time is UTC. Nothing for a
// text that is not such a time or names a day or an hour that does not exist.
std::optional<std::int64_t> ParseIsoTime(std::string_view text, DateAlone dateAlone = DateAlone::StartOfDay);
