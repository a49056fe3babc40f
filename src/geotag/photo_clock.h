// From a camera's clock to UTC: the camera keeps local time, in the zone the
// photo names, the zone the user names, or the computer's zone rules for the
// photo's date (summer time included), and its clock may run fast or slow.
#pragma once

#include "decode/civil_time.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The offset from UTC, in seconds east, in force at a local date and time.
using ZoneRules = std::function<int(const CivilTime& local)>;

// The computer's own rules (TZ, or the system's zone).
int ComputerZoneOffset(const CivilTime& local);

struct PhotoClock {
    CivilTime local;                  // DateTimeOriginal
    int milliseconds = 0;             // from SubSecTimeOriginal
    std::optional<int> offsetSeconds; // from OffsetTimeOriginal
};

struct ClockSettings {
    std::optional<int> zoneSeconds;          // --zone: for photos that do not name their zone
    std::int64_t correctionMilliseconds = 0; // --offset: added to the camera's time
    ZoneRules computerZone = ComputerZoneOffset;
};

std::int64_t PhotoUtcMilliseconds(const PhotoClock& clock, const ClockSettings& settings);

// The correction that makes the photo of a clock show the clock's true time.
std::int64_t SyncCorrectionMilliseconds(const PhotoClock& clockPhoto, std::int64_t trueUtcMilliseconds,
                                        const ClockSettings& settings);

// "YYYY:MM:DD HH:MM:SS", as EXIF keeps DateTimeOriginal; nothing for a blank,
// zeroed or malformed value.
std::optional<CivilTime> ParseExifDateTime(std::string_view text);
// SubSecTimeOriginal: the digits of a fraction of a second, "5" is 500 ms.
int SubSecondMilliseconds(std::string_view text);
// "+02:00", "-05:30" (also "+0200" and "Z"), as OffsetTimeOriginal and --zone give a zone.
std::optional<int> ParseZoneOffset(std::string_view text);
// "±[HH:]MM:SS", the --offset of a camera clock, in milliseconds.
std::optional<std::int64_t> ParseClockCorrection(std::string_view text);
// "+02:00" of an offset in seconds, as --zone takes it.
std::string ZoneOffsetText(int seconds);
