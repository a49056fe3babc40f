// The week-rollover hint on stderr, for convert and download alike.
#pragma once

#include "link/receiver_clock.h"

#include <optional>
#include <string>

class TrackTable;

// Prints nothing when the reading gives no hint for the table.
void PrintWeekRolloverHint(const std::string& image, const TrackTable& table,
                           const std::optional<ClockReading>& reading);
