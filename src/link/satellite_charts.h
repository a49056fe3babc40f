// The content of the live page's two satellite charts, as plain data the
// widgets only paint.
#pragma once

#include "link/satellite_table.h"

#include <cstdint>
#include <string>
#include <vector>

struct ChartColour {
    uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const ChartColour&, const ChartColour&) = default;
};

inline constexpr ChartColour kExtentColour{255, 255, 255};
inline constexpr ChartColour kUsedSatelliteColour{0, 0, 255};
inline constexpr ChartColour kSeenSatelliteColour{192, 192, 192};

// Sky plot in its own units: zenith at (0, 0), horizon at 100, north up, east right.
struct SkyPoint {
    double x = 0;
    double y = 0;
    double radius = 0;
    std::string label;
    ChartColour colour;
};

struct SignalBar {
    double value = 0;
    std::string label;
    ChartColour colour;
};

struct SatelliteCharts {
    static constexpr double kExtent = 150; // the four extent bubbles sit at (±150, ±150)
    static constexpr double kHorizon = 100;
    static constexpr double kSatelliteRadius = 12;

    std::vector<SkyPoint> sky;
    std::vector<SignalBar> bars;
};

// The chart content for the satellites in the table; every drawn slot is
// emptied and RedrawPending cleared, so a satellite that left view disappears.
SatelliteCharts DrawSatellites(SatelliteTable& satellites);
