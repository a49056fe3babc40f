// The values the logger last reported.
#pragma once

#include <cstdint>
#include <string>

struct LoggerStatus {
    int32_t TimeInterval = 0;     // seconds
    int32_t DistanceInterval = 0; // metres
    int32_t SpeedInterval = 0;    // km/h
    uint32_t RecordCount = 0;
    uint32_t FormatMask = 0;
    bool Overwrite = false;
    int32_t StatusWord = 0;
    std::string StatusText;
    std::string MethodText;
    int32_t PercentUsed = 0;
};
