// The track table's options, applied in place: shift every date and time
// by whole hours, repair dates of a receiver whose GPS week count rolled over,
// and show every speed in the chosen unit.
//
// The shift is plain calendar arithmetic on the cell texts (hours carry into
// days, months and years). The texts hold UTC as decoded, so the machine's
// time zone plays no part and no daylight-saving change can add or lose an
// hour on the way.
#pragma once

#include "decode/track_table.h"

#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* kGridOptionsSection = "String Grid Option";
inline constexpr const char* kTimeShiftKey = "Day Light Saving Time";
inline constexpr const char* kSpeedUnitKey = "Speed Unit";
inline constexpr const char* kWeekRolloverKey = "GPS Week Rollover";

// West of Greenwich down to -12, east up to +14 (the Line Islands).
inline constexpr int kMinTimeShiftHours = -12;
inline constexpr int kMaxTimeShiftHours = 14;

// Receivers that predate a GPS week-number rollover date their fixes exactly
// 1024 weeks too early; up to three such periods can be added back.
inline constexpr int kWeekRolloverDays = 1024 * 7;
inline constexpr int kMaxWeekRollovers = 3;

// Which settings the caller stores once the table is updated.
struct GridOptionsOutcome {
    bool storeSpeedUnit = false; // the table has a SPEED column
    bool storeTimeShift = false; // the table has a TIME column
};

// speedUnit is the drop-down text, "km/h" or "mph". Throws AppError on the
// first row it cannot read ("Line<row>: Error data! Access denied!", or a
// conversion message for a part that is not a whole number), on an unknown
// unit or on a rollover count out of 0..kMaxWeekRollovers, and then changes
// nothing. A shift is added to the table's own count; weekRollovers is the
// number of periods the dates should carry in all, so pressing the button
// twice does not carry them 1024 weeks further.
GridOptionsOutcome ApplyGridOptions(TrackTable& table, int timeShiftHours, const std::string& speedUnit,
                                    int weekRollovers);

// A SPEED cell (a number, then "km/h" or "mph") in km/h; nothing when it is not one.
std::optional<double> SpeedInKilometresPerHour(std::string_view cell);
