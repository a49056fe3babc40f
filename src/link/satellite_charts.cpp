#include "link/satellite_charts.h"

#include "core/text_scan.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
bool IsUsed(const SatelliteTable& satellites, const std::string& prn)
{
    return std::find(satellites.UsedPrn.begin(), satellites.UsedPrn.end(), prn) != satellites.UsedPrn.end();
}

double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

void AddExtentBubbles(std::vector<SkyPoint>& sky)
{
    constexpr double e = SatelliteCharts::kExtent;
    for (const auto& [x, y] : {std::pair{e, e}, {e, -e}, {-e, e}, {-e, -e}})
        sky.push_back({x, y, 1, "", kExtentColour});
}

void EmptySlot(SatelliteTable& satellites, int slot)
{
    satellites.Prn[slot].clear();
    satellites.Elevation[slot].clear();
    satellites.Azimuth[slot].clear();
    satellites.Snr[slot].clear();
}
} // namespace

SatelliteCharts DrawSatellites(SatelliteTable& satellites)
{
    SatelliteCharts charts;
    AddExtentBubbles(charts.sky);
    for (int slot = 0; slot < SatelliteTable::kSlots; ++slot) {
        const std::string& prn = satellites.Prn[slot];
        if (LeadingInteger(prn) == 0)
            continue;
        const ChartColour colour = IsUsed(satellites, prn) ? kUsedSatelliteColour : kSeenSatelliteColour;
        charts.bars.push_back({LeadingDecimal(satellites.Snr[slot]), prn, colour});
        const double elevation = Radians(LeadingDecimal(satellites.Elevation[slot]));
        const double azimuth = Radians(LeadingDecimal(satellites.Azimuth[slot]));
        const double horizontal = std::cos(elevation) * SatelliteCharts::kHorizon;
        charts.sky.push_back({std::sin(azimuth) * horizontal, std::cos(azimuth) * horizontal,
                              SatelliteCharts::kSatelliteRadius, prn, colour});
        EmptySlot(satellites, slot);
    }
    satellites.RedrawPending = false;
    return charts;
}
