// The satellites in view as the GSV and GSA sentences report them.
#pragma once

#include <array>
#include <string>

struct SatelliteTable {
    static constexpr int kSlots = 64; // indexed by PRN; slot 0 stays empty
    static constexpr int kUsedSlots = 12;

    std::array<std::string, kSlots> Prn;
    std::array<std::string, kSlots> Elevation;
    std::array<std::string, kSlots> Azimuth;
    std::array<std::string, kSlots> Snr;
    std::array<std::string, kUsedSlots> UsedPrn; // from the last GSA
    bool RedrawPending = false;                  // a GSV cycle ended and the charts are due
};
